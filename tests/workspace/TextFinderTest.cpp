#include "workspace/forms/TextFinder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace orv;

namespace {

struct FinderCase {
    const char* name;
    std::string text;
    std::string pattern;
    uint32_t flags;
    size_t from;
    size_t to;
    std::optional<TextRange> expected;
};

} // namespace

TEST(workspace_text_finder, FindsInRangeByDirectionAndFlags)
{
    const size_t end = std::string::npos;
    const std::string umlautText = "M\x81LLER und m\x9Aller"; // müLLER, mÜller
    const FinderCase cases[] = {
        {"downward, the first match in the range", "abc abc abc", "abc", kFindDown, 1, end, TextRange{4, 7}},
        {"downward, none in the range", "abc xyz", "abc", kFindDown, 1, end, std::nullopt},
        {"a match reaching past the range's end", "xx abc", "abc", kFindDown, 0, 5, std::nullopt},
        {"upward, the last match in the range", "abc abc abc", "abc", 0, 0, 8, TextRange{4, 7}},
        {"upward, the whole text", "abc abc abc", "abc", 0, 0, end, TextRange{8, 11}},
        {"case ignored: A finds a", "xa", "A", kFindDown, 0, end, TextRange{1, 2}},
        {"case counts: A misses a", "xa", "A", kFindDown | kFindMatchCase, 0, end, std::nullopt},
        {"case ignored: 0x8E finds 0x84", "x\x84", "\x8E", kFindDown, 0, end, TextRange{1, 2}},
        {"case counts: 0x8E misses 0x84", "x\x84", "\x8E", kFindDown | kFindMatchCase, 0, end, std::nullopt},
        {"case ignored over both kinds of letters", umlautText, "m\x9Aller", kFindDown, 0, end, TextRange{0, 6}},
        {"whole word: inside for", "for", "or", kFindDown | kFindWholeWord, 0, end, std::nullopt},
        {"whole word: between blanks", "a or b", "or", kFindDown | kFindWholeWord, 0, end, TextRange{2, 4}},
        {"whole word: after an underscore", "_or", "or", kFindDown | kFindWholeWord, 0, end, std::nullopt},
        {"whole word: before a digit", "or1 or", "or", kFindDown | kFindWholeWord, 0, end, TextRange{4, 6}},
        {"whole word: after an umlaut", "\x84or or", "or", kFindDown | kFindWholeWord, 0, end, TextRange{4, 6}},
        {"whole word upward skips a word part", "or for", "or", kFindWholeWord, 0, end, TextRange{0, 2}},
        {"whole word: a word char outside the range still counts", "xor", "or", kFindDown | kFindWholeWord, 1, end,
         std::nullopt},
        {"an empty pattern", "abc", "", kFindDown, 0, end, std::nullopt},
        {"a pattern holding byte 0", std::string("a\0b", 3), std::string("\0", 1), kFindDown, 0, end, std::nullopt},
        {"a start beyond the text", "abc", "c", kFindDown, 9, end, std::nullopt},
    };
    for (const FinderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CTextFinder finder(c.pattern, c.flags);
        EXPECT_EQ(finder.Find(c.text, c.from, c.to), c.expected);
    }
}

TEST(workspace_text_finder, BytesBesideTheRangeCanBeGiven)
{
    // The bytes a replacement put beside the range decide whole words there.
    const CTextFinder down("or", kFindDown | kFindWholeWord);
    EXPECT_EQ(down.Find("or x", 0, 4, 'a'), std::nullopt);
    EXPECT_EQ(down.Find("aor x", 1, 5, ' '), (TextRange{1, 3}));
    const CTextFinder up("or", kFindWholeWord);
    EXPECT_EQ(up.Find("x or", 0, 4, CTextFinder::kFromText, '_'), std::nullopt);
    EXPECT_EQ(up.Find("x ora", 0, 4, CTextFinder::kFromText, 0), (TextRange{2, 4}));
}

TEST(workspace_text_finder, MatchOfARangeAndPrefixesWithoutCase)
{
    const CTextFinder finder("ab", kFindWholeWord);
    EXPECT_TRUE(finder.IsMatch("x AB y", {2, 4}));
    EXPECT_FALSE(finder.IsMatch("xAB y", {1, 3}));
    EXPECT_FALSE(finder.IsMatch("x AB y", {2, 2}));
    EXPECT_FALSE(finder.IsMatch("x AB y", {5, 9}));

    EXPECT_TRUE(BeginsWithNoCase("ABCdef", "abc"));
    EXPECT_TRUE(BeginsWithNoCase("\x8E" "rger", "\x84" "R"));
    EXPECT_FALSE(BeginsWithNoCase("ab", "abc"));
    EXPECT_FALSE(BeginsWithNoCase("\xE1", "\x84"));
}

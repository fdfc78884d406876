#include "workspace/SourceTokenizer.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

using K = SrcTokenKind;

struct TokenCase {
    const char* name;
    std::u16string line;
    std::vector<SrcSpan> spans;
    std::u16string rewritten;
};

TEST(workspace_source_tokenizer, LinesGiveSpansAndRewrittenText)
{
    const TokenCase cases[] = {
        {"keyword rewritten", u"begin ", {{K::Keyword, 0, 5, false}}, u"BEGIN "},
        {"second keyword bold", u"x word", {{K::Keyword2, 2, 4, true}}, u"x WORD"},
        {"minus ends a word", u"BIN-A", {{K::Keyword2, 0, 3, true}}, u"BIN-A"},
        {"OR is found like AND", u"a or b and c",
         {{K::Keyword, 2, 2, false}, {K::Keyword, 7, 3, false}}, u"a OR b AND c"},
        {"comment to the end", u"END 'rest \"x\" 12", {{K::Keyword, 0, 3, false}, {K::Comment, 4, 12, false}},
         u"END 'rest \"x\" 12"},
        {"unclosed string to the end", u"TEXT \"abc", {{K::Keyword, 0, 4, false}, {K::String, 5, 4, false}},
         u"TEXT \"abc"},
        {"string then comment", u"\"a'b\" 'c",
         {{K::String, 0, 5, false}, {K::Comment, 6, 2, false}}, u"\"a'b\" 'c"},
        {"words inside strings stay", u"\"begin\"", {{K::String, 0, 7, false}}, u"\"begin\""},
        {"exponent", u"1e5,", {{K::Number, 0, 3, false}}, u"1e5,"},
        {"hexadecimal", u"0x1F", {{K::Number, 0, 4, false}}, u"0x1F"},
        {"number then word", u"12abc", {{K::Number, 0, 2, false}}, u"12abc"},
        {"decimal point", u"1.5.3", {{K::Number, 0, 3, false}, {K::Number, 4, 1, false}}, u"1.5.3"},
        {"underscore word plain", u"_x1 var_x", {}, u"_x1 var_x"},
        {"VAR keeps its name", u"var Text, 12, actual, word",
         {{K::Keyword, 0, 3, false}, {K::Number, 10, 2, false}, {K::Keyword2, 14, 6, true},
          {K::Keyword2, 22, 4, true}},
         u"VAR Text, 12, ACTUAL, WORD"},
        {"MENU keeps its name", u"MENU Word, 3",
         {{K::Keyword, 0, 4, false}, {K::Number, 11, 1, false}}, u"MENU Word, 3"},
        {"TIMER name after a comma", u"  timer,Bit, 2",
         {{K::Keyword, 2, 5, false}, {K::Number, 13, 1, false}}, u"  TIMER,Bit, 2"},
        {"name with brackets and umlaut", u"VAR [Z0]\u00FCword",
         {{K::Keyword, 0, 3, false}}, u"VAR [Z0]\u00FCword"},
        {"only a leading statement names", u"HLP_TEXT, menu, Word",
         {{K::Keyword, 0, 8, false}, {K::Keyword, 10, 4, false}, {K::Keyword2, 16, 4, true}},
         u"HLP_TEXT, MENU, WORD"},
        {"umlauts are not word characters", u"end\u00FC \u00E4or",
         {{K::Keyword, 0, 3, false}, {K::Keyword, 6, 2, false}}, u"END\u00FC \u00E4OR"},
        {"empty line", u"", {}, u""},
        {"printer text template as written", u"def_op_prntext,   1,   5",
         {{K::Keyword, 0, 14, false}, {K::Number, 18, 1, false}, {K::Number, 23, 1, false}},
         u"DEF_OP_PRNTEXT,   1,   5"},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SrcLineScan scan = ScanSourceLine(c.line);
        EXPECT_EQ(scan.spans, c.spans);
        EXPECT_TRUE(scan.rewritten == c.rewritten);
    }
}

TEST(workspace_source_tokenizer, StylesOfTheKinds)
{
    EXPECT_EQ(StyleOf(K::Keyword).rgb, 0x0000FFu);
    EXPECT_EQ(StyleOf(K::Comment).rgb, 0x008000u);
    EXPECT_EQ(StyleOf(K::String).rgb, 0x008000u);
    EXPECT_EQ(StyleOf(K::Number).rgb, 0x800080u);
    EXPECT_EQ(StyleOf(K::Keyword2).rgb, 0x000000u);
    EXPECT_TRUE(StyleOf(K::Keyword2).bold);
    EXPECT_FALSE(StyleOf(K::Keyword).bold);
}

} // namespace
} // namespace orv

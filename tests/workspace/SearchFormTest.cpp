#include "workspace/forms/DlgSearchForm.h"

#include "support/FakeSearchEditor.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

using SearchTexts = std::vector<std::string>;

// The form on a fake editor, with the boxes it shows recorded.
class workspace_search_form : public ::testing::Test {
protected:
    SearchTexts Boxes() const { return fx.ui.TextsOf(UiCall::Kind::Box); }

    FrameFixture fx;
    CDlgSearchForm form;
};

} // namespace

TEST_F(workspace_search_form, HistoriesKeepEachNewTextOnceNewestShownFirst)
{
    FakeSearchEditor editor("abc xyz abc");
    form.FindNext(editor, "abc");
    form.FindNext(editor, "ab");
    form.FindNext(editor, "ABC");
    EXPECT_EQ(form.GetFindHistory(), (SearchTexts{"abc"})) << "a text an entry begins with, in any case, is not stored";
    for (int i = 0; i < 3; ++i)
        form.FindNext(editor, "xyz");
    EXPECT_EQ(form.GetFindHistory(), (SearchTexts{"abc", "xyz"})) << "one text searched three times in one run";
    EXPECT_EQ(form.FindList(), (SearchTexts{"xyz", "abc"}));

    form.SetMode(CDlgSearchForm::kModeReplace);
    form.Replace(editor, "q", "one");
    form.ReplaceAll(editor, "zzz", "ONE");
    form.ReplaceAll(editor, "zzz", "two");
    EXPECT_EQ(form.GetFindHistory(), (SearchTexts{"abc", "xyz", "q", "zzz"})) << "replacing takes the search text too";
    EXPECT_EQ(form.ReplaceList(), (SearchTexts{"two", "one"}));
    EXPECT_EQ(form.GetSearchText(), "zzz");
}

TEST_F(workspace_search_form, ButtonsFollowModeAndTexts)
{
    struct Case {
        const char* name;
        int mode;
        const char* findText;
        const char* replaceText;
        bool find;
        bool replaceControls;
        bool replace;
    };
    const Case cases[] = {
        {"search mode, texts in both", CDlgSearchForm::kModeFind, "a", "b", true, false, false},
        {"search mode, no search text", CDlgSearchForm::kModeFind, "", "b", false, false, false},
        {"replace mode, texts in both", CDlgSearchForm::kModeReplace, "a", "b", true, true, true},
        {"replace mode, no replacement", CDlgSearchForm::kModeReplace, "a", "", true, true, false},
        {"replace mode, no search text", CDlgSearchForm::kModeReplace, "", "b", false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.SetMode(c.mode);
        EXPECT_EQ(form.FindEnabled(c.findText), c.find);
        EXPECT_EQ(form.ReplaceControlsEnabled(), c.replaceControls);
        EXPECT_EQ(form.ReplaceEnabled(c.replaceText), c.replace);
    }
}

TEST_F(workspace_search_form, FindNextSelectsAMatchOrReportsAndKeepsTheSelection)
{
    FakeSearchEditor editor("abc xyz abc", {5, 6});
    EXPECT_FALSE(form.FindNext(editor, "xyz")) << "the match at the caret is behind the search's start";
    EXPECT_EQ(Boxes(), (SearchTexts{"xyz: nicht gefunden"}));
    EXPECT_EQ(fx.ui.CallsOf(UiCall::Kind::Box).at(0).caption, "ORVtool");
    EXPECT_EQ(editor.selection, (TextRange{5, 6}));

    EXPECT_TRUE(form.FindNext(editor, "ABC"));
    EXPECT_EQ(editor.selection, (TextRange{8, 11}));
    EXPECT_FALSE(form.FindNext(editor, "abc")) << "none after the caret";
    EXPECT_EQ(editor.selection, (TextRange{8, 11}));

    form.SetDown(false);
    EXPECT_TRUE(form.FindNext(editor, "abc"));
    EXPECT_EQ(editor.selection, (TextRange{0, 3}));
    editor.selection = {0, 0};
    EXPECT_TRUE(form.FindNext(editor, "abc")) << "upward from the very start searches the whole text";
    EXPECT_EQ(editor.selection, (TextRange{8, 11}));

    fx.ui.ClearCalls();
    form.FindNext(editor, "\x84" "rger");
    EXPECT_EQ(Boxes(), (SearchTexts{"\xE4rger: nicht gefunden"})) << "the box shows the message code page";
}

TEST_F(workspace_search_form, ReplacePutsTheReplacementOverTheSelection)
{
    FakeSearchEditor editor("one two", {4, 7});
    form.SetMode(CDlgSearchForm::kModeReplace);
    form.Replace(editor, "two", "2");
    EXPECT_EQ(editor.text, "one 2");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(workspace_search_form, ReplaceAllReplacesOnlyWhatItFinds)
{
    struct Case {
        const char* name;
        std::string text;
        TextRange selection;
        // Found with Find next before the replacing, when not empty.
        std::string findFirst;
        bool down;
        bool wholeWords;
        std::string pattern;
        std::string replacement;
        std::string expected;
        std::vector<TextRange> ranges;
    };
    const Case cases[] = {
        {"three matches from a selected one", "a a a", {0, 1}, "", true, false, "a", "aa", "aa aa aa",
         {{0, 1}, {2, 3}, {4, 5}}},
        {"after a find the matches from there on", "a a a", {0, 0}, "a", true, false, "a", "aa", "a aa aa",
         {{2, 3}, {4, 5}}},
        {"a replacement holding the search text", "a", {0, 1}, "", true, false, "a", "aa", "aa", {{0, 1}}},
        {"no preceding find and nothing to find", "xyz", {0, 0}, "", true, false, "a", "b", "xyz", {}},
        {"a stale selection that does not match", "xyz a", {0, 2}, "", true, false, "a", "b", "xyz b", {{4, 5}}},
        {"an empty replacement", "abab", {0, 2}, "", true, false, "ab", "", "", {{0, 2}, {2, 4}}},
        {"an upward run after a find", "a a a", {5, 5}, "a", false, false, "a", "aa", "aa aa aa",
         {{0, 1}, {2, 3}, {4, 5}}},
        {"upward, never into inserted text", "a", {0, 1}, "", false, false, "a", "aa", "aa", {{0, 1}}},
        {"whole words", "for or", {0, 0}, "", true, true, "or", "OR", "for OR", {{4, 6}}},
        // The bytes beside a removed or replaced match are those of the
        // edited text, as if each replacement had been made before the
        // search went on.
        {"whole words beside a removed match", ".x.x", {0, 2}, "", true, true, ".x", "", "", {{0, 2}, {2, 4}}},
        {"whole words beside a replacement's letter", ".x.x", {0, 2}, "", true, true, ".x", "y", "y.x", {{0, 2}}},
        {"whole words upward beside a removed match", "x.x.", {2, 4}, "", false, true, "x.", "", "",
         {{0, 2}, {2, 4}}},
        {"whole words upward beside a replacement's letter", "x.x.", {2, 4}, "", false, true, "x.", "y", "x.y",
         {{2, 4}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fx.ui.ClearCalls();
        CDlgSearchForm run;
        run.SetMode(CDlgSearchForm::kModeReplace);
        run.SetDown(c.down);
        run.SetWholeWords(c.wholeWords);
        FakeSearchEditor editor(c.text, c.selection);
        if (!c.findFirst.empty()) {
            ASSERT_TRUE(run.FindNext(editor, c.findFirst));
        }
        editor.textReads = 0;

        const int count = run.ReplaceAll(editor, c.pattern, c.replacement);
        EXPECT_EQ(editor.text, c.expected);
        EXPECT_EQ(count, static_cast<int>(c.ranges.size()));
        EXPECT_EQ(editor.textReads, 1);
        if (c.ranges.empty()) {
            EXPECT_TRUE(editor.rangeLists.empty());
            EXPECT_TRUE(Boxes().empty());
        } else {
            EXPECT_EQ(editor.rangeLists, (std::vector<std::vector<TextRange>>{c.ranges}));
            EXPECT_EQ(Boxes(), (SearchTexts{std::to_string(c.ranges.size()) + " Ersetzungen"}));
        }
    }
}

#include "model/core/FrameState.h"
#include "model/core/SourceEdit.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

namespace {

using SourceEditKind = UiCall::Kind;

class SourceEdit : public ::testing::Test {
protected:
    SourceEdit() { f.frame.SetPrjPath(path); }

    FrameFixture f;
    const std::string path = f.dir.File("prj/p.orv");
};

TEST_F(SourceEdit, LoadAndSaveKeepEachLineWithOneLineEnd)
{
    const std::string longLine(2000, 'L');
    f.dir.Write("prj/p.orv", "A\r\n\r\n" + longLine + "\r\nlast\r\n");
    ASSERT_TRUE(LoadSrcEdit(3, 7));
    EXPECT_TRUE(f.frame.IsSourceEditMode());
    const auto loads = f.ui.CallsOf(SourceEditKind::LoadSource);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].text, "A\n\n" + longLine + "\nlast\n");
    EXPECT_EQ(loads[0].line, 3);
    EXPECT_EQ(loads[0].column, 7);
    EXPECT_EQ(f.ui.Calls().front().kind, SourceEditKind::LogClear) << "the view is cleared first";

    f.ui.SetSourceEditorText(loads[0].text);
    f.ui.ClearCalls();
    ASSERT_TRUE(SaveSrcEdit());
    EXPECT_EQ(f.dir.Read("prj/p.orv"), "A\r\n\r\n" + longLine + "\r\nlast\r\n");
    EXPECT_FALSE(f.frame.IsSourceEditMode());
    EXPECT_EQ(f.ui.CallsOf(SourceEditKind::LogClear).size(), 1u);
    EXPECT_TRUE(f.ui.CallsOf(SourceEditKind::Box).empty());
}

TEST_F(SourceEdit, LineEndsAreNormalisedToCrLf)
{
    struct {
        std::string editor;
        std::string file;
    } cases[] = {
        {"a\nb", "a\r\nb\r\n"},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"", ""},
        {"\n", "\r\n"},
    };
    f.dir.Write("prj/p.orv", "x\n");
    for (const auto& c : cases) {
        ASSERT_TRUE(LoadSrcEdit(1, 1));
        EXPECT_EQ(f.ui.CallsOf(SourceEditKind::LoadSource).back().text, "x\n");
        f.ui.SetSourceEditorText(c.editor);
        ASSERT_TRUE(SaveSrcEdit());
        EXPECT_EQ(f.dir.Read("prj/p.orv"), c.file);
        f.dir.Write("prj/p.orv", "x\n");
    }
}

TEST_F(SourceEdit, UnreadableFileChangesNothing)
{
    EXPECT_FALSE(LoadSrcEdit(1, 1));
    EXPECT_FALSE(f.frame.IsSourceEditMode());
    const auto calls = f.ui.Calls();
    ASSERT_EQ(calls.size(), 1u) << "no clear, no load of the editor";
    EXPECT_EQ(calls[0].kind, SourceEditKind::Box);
    EXPECT_EQ(calls[0].id, 15025);
    EXPECT_NE(calls[0].text.find(path), std::string::npos);
}

TEST_F(SourceEdit, FailedSaveKeepsTextAndMode)
{
    f.dir.Write("prj/p.orv", "old\r\n");
    ASSERT_TRUE(LoadSrcEdit(1, 1));
    f.ui.SetSourceEditorText("edited\n");
    std::filesystem::remove_all(f.dir.File("prj"));
    f.ui.ClearCalls();
    EXPECT_FALSE(SaveSrcEdit());
    EXPECT_TRUE(f.frame.IsSourceEditMode());
    const auto boxes = f.ui.CallsOf(SourceEditKind::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].id, 15025);
    EXPECT_NE(boxes[0].text.find(path), std::string::npos);
    EXPECT_TRUE(f.ui.CallsOf(SourceEditKind::LogClear).empty());
    std::string kept;
    EXPECT_TRUE(f.ui.GetSourceEditorText(kept));
    EXPECT_EQ(kept, "edited\n");
}

TEST_F(SourceEdit, RefusedTextWritesNothingAndStaysInTheMode)
{
    f.dir.Write("prj/p.orv", "old\r\n");
    ASSERT_TRUE(LoadSrcEdit(1, 1));
    f.ui.SetSourceEditorText("new\n");
    f.ui.SetSourceEditorSavable(false);
    f.ui.ClearCalls();
    EXPECT_FALSE(SaveSrcEdit());
    EXPECT_TRUE(f.frame.IsSourceEditMode());
    EXPECT_EQ(f.dir.Read("prj/p.orv"), "old\r\n");
    EXPECT_TRUE(f.ui.CallsOf(SourceEditKind::LogClear).empty());
}

TEST_F(SourceEdit, SaveWritesTheFileThatWasLoaded)
{
    f.dir.Write("prj/p.orv", "mine\r\n");
    f.dir.Write("prj/other.orv", "OTHER\r\n");
    ASSERT_TRUE(LoadSrcEdit(1, 1));
    f.frame.SetPrjPath(f.dir.File("prj/other.orv"));  // e.g. restored after a failed open
    f.ui.SetSourceEditorText("mine edited\n");
    ASSERT_TRUE(SaveSrcEdit());
    EXPECT_EQ(f.dir.Read("prj/p.orv"), "mine edited\r\n");
    EXPECT_EQ(f.dir.Read("prj/other.orv"), "OTHER\r\n");
}

TEST_F(SourceEdit, SaveOutsideSourceEditWritesNothing)
{
    f.dir.Write("prj/p.orv", "keep\r\n");
    f.ui.SetSourceEditorText("log text\n");
    EXPECT_FALSE(SaveSrcEdit());
    EXPECT_EQ(f.dir.Read("prj/p.orv"), "keep\r\n");
}

}  // namespace

// Leaving source-edit mode before the start selection: edits are saved,
// dropped or kept, and never lost without a question.
#include "support/FrameFixture.h"
#include "workspace/CloseSourceEdit.h"

#include <gtest/gtest.h>

using namespace orv;

namespace {

const char kSourceEditFile[] = "LINE 1\r\nLINE 2\r\n";

TEST(workspace_close_source_edit, SavesDropsOrKeepsTheEdits)
{
    enum class Answer { None, Yes, No };
    struct Case {
        const char* name;
        bool editMode;
        const char* editorText;
        bool savable;      // the editor can hand its text over
        bool fileMissing;  // the source's folder is gone, so a save fails
        Answer answer;
        bool opens;
        bool modeAfter;
        const char* fileAfter;  // null: as before
    };
    const Case cases[] = {
        {"changed, No", true, "LINE 1\nEDITED\n", true, false, Answer::No, true, false, nullptr},
        {"changed, Yes", true, "LINE 1\nEDITED\n", true, false, Answer::Yes, true, false, "LINE 1\r\nEDITED\r\n"},
        {"save fails", true, "LINE 1\nEDITED\n", true, true, Answer::Yes, false, true, nullptr},
        {"text refused", true, "LINE 1\nEDITED\n", false, false, Answer::None, false, true, nullptr},
        {"unchanged, CR LF", true, "LINE 1\r\nLINE 2\r\n", true, false, Answer::None, true, false, nullptr},
        {"unchanged, LF", true, "LINE 1\nLINE 2\n", true, false, Answer::None, true, false, nullptr},
        {"unchanged, no last line end", true, "LINE 1\nLINE 2", true, false, Answer::None, true, false, nullptr},
        {"not editing", false, "LINE 1\nEDITED\n", true, false, Answer::None, true, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameFixture f;
        f.dir.Write("src.orv", kSourceEditFile);
        const std::string path = c.fileMissing ? f.dir.File("gone/src.orv") : f.dir.File("src.orv");
        f.frame.SetPrjPath(path);
        f.frame.SetSrcEditPath(c.editMode ? path : std::string());
        f.frame.SetSourceEditMode(c.editMode);
        f.ui.SetSourceEditorText(c.editorText);
        f.ui.SetSourceEditorSavable(c.savable);
        if (c.answer != Answer::None)
            f.ui.AnswerQuestionText(kAskSaveSourceEdits, c.answer == Answer::Yes);

        EXPECT_EQ(CloseSourceEdit(), c.opens);
        EXPECT_EQ(f.frame.IsSourceEditMode(), c.modeAfter);
        EXPECT_EQ(f.dir.Read("src.orv"), c.fileAfter ? c.fileAfter : kSourceEditFile);
        const bool cleared = !f.ui.CallsOf(UiCall::Kind::LogClear).empty();
        EXPECT_EQ(cleared, c.editMode && c.opens);
        if (c.answer == Answer::None) {
            EXPECT_TRUE(f.ui.CallsOf(UiCall::Kind::Question).empty());
        }
        if (!c.editMode) {
            EXPECT_TRUE(f.ui.Calls().empty());
        }
        if (!c.opens && c.savable) {
            EXPECT_EQ(f.ui.CallsOf(UiCall::Kind::Box).size(), 1u);  // the failed save said why
        }
    }
}

// The file is written before the view empties, so a crash between them
// leaves the edits on disk.
TEST(workspace_close_source_edit, YesWritesBeforeTheViewClears)
{
    FrameFixture f;
    f.dir.Write("src.orv", kSourceEditFile);
    f.frame.SetSrcEditPath(f.dir.File("src.orv"));
    f.frame.SetSourceEditMode(true);
    f.ui.SetSourceEditorText("NEW\n");
    f.ui.AnswerQuestionText(kAskSaveSourceEdits, true);
    ASSERT_TRUE(CloseSourceEdit());
    std::vector<UiCall::Kind> kinds;
    for (const UiCall& call : f.ui.Calls())
        kinds.push_back(call.kind);
    const std::vector<UiCall::Kind> expected = {UiCall::Kind::ReadSource, UiCall::Kind::Question,
                                                UiCall::Kind::ReadSource, UiCall::Kind::LogClear};
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(f.dir.Read("src.orv"), "NEW\r\n");
}

} // namespace

#include "model/core/FrameState.h"
#include "model/core/MessageBoxes.h"
#include "support/FrameFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orv;

namespace {

using MessageBoxesKind = UiCall::Kind;

struct BoxCase {
    const char* what;
    std::function<int()> show;
    MsgKind kind;
    const char* caption;
    std::string text;
    int id;
    int result;
};

void CheckBoxes(ScriptedUi& ui)
{
    const BoxCase cases[] = {
        {"ShowMessage", [] { return ShowMessage(15025, "/p/a.orv"); }, MsgKind::Warning, "ORVtool",
         "Datei /p/a.orv kann nicht ge\xF6" "ffnet werden", 15025, kBoxOk},
        {"ShowMessageText", [] { return ShowMessageText("Wert %d", 7); }, MsgKind::Warning, "ORVtool", "Wert 7", 0,
         kBoxOk},
        {"ShowInternalError", [] { return ShowInternalError(15031, 1, 99); }, MsgKind::InternalError,
         "ORVtool Intern Error", "Eingabewert mu\xDF zwischen 1 und 99 liegen !", 15031, kBoxOk},
        {"ShowInternalErrorText", [] { return ShowInternalErrorText("Index %u", 3u); }, MsgKind::InternalError,
         "ORVtool Intern Error", "Index 3", 0, kBoxOk},
        {"MsgBoxOk", [] { return MsgBoxOk("Hinweis 100%"); }, MsgKind::PlainOk, " ", "Hinweis 100%", 0, 1},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.what);
        ui.ClearCalls();
        EXPECT_EQ(c.show(), c.result);
        const auto boxes = ui.CallsOf(MessageBoxesKind::Box);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].box, c.kind);
        EXPECT_EQ(boxes[0].caption, c.caption);
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].id, c.id);
    }
}

void CheckQuestions(ScriptedUi& ui)
{
    ui.ClearCalls();
    ui.AnswerQuestion(16201, true);
    ui.AnswerQuestionText("Weiter mit a.orv?", false);
    EXPECT_TRUE(AskYesNo(16201, 12, 4));
    EXPECT_FALSE(AskYesNoText("Weiter mit %s?", "a.orv"));
    const auto questions = ui.CallsOf(MessageBoxesKind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].text, "Syntaxfehler Zeile 12 Zeichen 4\neditieren ?");
    EXPECT_EQ(questions[0].id, 16201);
    EXPECT_EQ(questions[1].id, 0);
}

TEST(MessageBoxes, CaptionKindTextAndIdWithFrame)
{
    FrameFixture f;
    CheckBoxes(f.ui);
    CheckQuestions(f.ui);
}

TEST(MessageBoxes, WorkWithoutFrame)
{
    ScriptedUi ui;
    ScopedUiServices reg(ui);
    ASSERT_EQ(GetMainFrame(), nullptr);
    CheckBoxes(ui);
    CheckQuestions(ui);
}

}  // namespace

#pragma once

#include "model/core/UiServices.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// One call that model code made on the UI, as recorded.
struct UiCall {
    enum class Kind { Box, Question, Status, LogAppend, LogClear, HelpPage, LoadSource, ReadSource, Progress, Hint };

    Kind kind = Kind::Box;
    MsgKind box = MsgKind::Warning; // Box only
    std::string caption;            // Box only
    // Box, question, status and log text; help path; source text loaded;
    // a progress bar's operation and its arguments ("SetPos 40").
    std::string text;
    int id = 0;      // string id of a box or question; a notice's help page
    int line = 0;    // LoadSource only
    int column = 0;  // LoadSource only
    bool answer = false; // Question, and the notice's box when it closed
};

// A UI for tests: records every call in order and answers questions from a
// script. A question that no scripted answer matches fails the test and is
// answered No; an answer still unused when the object goes fails it too.
// Boxes give kBoxOk. A log line that begins "FATAL:" fails the test unless
// it was declared with ExpectFatal; a declared line never logged fails it
// too. Register it with ScopedUiServices.
class ScriptedUi : public UiServices {
public:
    ScriptedUi() = default;
    ~ScriptedUi() override;
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    // One answer for one question with this string id.
    void AnswerQuestion(int stringId, bool yes);
    // One answer for one question with exactly this text (literal formats).
    void AnswerQuestionText(std::string text, bool yes);
    // One log line beginning "FATAL:" that the test expects, exactly.
    void ExpectFatal(std::string line);
    // What OpenHelpPage returns from now on (0 at first).
    void SetHelpResult(int result) { m_helpResult = result; }
    // The editor's text as if the user had edited it.
    void SetSourceEditorText(std::string text) { m_sourceText = std::move(text); }
    // The state the notice's box "always show" is left in by the next
    // notices, in order; a notice beyond them leaves it ticked.
    void AnswerHint(bool keepShowing) { m_hintAnswers.push_back(keepShowing); }
    // Whether the editor's text can be stored (true at first).
    void SetSourceEditorSavable(bool savable) { m_sourceSavable = savable; }

    const std::vector<UiCall>& Calls() const { return m_calls; }
    std::vector<UiCall> CallsOf(UiCall::Kind kind) const;
    std::vector<std::string> TextsOf(UiCall::Kind kind) const;
    // Whether exactly this log line was appended.
    bool HasLogLine(const std::string& line) const;
    // The string ids of the message boxes shown, in order.
    std::vector<int> BoxIds() const;
    void ClearCalls() { m_calls.clear(); }

    int MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId) override;
    bool AskYesNo(std::string_view text, int stringId) override;
    void SetStatusText(std::string_view text) override;
    void AppendLog(std::string_view line) override;
    void ClearLog() override;
    int OpenHelpPage(const std::string& path) override;
    void LoadSourceEditor(std::string_view text, int line, int column) override;
    bool GetSourceEditorText(std::string& text) override;
    // A bar that records its creation and every operation as Progress calls.
    std::unique_ptr<CProgressBar> CreateProgressBar(std::string_view label, int sizePercent, int rangeMax,
                                                    bool smooth, int pane) override;
    bool HintBox(std::string_view text, int helpPage) override;

private:
    struct Answer {
        int id = 0;
        std::string text;
        bool byText = false;
        bool yes = false;
        bool used = false;
    };

    UiCall& Record(UiCall::Kind kind, std::string_view text);

    std::vector<UiCall> m_calls;
    std::vector<Answer> m_script;
    std::vector<std::pair<std::string, bool>> m_expectedFatal; // line, seen
    int m_helpResult = 0;
    std::string m_sourceText;
    bool m_sourceSavable = true;
    std::vector<bool> m_hintAnswers;
    size_t m_hintsShown = 0;
};

} // namespace orv

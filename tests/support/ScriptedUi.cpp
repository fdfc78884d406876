#include "support/ScriptedUi.h"

#include <functional>

#include <gtest/gtest.h>

namespace orv {

ScriptedUi::~ScriptedUi()
{
    for (const auto& [line, seen] : m_expectedFatal)
        if (!seen)
            ADD_FAILURE() << "expected FATAL log line not logged: \"" << line << "\"";
    for (const Answer& a : m_script) {
        if (a.used)
            continue;
        if (a.byText)
            ADD_FAILURE() << "scripted answer unused: question \"" << a.text << "\"";
        else
            ADD_FAILURE() << "scripted answer unused: question id " << a.id;
    }
}

void ScriptedUi::AnswerQuestion(int stringId, bool yes)
{
    m_script.push_back(Answer{stringId, {}, false, yes, false});
}

void ScriptedUi::AnswerQuestionText(std::string text, bool yes)
{
    m_script.push_back(Answer{0, std::move(text), true, yes, false});
}

std::vector<UiCall> ScriptedUi::CallsOf(UiCall::Kind kind) const
{
    std::vector<UiCall> out;
    for (const UiCall& c : m_calls)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

std::vector<std::string> ScriptedUi::TextsOf(UiCall::Kind kind) const
{
    std::vector<std::string> out;
    for (const UiCall& c : m_calls)
        if (c.kind == kind)
            out.push_back(c.text);
    return out;
}

bool ScriptedUi::HasLogLine(const std::string& line) const
{
    for (const UiCall& c : m_calls)
        if (c.kind == UiCall::Kind::LogAppend && c.text == line)
            return true;
    return false;
}

std::vector<int> ScriptedUi::BoxIds() const
{
    std::vector<int> ids;
    for (const UiCall& c : m_calls)
        if (c.kind == UiCall::Kind::Box)
            ids.push_back(c.id);
    return ids;
}

UiCall& ScriptedUi::Record(UiCall::Kind kind, std::string_view text)
{
    UiCall call;
    call.kind = kind;
    call.text = std::string(text);
    m_calls.push_back(std::move(call));
    return m_calls.back();
}

int ScriptedUi::MessageBox(MsgKind kind, std::string_view caption, std::string_view text, int stringId)
{
    UiCall& call = Record(UiCall::Kind::Box, text);
    call.box = kind;
    call.caption = std::string(caption);
    call.id = stringId;
    return kBoxOk;
}

bool ScriptedUi::AskYesNo(std::string_view text, int stringId)
{
    UiCall& call = Record(UiCall::Kind::Question, text);
    call.id = stringId;
    for (Answer& a : m_script) {
        if (a.used)
            continue;
        const bool matches = a.byText ? a.text == text : (stringId != 0 && a.id == stringId);
        if (matches) {
            a.used = true;
            call.answer = a.yes;
            return a.yes;
        }
    }
    ADD_FAILURE() << "unexpected question (id " << stringId << "): \"" << text << "\"";
    return false;
}

void ScriptedUi::SetStatusText(std::string_view text)
{
    Record(UiCall::Kind::Status, text);
}

void ScriptedUi::ExpectFatal(std::string line)
{
    m_expectedFatal.emplace_back(std::move(line), false);
}

void ScriptedUi::AppendLog(std::string_view line)
{
    Record(UiCall::Kind::LogAppend, line);
    if (line.substr(0, 6) != "FATAL:")
        return;
    for (auto& [expected, seen] : m_expectedFatal) {
        if (!seen && expected == line) {
            seen = true;
            return;
        }
    }
    ADD_FAILURE() << "unexpected FATAL log line: \"" << line << "\"";
}

void ScriptedUi::ClearLog()
{
    Record(UiCall::Kind::LogClear, {});
}

int ScriptedUi::OpenHelpPage(const std::string& path)
{
    Record(UiCall::Kind::HelpPage, path);
    return m_helpResult;
}

void ScriptedUi::LoadSourceEditor(std::string_view text, int line, int column)
{
    UiCall& call = Record(UiCall::Kind::LoadSource, text);
    call.line = line;
    call.column = column;
    m_sourceText = std::string(text);
}

bool ScriptedUi::GetSourceEditorText(std::string& text)
{
    Record(UiCall::Kind::ReadSource, {});
    if (!m_sourceSavable)
        return false;
    text = m_sourceText;
    return true;
}

bool ScriptedUi::HintBox(std::string_view text, int helpPage)
{
    UiCall& call = Record(UiCall::Kind::Hint, text);
    call.id = helpPage;
    call.answer = m_hintsShown < m_hintAnswers.size() ? m_hintAnswers[m_hintsShown] : true;
    ++m_hintsShown;
    return call.answer;
}

namespace {

class RecordingProgressBar final : public CProgressBar {
public:
    explicit RecordingProgressBar(std::function<void(std::string)> record) : m_record(std::move(record)) {}
    ~RecordingProgressBar() override { m_record("Destroy"); }

    void SetText(std::string_view label) override { m_record("SetText " + std::string(label)); }
    void SetPos(int pos) override { m_record("SetPos " + std::to_string(pos)); }
    void SetRange(int lower, int upper, int step) override
    {
        m_record("SetRange " + std::to_string(lower) + " " + std::to_string(upper) + " " + std::to_string(step));
    }
    void SetStep(int step) override { m_record("SetStep " + std::to_string(step)); }
    void Clear() override { m_record("Clear"); }

private:
    std::function<void(std::string)> m_record;
};

} // namespace

std::unique_ptr<CProgressBar> ScriptedUi::CreateProgressBar(std::string_view label, int sizePercent, int rangeMax,
                                                           bool smooth, int pane)
{
    auto record = [this](std::string text) { Record(UiCall::Kind::Progress, text); };
    record("Create " + std::string(label) + " " + std::to_string(sizePercent) + " " + std::to_string(rangeMax) + " " +
           (smooth ? "1" : "0") + " " + std::to_string(pane));
    return std::make_unique<RecordingProgressBar>(record);
}

} // namespace orv

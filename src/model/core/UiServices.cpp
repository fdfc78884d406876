// The UI services in place until the GUI registers its own: boxes print to
// stderr and every question is answered No, so a headless run never waits.
#include "model/core/UiServices.h"

#include <cerrno>
#include <cstdio>

namespace orv {

namespace {

class StderrUi final : public UiServices {
public:
    int MessageBox(MsgKind, std::string_view caption, std::string_view text, int) override
    {
        Print(caption, text);
        return kBoxOk;
    }
    bool AskYesNo(std::string_view text, int) override
    {
        Print("question answered No", text);
        return false;
    }
    void SetStatusText(std::string_view) override {}
    void AppendLog(std::string_view line) override { Print("log", line); }
    void ClearLog() override {}
    int OpenHelpPage(const std::string&) override { return ENOSYS; }
    void LoadSourceEditor(std::string_view, int, int) override {}
    bool GetSourceEditorText(std::string&) override { return false; }
    std::unique_ptr<CProgressBar> CreateProgressBar(std::string_view, int, int, bool, int) override
    {
        return std::make_unique<CNoProgressBar>();
    }

private:
    static void Print(std::string_view caption, std::string_view text)
    {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    }
};

StderrUi g_fallback;
UiServices* g_registered = nullptr;

} // namespace

UiServices& GetUiServices()
{
    return g_registered ? *g_registered : g_fallback;
}

ScopedUiServices::ScopedUiServices(UiServices& ui) : m_previous(g_registered)
{
    g_registered = &ui;
}

ScopedUiServices::~ScopedUiServices()
{
    g_registered = m_previous;
}

} // namespace orv

// The UI services in place until the GUI registers its own: boxes print to
// stderr and every question is answered No, so a headless run never waits.
#include "model/core/UiServices.h"

#include "model/core/LangStrings.h"
#include "model/core/ProgramIni.h"

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
    // Nobody can untick the box, so the key stays as it is.
    bool HintBox(std::string_view text, int) override
    {
        Print("notice", text);
        return true;
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

void UiServices::ShowHint(std::string_view key, int stringId, int helpPage)
{
    if (ReadIniInt(key, 1) != 1)
        return;
    const bool again = HintBox(LoadLangString(static_cast<uint32_t>(stringId)), helpPage);
    WriteIniInt(key, again ? 1 : 0);
}

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

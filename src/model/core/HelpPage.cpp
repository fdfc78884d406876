// Resolves help pages below the program directory regardless of case and opens
// them through the UI services; a missing page is logged, not fatal.
#include "model/core/HelpPage.h"

#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/project/PanelTable.h"
#include "model/core/StartSelInfo.h"
#include "model/core/UiServices.h"
#include "platform/FileLookup.h"
#include "platform/ProgramDirs.h"

#include <cstdio>

namespace orv {

namespace {

bool ChosenPanelHasOwnPages()
{
    const CFrameState* frame = GetMainFrame();
    if (!frame || !frame->GetStartSel())
        return false;
    const int model = frame->GetStartSel()->GetModelNo();
    const PanelRow* row = model >= 0 && model <= 0xFFFF ? FindPanel(static_cast<uint16_t>(model)) : nullptr;
    return row && row->ownHelp;
}

std::string RelativePage(int page, int number)
{
    const bool own = ChosenPanelHasOwnPages();
    switch (page) {
    case 0: return own ? "orv706/p787_inh.htm" : "orv044/044_default.htm";
    case 1: return own ? "orv706/p787_07.htm" : "orv044/044_14.htm";
    case 2: {
        char name[32];
        std::snprintf(name, sizeof name, "s%03d.htm", number);
        return name;
    }
    case 3: return "fifowarn/default.htm";
    default: return "";
    }
}

}  // namespace

std::string HelpPagePath(int page, int number)
{
    const std::string file = RelativePage(page, number);
    const std::string programDir = orv::GetProgramDir();
    // The directory itself is looked up without its trailing '/'.
    const std::string relative = file.empty() ? "hlp" : "hlp/" + file;
    const std::string suffix = file.empty() ? "/" : "";
    if (auto found = orv::FindPathNoCase(programDir, relative)) return *found + suffix;
    return programDir + relative + suffix;
}

void ShowHelpPage(int page, int number)
{
    const std::string path = HelpPagePath(page, number);
    const int error = GetUiServices().OpenHelpPage(path);
    if (error != 0) LogLine(kLogErrors, "Unable to launch browser with file %s, Error# %d", path.c_str(), error);
}

} // namespace orv

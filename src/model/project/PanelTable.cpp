// The rows of the panel table; the one unit allowed to spell panel codes, so
// every other layer asks it.
#include "model/project/PanelTable.h"

namespace orv {

namespace {

constexpr uint16_t kMenus043_118 = 0x30FF;
constexpr uint16_t kMenus706 = 0x303F;

// In the order a configured panel id is tried; 755 comes before 706 and
// after its base 47.
constexpr std::array<PanelRow, 11> kRows = {{
    {.code = 14, .family = Family::F043, .variant = 0, .base = 14,
     .configId = "ORV014", .sourceKeyword = "ORV014_PARAMETER", .simSection = "SIMULATION_ORV014", .name = "ORV 014",
     .columns = 20, .rows = 4, .softkeyRows = 2, .functionKeys = 8,
     .charGroup = CharGroup::Alt, .fktGroup = FktGroup::P014, .drvLibRow = 0,
     .linkId = "OG014", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .simTerminal = true,
     .printer = false, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 15, .firstFreeItem = 30, .textCharFlags = 0x0002,
     .fwLevels = {203, 203, 0, 0, 0, 0, 0}},
    {.code = 36, .family = Family::F043, .variant = 0, .base = 36,
     .configId = "ORVlight", .sourceKeyword = "ORV036_PARAMETER", .simSection = "SIMULATION_ORVlight", .name = "ORVlight",
     .columns = 40, .rows = 2, .softkeyRows = 1, .functionKeys = 8,
     .charGroup = CharGroup::Alt, .fktGroup = FktGroup::P043, .drvLibRow = 0,
     .linkId = "OG036", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .moduleRule = ModuleRule::Bit7, .moduleId = "ORV523",
     .printer = false, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 15, .firstFreeItem = 30, .textCharFlags = 0x0004},
    {.code = 43, .family = Family::F043, .variant = 0, .base = 43,
     .configId = "ORV043", .sourceKeyword = "ORV043_PARAMETER", .simSection = "SIMULATION_ORV043", .name = "ORV 043",
     .columns = 40, .rows = 2, .softkeyRows = 1, .functionKeys = 8,
     .charGroup = CharGroup::Alt, .fktGroup = FktGroup::P043, .drvLibRow = 0,
     .linkId = "OG043", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .moduleRule = ModuleRule::Bit7, .moduleId = "ORV534", .simTerminal = true,
     .printer = false, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 15, .firstFreeItem = 30, .textCharFlags = 0x0004,
     .fwLevels = {206, 206, 0, 0, 202, 205, 204}},
    {.code = 47, .family = Family::F043, .variant = 0, .base = 47,
     .configId = "ORV047", .sourceKeyword = "ORV047_PARAMETER", .simSection = "SIMULATION_ORV047", .name = "ORV 047",
     .columns = 40, .rows = 4, .softkeyRows = 2, .functionKeys = 16,
     .charGroup = CharGroup::Alt, .fktGroup = FktGroup::P047, .drvLibRow = 0,
     .linkId = "OG047", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .recordSets = 4, .moduleRule = ModuleRule::Bit0, .moduleId = "ORV537", .simTerminal = true,
     .printer = true, .servo = true, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 15, .firstFreeItem = 30, .textCharFlags = 0x0008,
     .fwLevels = {407, 407, 405, 407, 202, 406, 204}},
    // The variant draws with the INT font; its image takes one firmware
    // level for every feature, which the compiler knows.
    {.code = 755, .family = Family::F043, .variant = 1, .base = 47,
     .configId = "ORV0755", .sourceKeyword = "ORV755_PARAMETER", .simSection = "SIMULATION_ORV047", .name = "ORV 047.2",
     .columns = 40, .rows = 4, .softkeyRows = 2, .functionKeys = 16,
     .charGroup = CharGroup::Int, .fktGroup = FktGroup::P047, .drvLibRow = 0,
     .simDriver = SimDriver::Midi,
     .dataBanks = 2, .moduleId = "ORV537",
     .printer = true, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 15, .firstFreeItem = 30, .textCharFlags = 0},
    {.code = 706, .family = Family::F706, .variant = 0, .base = 706,
     .configId = "ORV706", .sourceKeyword = "ORV706_PARAMETER", .simSection = "SIMULATION_ORV706", .name = "ORV 706",
     .columns = 40, .rows = 2, .softkeyRows = 0, .functionKeys = 20,
     .charGroup = CharGroup::F706, .fktGroup = FktGroup::P706, .drvLibRow = 1,
     .frmFile = "ORV706.FRM", .drvBase = 0x5E000,
     .histTexts = true, .timeSwitches = true,
     .printer = true, .servo = false, .ownHelp = true, .charRows = 7, .highUserChars = true,
     .varsPerRow = 8, .maxSoftkeyText = 255, .sysHistText = 1023, .menuOptions = kMenus706,
     .msgItemLow = 41, .msgItemHigh = 41, .firstFreeItem = 49, .textCharFlags = 0,
     .blankRunMax = 15, .systemWord = 6},
    {.code = 473, .family = Family::F706, .variant = 0, .base = 473,
     .configId = "ORV473", .sourceKeyword = "ORV473_PARAMETER", .simSection = "SIMULATION_ORV473", .name = "ORV 473",
     .columns = 40, .rows = 2, .softkeyRows = 0, .functionKeys = 16,
     .charGroup = CharGroup::Alt, .fktGroup = FktGroup::None, .drvLibRow = 2,
     .frmFile = "ORV473.FRM", .drvBase = 0x5B000,
     .simDriver = SimDriver::Pe473,
     .fieldbus = true,
     .printer = true, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 8, .maxSoftkeyText = 255, .sysHistText = 0, .menuOptions = kMenus706,
     .msgItemLow = 15, .msgItemHigh = 22, .firstFreeItem = 49, .textCharFlags = 0x0040,
     .blankRunMax = 7, .systemWord = 8},
    // 477 shares the firmware form file of 473.
    {.code = 477, .family = Family::F706, .variant = 0, .base = 477,
     .configId = "ORV477", .sourceKeyword = "ORV477_PARAMETER", .simSection = "SIMULATION_ORV477", .name = "ORV 477",
     .columns = 40, .rows = 4, .softkeyRows = 0, .functionKeys = 16,
     .charGroup = CharGroup::Int, .fktGroup = FktGroup::None, .drvLibRow = 3,
     .frmFile = "ORV473.FRM", .drvBase = 0x5B000,
     .fieldbus = true,
     .printer = true, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 8, .maxSoftkeyText = 255, .sysHistText = 0, .menuOptions = kMenus706,
     .msgItemLow = 15, .msgItemHigh = 22, .firstFreeItem = 49, .textCharFlags = 0x0080,
     .blankRunMax = 7, .systemWord = 8},
    // The plus model of 14: its name is a catalogue text.
    {.code = 118, .family = Family::F118, .variant = 0, .base = 118,
     .configId = "ORV118", .sourceKeyword = "ORV118_PARAMETER", .simSection = "SIMULATION_ORV118", .name = "ORV 014plus",
     .nameText = 27,
     .columns = 20, .rows = 4, .softkeyRows = 2, .functionKeys = 8,
     .charGroup = CharGroup::Int, .fktGroup = FktGroup::P014, .drvLibRow = 4,
     .frmFile = "ORV118.FRM",
     .linkId = "OG118", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .moduleId = "ORV537", .plusName = "ORV 014plus",
     .printer = true, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 22, .firstFreeItem = 36, .textCharFlags = 0x0100},
    {.code = 163, .family = Family::F118, .variant = 0, .base = 163,
     .configId = "ORV163", .sourceKeyword = "ORV163_PARAMETER", .simSection = "SIMULATION_ORV163", .name = "ORV 163",
     .columns = 40, .rows = 2, .softkeyRows = 1, .functionKeys = 8,
     .charGroup = CharGroup::Int, .fktGroup = FktGroup::P043, .drvLibRow = 4,
     .frmFile = "ORV163.FRM",
     .linkId = "OG163", .simDriver = SimDriver::Mini,
     .dataBanks = 2, .moduleId = "ORV537", .plusName = "ORV 043plus",
     .printer = true, .servo = false, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 22, .firstFreeItem = 36, .textCharFlags = 0x0200},
    {.code = 167, .family = Family::F118, .variant = 0, .base = 167,
     .configId = "ORV167", .sourceKeyword = "ORV167_PARAMETER", .simSection = "SIMULATION_ORV167", .name = "ORV 167",
     .columns = 40, .rows = 4, .softkeyRows = 2, .functionKeys = 16,
     .charGroup = CharGroup::Int, .fktGroup = FktGroup::P047, .drvLibRow = 4,
     .frmFile = "ORV167.FRM",
     .linkId = "OG167", .simDriver = SimDriver::Mini,
     .dataBanks = 6, .moduleId = "ORV537", .plusName = "ORV 047plus", .largeRecipeMemory = true,
     .printer = true, .servo = true, .ownHelp = false, .charRows = 8, .highUserChars = false,
     .varsPerRow = 4, .maxSoftkeyText = 127, .sysHistText = 0, .menuOptions = kMenus043_118,
     .msgItemLow = 15, .msgItemHigh = 22, .firstFreeItem = 36, .textCharFlags = 0x0400},
}};

}  // namespace

std::span<const PanelRow> PanelRows() { return kRows; }

const PanelRow* FindPanel(uint16_t code)
{
    for (const PanelRow& row : kRows)
        if (row.code == code)
            return &row;
    return nullptr;
}

HeldPanel HeldPanelOf(uint16_t fileCode)
{
    const PanelRow* row = FindPanel(fileCode);
    if (!row)
        return {fileCode, false};
    return {row->base, row->variant != 0};
}

uint16_t FileCodeOf(uint16_t code, bool variant)
{
    if (!variant)
        return code;
    for (const PanelRow& row : kRows)
        if (row.base == code && row.variant != 0)
            return row.code;
    return code;
}

bool HasVariant(uint16_t code) { return FileCodeOf(code, true) != code; }

DrvFamily DrvFamilyOf(Family family) { return family == Family::F706 ? DrvFamily::F706 : DrvFamily::F043; }

} // namespace orv

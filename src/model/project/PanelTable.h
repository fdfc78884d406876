#pragma once

// The one place that knows the panel types: a constant row of facts per
// panel code. Model, source and image ask it instead of switching on codes,
// so a new panel is a new row.

#include <array>
#include <cstdint>
#include <span>

namespace orv {

// The three panel families of compilers, decompilers and built-in content,
// each named by its lead panel.
enum class Family : uint8_t {
    F043,  // 14, 36, 43, 47 and its variant 755
    F118,  // 118, 163, 167
    F706,  // 473, 477, 706
};

// The two entry formats of PLC drivers and their libraries, named by the
// format: the 043 and 118 families share the 043 format, the 706 family has
// its own.
enum class DrvFamily : uint8_t { F043, F706 };

// The three panel fonts. The numbers match the font families of the start
// selection ("alt" 1, "706" 2, "int" 3).
enum class CharGroup : int { None = 0, Alt = 1, F706 = 2, Int = 3 };

// The groups that share a standard special-function file; the numbers are
// the workspace's slots of their paths.
enum class FktGroup : int8_t { None = -1, P014 = 0, P043 = 1, P047 = 2, P706 = 3 };

// The simulation driver a bound project takes in place of its PLC driver;
// the 706 and 477 have none.
enum class SimDriver : uint8_t { None, Mini, Pe473, Midi };

// How the link reads the terminal module byte before a data set goes to a
// panel: bit 7 (or a firmware below level 2) or bit 0 must be set; None
// where the link does not ask.
enum class ModuleRule : uint8_t { None, Bit7, Bit0 };

struct PanelRow {
    uint16_t code;
    Family family;
    // 1 for the ".2" variant of a panel: a project keeps it as its base code
    // with the variant flag, while files name it by its own code.
    uint8_t variant;
    uint16_t base;
    // The panel id of the tool configuration and the start selection.
    const char* configId;
    // The header keyword of a project source file.
    const char* sourceKeyword;
    // The tool configuration's section of default simulation words.
    const char* simSection;
    // The name a question shows; nameText, when not 0, names the catalogue
    // text that stands in for it.
    const char* name;
    uint16_t nameText = 0;
    uint8_t columns;
    uint8_t rows;
    // Softkey rows the project builds in ([Z084], [Z085]); 0 where the
    // firmware image brings them.
    uint8_t softkeyRows;
    uint8_t functionKeys;
    CharGroup charGroup;
    FktGroup fktGroup;
    // The driver library's row in the driver configuration.
    int8_t drvLibRow;
    // The firmware form file; nullptr for the 043 family, which has none.
    const char* frmFile = nullptr;
    // Panel address where a 706 family driver is loaded; 0 where driver
    // pointers are no panel addresses.
    uint32_t drvBase = 0;
    // The id a panel of the 043 or 118 family names itself by when the link
    // asks; nullptr for the variant, whose answer the link does not check,
    // and for the 706 family, whose link asks in another way.
    const char* linkId = nullptr;
    SimDriver simDriver = SimDriver::None;
    // 043 and 118 families: the data banks of the panel's memory, and the
    // data sets a panel keeps apart from its banks (0: the banks are the
    // records).
    uint8_t dataBanks = 0;
    uint8_t recordSets = 0;
    ModuleRule moduleRule = ModuleRule::None;
    // The terminal module a refused data set names; nullptr: none.
    const char* moduleId = nullptr;
    // The plus model's name a link error names; nullptr: none.
    const char* plusName = nullptr;
    // 706 family panels on a fieldbus, whose link checks the bus answer and
    // clears the display lines it wrote on.
    bool fieldbus = false;
    // Offers history texts.
    bool histTexts = false;
    // Offers the time switches.
    bool timeSwitches = false;
    // The simulation checks the panel's terminal module before it starts.
    bool simTerminal = false;
    // 118 family: the recipe memory is the larger one.
    bool largeRecipeMemory = false;
    // Takes the printer settings (PRMODE) and drives a printer.
    bool printer;
    // Offers the servo special functions.
    bool servo;
    // The help has pages of its own for this panel.
    bool ownHelp;
    // Pixel rows of a user character, and whether the user characters are
    // codes 128..255 (else 0..7).
    uint8_t charRows;
    bool highUserChars;
    uint8_t varsPerRow;
    uint16_t maxSoftkeyText;
    // Number of the default history text of a new project; 0: none.
    uint16_t sysHistText;
    uint16_t menuOptions;
    // Driver parameter item of the message word of message n:
    // n / 16 + msgItemLow below message 128, n / 16 + msgItemHigh from 128.
    uint8_t msgItemLow;
    uint8_t msgItemHigh;
    // The first variable item offered when none is free.
    uint16_t firstFreeItem;
    // The family flag that the source reader's character tests get.
    uint16_t textCharFlags;
    // 706 family images: the longest run of blanks one count byte holds, and
    // the first word of the system block.
    uint8_t blankRunMax = 0;
    uint16_t systemWord = 0;
    // 043 family images: the firmware level each feature needs, in the order
    // of the compiler's causes; 0 where it needs none.
    std::array<uint16_t, 7> fwLevels{};
};

// Every panel, in the order a configured panel id or a source header is
// tried.
std::span<const PanelRow> PanelRows();

// The row of a panel code; nullptr for a code of no panel.
const PanelRow* FindPanel(uint16_t code);

// The code a project keeps for the panel a file names (47 for 755), with
// its variant flag; an unknown code stays as it is.
struct HeldPanel {
    uint16_t code;
    bool variant;
};
HeldPanel HeldPanelOf(uint16_t fileCode);

// The code a file names for a panel a project keeps (755 for 47 with the
// variant); an unknown code stays as it is.
uint16_t FileCodeOf(uint16_t code, bool variant);

// A panel code that a project keeps with a variant (47 for 755).
bool HasVariant(uint16_t code);

DrvFamily DrvFamilyOf(Family family);

} // namespace orv

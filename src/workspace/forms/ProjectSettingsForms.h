// The project's settings dialogs without their windows: time settings,
// printer parameters, memory partition and a menu's setpoint options. Each
// form holds what its controls show and does what their OK does; a form
// marks the project modified exactly when it changed something.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace orv {

class CPrjData;
class CPrjMnu;
class CPrjVar;
class CSpsPar;

// The two edits a PLC address is typed in: the block (or high part) and the
// word (or low part).
struct AdrParts {
    uint16_t high = 0;
    uint16_t low = 0;
    bool operator==(const AdrParts&) const = default;
};
// The typed form of a data-word number and, back, the data-word number of a
// typed form (-1 below the window); PLC types without a block keep the high
// part 0. The variable dialog's notation, so that every dialog names an
// address alike.
AdrParts SplitWordNo(const CSpsPar& sps, uint16_t wordNo);
int64_t WordOfParts(const CSpsPar& sps, AdrParts parts);
// The PLC address of a data word as the address messages name it.
std::string AdrText(const CSpsPar& sps, uint16_t wordNo);
// The data word a block variable names; a variable without one (a negative
// address) names none, 0.
uint16_t BlockWordOf(const CPrjVar& blockVar);
// The block's internal variable ("[Z24]" clock/date, "[Z25]" recipe block)
// moves to the word, and the interface variables of the block follow, their
// old items released.
void MoveIfcBlock(CPrjData& prj, CPrjVar& blockVar, uint16_t word, bool dateTime);

// "Zeiten": rolling time, clock/date address and date format.
class CDlgTimesForm {
public:
    static constexpr int kIdRoll = 2223;
    static constexpr int kIdHigh = 2231;
    static constexpr int kIdLow = 2227;
    static constexpr int kIdLowLabel = 2228;
    static constexpr std::array<int, 3> kIdDateModes{2229, 1965, 1966};
    enum class Field { None, Roll, Low };

    // The local time for the date texts; the data-word caption of the chosen
    // PLC type and the panel's device type text.
    CDlgTimesForm(CPrjData* prj, std::function<std::tm()> clock, std::string dwCaption, std::string devTyp);

    // Reads the project again, as opening the dialog does.
    void Load();

    int16_t roll = 10;
    AdrParts adr;
    uint16_t dateMode = 0;

    std::string LowLabel() const { return "Von " + m_dwCaption; }
    // "EU  05.03.24", "US  03/05/24", "MIL 24-03-05" for today.
    std::string DateText(int mode) const;
    bool HighEnabled() const;
    bool LowEnabled() const;
    bool DateModesEnabled() const;

    // Checks, then stores on a change; false, after its message, while a
    // check fails: FailedField names the edit to select.
    bool Ok();
    Field FailedField() const { return m_failed; }

private:
    bool Validate();
    bool CheckWords(uint16_t first);
    bool Apply();
    uint16_t SpsType() const;
    const CSpsPar* Sps() const;

    CPrjData* m_prj;
    std::function<std::tm()> m_clock;
    std::string m_dwCaption;
    std::string m_devTyp;
    int16_t m_roll0 = 10;
    AdrParts m_adr0;
    uint16_t m_dateMode0 = 0;
    Field m_failed = Field::None;
};

// "Druckerparameter": the serial printer's settings.
class CDlgPrnParForm {
public:
    static constexpr std::array<int, 2> kIdIfc{2171, 2172};
    static constexpr std::array<int, 3> kIdHandshake{2199, 2200, 2201};
    static constexpr std::array<int, 5> kIdBaud{2174, 2175, 2176, 2177, 2178};
    static constexpr std::array<int, 3> kIdParity{2187, 2188, 2189};
    static constexpr std::array<int, 2> kIdDataBits{2185, 2186};
    static constexpr std::array<int, 2> kIdStopBits{2183, 2184};
    static constexpr std::array<int, 2> kIdDirection{2203, 2204};
    static constexpr int kIdStatus = 2234;
    static constexpr int kIdTimeout = 2205;
    static constexpr int kIdInit = 2206;
    static constexpr std::array<int, 8> kIdSubst{2211, 1902, 1903, 1904, 1905, 1906, 1907, 1908};
    static constexpr std::array<int, 8> kIdCtrl{2222, 2223, 2224, 2225, 2226, 2227, 2228, 2229};
    static constexpr int kCtrlVarFirst = 76;

    // What the panel type shows; a hidden field keeps its value.
    struct Layout {
        bool ttyEnabled = true;
        bool statusShown = false;
        // The handshake and replacement groups, or else the control
        // sequences.
        bool substShown = false;
        int timeoutLen = 0; // 0: no limit
        int initLen = 16;
    };
    static Layout LayoutOf(uint16_t devType);

    explicit CDlgPrnParForm(CPrjData* prj);
    void Load();
    const Layout& GetLayout() const { return m_layout; }

    struct Values {
        uint16_t ifc = 0;
        uint16_t handshake = 1;
        uint16_t baud = 3;
        uint16_t parity = 1;
        uint16_t dataBits = 0;
        uint16_t stopBits = 1;
        uint16_t direction = 1;
        bool operator==(const Values&) const = default;
    };
    // The radios' working values: a radio changes them only.
    Values values;
    std::string status;
    std::string timeout;
    std::string init;
    std::array<std::string, 8> subst;
    std::array<std::string, 8> ctrl;

    // Stores what changed; false, after its message, while the status
    // address or the time-out is refused (the field to select).
    bool Ok();
    int FailedId() const { return m_failed; }

private:
    bool Changed() const;
    void Store(uint16_t statusWord, uint16_t timeout);

    CPrjData* m_prj;
    Layout m_layout;
    Values m_values0;
    uint16_t m_statusWord0 = 0;
    AdrParts m_statusAdr0;
    std::string m_status0;
    std::string m_timeout0;
    std::string m_init0;
    std::array<std::string, 8> m_subst0;
    std::array<std::string, 8> m_ctrl0;
    int m_failed = 0;
};

// "ORV-Speicheraufteilung": data-set and recipe format.
class CDlgMemPartitionForm {
public:
    static constexpr int kIdLarge = 1963;
    static constexpr int kIdSmall = 1964;
    static constexpr int kIdShared = 1965;
    static constexpr int kIdSeparate = 1966;

    explicit CDlgMemPartitionForm(CPrjData* prj);
    void Load();

    bool large = true;
    bool shared = false;
    // The recipe radios: greyed on a large data set, except on panel 167.
    bool RecipeEnabled() const;
    void Ok();

private:
    CPrjData* m_prj;
};

// "Menüoptionen (Behandlung von Sollwerten)": the eight setpoint options of
// a menu, two bits each.
class CDlgMnuOptForm {
public:
    static constexpr int kOptions = 8;
    static constexpr int kIdDefault = 2236;
    // The radios of option o for the values 0..3.
    static constexpr std::array<std::array<int, 4>, kOptions> kIdRadios{{
        {2237, 1965, 1966, 2238},
        {2241, 1967, 1968, 2242},
        {2243, 1969, 1970, 2244},
        {2245, 1971, 1972, 2246},
        {2247, 1973, 1974, 2248},
        {2249, 1975, 1976, 2250},
        {2251, 1977, 1978, 2252},
        {2253, 1979, 1980, 2254},
    }};
    using Options = std::array<uint16_t, kOptions>;
    static Options Unpack(uint16_t word);
    static uint16_t Pack(const Options& options);

    // Null project: the mask of a panel that offers no extra options.
    explicit CDlgMnuOptForm(CPrjData* prj);
    void LoadFromMenu(CPrjMnu* menu);

    Options options{};
    // "Default Optionen".
    void Default();
    // Stores a change in the menu; true when it did.
    bool Ok();

private:
    uint16_t Mask() const;

    CPrjData* m_prj;
    CPrjMnu* m_menu = nullptr;
    Options m_loaded{};
};

} // namespace orv

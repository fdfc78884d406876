// What the start-selection dialog shows and checks, without a window: its
// combos, the data-word controls, the range checks and the hand-over on OK.
#pragma once

#include "workspace/StartSel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

// The state of the dialog's controls besides the combos.
struct StartSelControls {
    bool dbLabelShown = false;
    bool dbEditShown = false;
    std::string dbText;
    std::string dwCaption;
    bool vonLabelShown = false;
    bool vonShown = false;
    bool vonEnabled = false;
    std::string vonText;
    bool vonDecLabelShown = false;
    bool vonDecShown = false;
    bool vonDecEnabled = false;
    bool bisLabelShown = false;
    bool bisShown = false;
    std::string bisText;
    std::string bisDecText;
    bool bisDecLabelShown = false;
    bool bisDecShown = false;
    bool bisDecEnabled = false;
    bool intlEnabled = false;
    bool intlChecked = false;
    bool simDrv = false;
    bool keepSettings = false;
};

// The data words as the PLC type enters them: hexadecimal ("%-4.4X") or
// decimal. Reading takes hex digits in either case; an empty text or any
// other character gives nothing.
std::string FormatDwEdit(int64_t value, bool hex);
std::optional<int64_t> ParseDwEdit(const std::string& text, bool hex);

// The dialog's model. It works on a copy of the held selection, so that
// closing without OK leaves the selection as it was; OK commits the copy
// when it hands the values over, whatever the project manager answers.
class CStartSelForm {
public:
    static constexpr const char* kRangeFormat = "Wert '%s' muss zwischen %d und %d liegen";

    explicit CStartSelForm(CStartSel& model);

    // Fills the form from the held selection; false (after the fatal box)
    // while the selection was never set.
    bool Init();

    std::vector<std::string> AppNames() const { return m_work.q.app.Names(); }
    std::vector<std::string> DevNames() const { return m_work.q.dev.Names(); }
    std::vector<std::string> SpsNames() const { return m_work.q.sps.Names(); }
    std::vector<std::string> DrvNames() const { return m_work.q.drv.Names(); }
    int AppRow() const { return m_work.q.app.GetRow(); }
    int DevRow() const { return m_work.q.dev.GetRow(); }
    int SpsRow() const { return m_work.q.sps.GetRow(); }
    int DrvRow() const { return m_work.q.drv.GetRow(); }

    // A combo's new choice: the queries below it start again at their
    // first row.
    void OnAppChanged(int row);
    void OnDevChanged(int row);
    void OnSpsChanged(int row);
    void OnDrvChanged(int row);

    const StartSelControls& Controls() const { return m_ctl; }
    void SetDbText(std::string text) { m_ctl.dbText = std::move(text); }
    void SetVonText(std::string text) { m_ctl.vonText = std::move(text); }
    void SetBisText(std::string text) { m_ctl.bisText = std::move(text); }
    void SetIntlChecked(bool on) { m_ctl.intlChecked = on; }
    void SetSimDrv(bool on) { m_ctl.simDrv = on; }
    void SetKeepSettings(bool on) { m_ctl.keepSettings = on; }

    // Leaving "DW von" runs checks 3 and 4, leaving "DW Bis" checks 5 and 6.
    void LeaveVon();
    void LeaveBis();

    // Checks, commits and hands the selection over; true when the dialog
    // may close.
    bool OnOK();

    const Selection& Working() const { return m_work; }
    bool IsCheckRunning() const { return m_checkRunning; }
    // The edit whose check fired last (1903, 1926 or 1902), 0 before any;
    // the dialog gives it the focus.
    int FailedControl() const { return m_failedControl; }

private:
    const DwParams& Dw() const { return m_work.q.sps.Params(); }
    void SelectDev(int32_t id);
    void SelectSps(int32_t id);
    void SelectDrv(int32_t id);
    void ShowDwControls();
    void ShowDbControls();
    void EnableIntlDisplay();

    // The edits' values; nullopt for a text that is no number.
    struct Entered {
        std::optional<int64_t> db;
        std::optional<int64_t> von;
        std::optional<int64_t> bis;
    };
    Entered ReadEdits() const;
    bool CheckRanges(const Entered& in);
    // Checks 1-6; true when the check fired.
    bool CheckDb(const Entered& in, bool upper);
    bool CheckVon(const Entered& in, bool upper);
    bool CheckBis(const Entered& in, bool upper);
    bool Report(const char* name, int64_t lower, int64_t upper);

    CStartSel& m_model;
    Selection m_work;
    StartSelControls m_ctl;
    bool m_checkRunning = false;
    int m_failedControl = 0;
};

} // namespace orv

// The program-wide start selection: the chosen panel, PLC type and driver
// from the start-selection database, read by every layer through one model.
#pragma once

#include "model/core/StartSelInfo.h"
#include "workspace/SelDb.h"
#include "workspace/SelQueries.h"

#include <cstdint>
#include <string>

namespace orv {

class CStartSelTarget;

// The characters a panel font shows and lets the user define.
struct CharRanges {
    int32_t firstValid = 0;
    int32_t lastValid = 0;
    int32_t firstDef = 0;
    int32_t lastDef = 0;
    // First 255 and last 0: nothing excluded.
    int32_t firstExcl = 255;
    int32_t lastExcl = 0;
    int32_t preselected = 0;

    bool operator==(const CharRanges&) const = default;
};

// The held selection as one value: the start-selection form works on a copy
// and hands it back only when OK confirms it.
struct Selection {
    CSelQueries q;
    int32_t dbNum = 50;
    int32_t firstDw = 0;
    int32_t lastDw = 255;
    // Set to the given length by SetOrvVals and by each confirmation.
    int32_t dwLength = 0;
    bool simDrv = false;
    bool keepSettings = false;
    bool valid = false;
    CharRanges ranges;
};

// The selection itself, its database and the reads the rest of the program
// makes. Its owner registers it with CFrameState::SetStartSel.
class CStartSel : public CStartSelInfo {
public:
    static constexpr const char* kDbFileName = "startsel.db";
    static constexpr const char* kFatalNotSet =
        "ABSOLUTELY FATAL: DlgStartSel not yet initialized by SetOrvVals(). App will be terminated.";
    // The log line of a read before the selection was set.
    static constexpr const char* kFatalLogLine = "FATAL: start selection read before it was set";

    CStartSel();
    ~CStartSel() override;
    CStartSel(const CStartSel&) = delete;
    CStartSel& operator=(const CStartSel&) = delete;

    // Opens "startsel.db" in the directory, found without regard to case,
    // read-only. A failure is reported once; the queries then come back empty.
    bool OpenDb(const std::string& dir);
    void CloseDb();
    const CSelDb& Db() const { return m_db; }

    // The project manager's setters; null hands nothing over.
    void SetTarget(CStartSelTarget* target) { m_target = target; }
    CStartSelTarget* GetTarget() const { return m_target; }

    // Sets the whole selection without a dialog; always true.
    bool SetOrvVals(const std::string& app, int32_t devId, int32_t spsId, int32_t drvId, int32_t db, int32_t offset,
                    int32_t length);

    // CStartSelInfo
    int GetDspWidth() const override { return Dev().numDspCols; }
    int GetModelNo() const override { return Dev().devId; }
    // "" with one FATAL log line and the fatal box while nothing was set.
    std::string GetFntNam() const override;

    // 1 when the character set is "int" or "706".
    int IsFont706OrInt() const;
    void SetCharRanges();
    bool IsDefChar(int code) const;
    bool IsValidChar(int code) const;
    const CharRanges& Ranges() const { return m_sel.ranges; }

    bool IsValid() const { return m_sel.valid; }
    const std::string& GetAppName() const { return m_sel.q.appName; }
    int32_t GetDevId() const { return m_sel.q.devId; }
    int32_t GetSpsId() const { return m_sel.q.spsId; }
    int32_t GetDrvId() const { return m_sel.q.drvId; }
    int GetAppIdx() const { return m_sel.q.app.GetRow(); }
    int GetDevIdx() const { return m_sel.q.dev.GetRow(); }
    const DevRecord& Dev() const { return m_sel.q.dev.Record(); }
    const DwParams& Dw() const { return m_sel.q.sps.Params(); }
    bool GetKeepSettings() const { return m_sel.keepSettings; }
    void SetKeepSettings(bool keep) { m_sel.keepSettings = keep; }
    bool GetSimDrv() const { return m_sel.simDrv; }

    const Selection& GetSelection() const { return m_sel; }
    // Takes a confirmed selection over (the form's OK).
    void Commit(const Selection& sel);

    // Writes the names of the current device, PLC type and driver into the
    // frame's tool-bar fields.
    void ShowSelInFrame() const;

private:
    CSelDb m_db;
    Selection m_sel;
    CStartSelTarget* m_target = nullptr;
};

// The fatal box of a selection read before it was set. Ending the program
// is the GUI command's job; nothing below it ends the program.
void FatalStartSelNotSet();

} // namespace orv

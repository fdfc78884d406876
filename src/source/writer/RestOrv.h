// The project source writer: writes a bundle's project as a source file the
// reader takes back, counting what it had to leave out.
#pragma once

#include "model/project/PanelType.h"
#include "source/writer/SrcRows.h"
#include "source/writer/SrcSink.h"

#include <cstdint>
#include <string>

namespace orv {

struct PrjBundle;
class CCharSet;
class CDrvCfg;
class CPrjData;
class CSpsPar;
class CWorkspaceState;

// Writes the project of a bundle as a project source file. The file is
// replaced only when WriteAll ran without error (at Finish or destruction);
// otherwise the old file stays as it was. What had to be left out or changed
// so that the reader takes the file back is logged and counted.
//
// Calling order: construct; CheckError; WriteDescription; CheckError;
// WriteAll; CheckError (or Finish).
class CRestOrv {
public:
    // The workspace gives the tool identity and whether the project is bound
    // to the simulation driver; without one the header names the release
    // and the PLC.
    CRestOrv(const std::string& path, PrjBundle* bundle, const CWorkspaceState* workspace = nullptr);
    ~CRestOrv();
    CRestOrv(const CRestOrv&) = delete;
    CRestOrv& operator=(const CRestOrv&) = delete;

    // True without error; otherwise shows the message of 11 or 18, clears
    // the state and returns false (other codes are kept, with no message).
    bool CheckError();
    void SetError(uint16_t code) { m_sink.SetError(code); }
    uint16_t GetError() const { return m_sink.GetError(); }
    const CCharSet* GetCharSet() const { return m_charSet; }
    // Records left out or changed by the last write.
    int GetLeftOut() const { return m_sink.GetLeftOut(); }

    void WriteDescription();
    void WriteAll();
    // Replaces the target when WriteAll finished without error; the write
    // error otherwise.
    bool Finish();

    // The single sections, in file order.
    void WriteHeader();
    void WriteMemSizes();
    void WriteVars();
    void WriteIntVars();
    void WriteSkActs();
    void WriteSkTexts();
    void WriteOpTexts();
    void WriteMenus();
    void WriteMsgTexts();
    void WriteRcpTexts();
    void WriteHistTexts();
    void WriteHlpTexts();
    void WriteOpPrnTexts();
    void WriteMsgPrnTexts();
    void WriteTimers();
    void WriteSettings();
    void WriteDriverExt();
    void WriteCharDefs();
    void WriteEnd();

private:
    PanelType Panel() const;
    SrcRowLimit RowLimit() const;

    CSrcSink m_sink;
    CDrvCfg* m_drvCfg = nullptr;
    CPrjData* m_prj = nullptr;
    CSpsPar* m_sps = nullptr;
    const CCharSet* m_charSet = nullptr;
    std::string m_toolId;
    bool m_simDrvBound = false;
    bool m_complete = false;
    bool m_finished = false;
};

} // namespace orv

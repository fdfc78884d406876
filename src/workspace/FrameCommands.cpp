// The command table of the main frame: which handler each menu, key and tool
// bar command reaches, and when it is enabled and checked.
#include "workspace/FrameCommands.h"

#include "model/project/PanelTable.h"
#include "workspace/FrameCore.h"
#include "workspace/FrameViews.h"
#include "workspace/FrameWindow.h"

#include <algorithm>
#include <iterator>

namespace orv {

namespace {

constexpr int32_t kCmdAdrRefPlc = 42;

// In source-edit mode a save writes the editor's file back.
bool CmdCanSave(const FrameSnapshot& s) { return s.sourceEdit ? s.editorHoldsFile : s.hasPrjPath; }
bool CmdSourceEdit(const FrameSnapshot& s) { return s.sourceEdit; }
bool CmdTxtHst(const FrameSnapshot& s) { return s.txtHst; }
bool CmdTxtRcp(const FrameSnapshot& s) { return s.txtRcp; }
// The selected panel's row; none for an id that names no panel.
const PanelRow* CmdPanel(const FrameSnapshot& s)
{
    return s.devId >= 0 && s.devId <= 0xFFFF ? FindPanel(static_cast<uint16_t>(s.devId)) : nullptr;
}
bool CmdTimeSwPanel(const FrameSnapshot& s)
{
    const PanelRow* row = CmdPanel(s);
    return row != nullptr && row->timeSwitches;
}
bool CmdNotMini(const FrameSnapshot& s) { return s.devTyp != "mini"; }
bool CmdPrnPar(const FrameSnapshot& s)
{
    // A "mini" device keeps them open only where the panel drives a printer.
    const PanelRow* row = CmdPanel(s);
    return s.devTyp != "mini" || (row != nullptr && row->printer);
}
bool CmdPlus(const FrameSnapshot& s) { return s.devTyp == "plus"; }
bool CmdAdrRefPlc(const FrameSnapshot& s) { return s.spsId == kCmdAdrRefPlc; }
bool CmdSimBound(const FrameSnapshot& s) { return s.simDrvBound; }
bool CmdSimAvailable(const FrameSnapshot& s) { return s.simDrvBound || s.devTyp == "plus"; }
bool CmdSimRunning(const FrameSnapshot& s) { return s.simRunning; }
bool CmdPrintable(const FrameSnapshot& s) { return s.printableView; }
bool CmdListView(const FrameSnapshot& s) { return s.hasListView; }
template <int Style>
bool CmdStyleIs(const FrameSnapshot& s) { return s.hasListView && s.listStyle == Style; }

const CommandRow kCommandRows[] = {
    // Datei
    {32809, &CFrameCore::OnNew, 0, false, {}, nullptr, nullptr},                    // Neu
    {32810, &CFrameCore::OnOpen, 0, true, {}, nullptr, nullptr},                     // Öffnen
    {32811, &CFrameCore::OnAppend, 0, true, {}, nullptr, nullptr},                     // Anhängen
    {32812, &CFrameCore::OnSave, 0, true, {}, CmdCanSave, nullptr},                  // Speichern
    {32813, &CFrameCore::OnSaveAs, 0, true, {}, nullptr, nullptr},                     // Speichern unter
    {57607, &CFrameCore::OnPrint, IFrameWindow::kPrint, false, {}, CmdPrintable, nullptr},         // Drucken
    {57609, &CFrameCore::OnPrint, IFrameWindow::kPreview, false, {}, CmdPrintable, nullptr},       // Seitenansicht
    {57606, &CFrameCore::OnPrint, IFrameWindow::kPrintSetup, false, {}, nullptr, nullptr},         // Druckereinrichtung
    {33223, &CFrameCore::OnStartSel, 0, false, {DlgId::StartSel}, nullptr, nullptr},     // Startauswahl
    // Bearbeiten
    {33252, &CFrameCore::OnSearch, CDlgRunner::kSearchFind, false, {DlgId::Search}, CmdSourceEdit, nullptr},
    {33253, &CFrameCore::OnSearch, CDlgRunner::kSearchReplace, false, {DlgId::Search}, CmdSourceEdit, nullptr},
    {32805, &CFrameCore::OnVarList, 0, true, {}, nullptr, nullptr},
    {32806, &CFrameCore::OnVarList, 1, true, {}, nullptr, nullptr},
    {33270, &CFrameCore::OnVarList, 2, true, {}, nullptr, nullptr},
    // Texte
    {32794, &CFrameCore::OnTextList, 2, true, {}, nullptr, nullptr},
    {32795, &CFrameCore::OnTextList, 3, true, {}, nullptr, nullptr},
    {33229, &CFrameCore::OnTextList, 4, true, {}, CmdTxtHst, nullptr},
    {33230, &CFrameCore::OnTextList, 6, true, {}, CmdTxtRcp, nullptr},
    {33231, &CFrameCore::OnTextList, 11, true, {}, nullptr, nullptr},
    {33232, &CFrameCore::OnTextList, 12, true, {}, nullptr, nullptr},
    {33233, &CFrameCore::OnTextList, 13, true, {}, nullptr, nullptr},
    {33234, &CFrameCore::OnTextList, 14, true, {}, nullptr, nullptr},
    {33235, &CFrameCore::OnTextList, 15, true, {}, nullptr, nullptr},
    {33236, &CFrameCore::OnTextList, 17, true, {}, nullptr, nullptr},
    {33244, &CFrameCore::OnTextList, 18, true, {}, nullptr, nullptr},
    {33245, &CFrameCore::OnTextList, 19, true, {}, nullptr, nullptr},
    {33246, &CFrameCore::OnTextList, 20, true, {}, nullptr, nullptr},
    {32797, &CFrameCore::OnMenus, 0, true, {}, nullptr, nullptr},
    {32798, &CFrameCore::OnListMode, IViewLst::kModeSkTexts, true, {}, nullptr, nullptr},
    {32799, &CFrameCore::OnListMode, IViewLst::kModeSkActions, true, {}, nullptr, nullptr},
    {33249, &CFrameCore::OnDialog, static_cast<int>(DlgId::TimeSw), true, {DlgId::TimeSw}, CmdTimeSwPanel, nullptr},
    {32800, &CFrameCore::OnListMode, IViewLst::kModeChars, true, {}, nullptr, nullptr},
    {33238, &CFrameCore::OnPrjSource, 0, true, {}, nullptr, nullptr},                     // Projektsource
    // Übertragen
    {32782, &CFrameCore::OnCompile, 0, true, {}, nullptr, nullptr},                     // Compilieren
    {32789, &CFrameCore::OnTransmit, 0, true, {}, nullptr, nullptr},                     // Übertragen
    {32783, &CFrameCore::OnReceive, 0, true, {}, nullptr, nullptr},                     // Rücklesen
    {33237, &CFrameCore::OnTestMode, 0, false, {}, nullptr, CmdSimBound},
    {32790, &CFrameCore::OnSimulation, 0, true, {}, CmdSimAvailable, CmdSimRunning},       // Simulation
    // Projekt
    {33100, &CFrameCore::OnDialog, static_cast<int>(DlgId::Descr), true, {DlgId::Descr}, nullptr, nullptr},
    {33101, &CFrameCore::OnDialog, static_cast<int>(DlgId::Times), true, {DlgId::Times}, nullptr, nullptr},
    {33102, &CFrameCore::OnListMode, IViewLst::kModePlcArea, true, {}, nullptr, nullptr},
    {33103, &CFrameCore::OnDialog, static_cast<int>(DlgId::AdrRef), true, {DlgId::AdrRef}, CmdAdrRefPlc, nullptr},
    {33264, &CFrameCore::OnFirmware, 0, true, {}, CmdNotMini, nullptr},
    {33265, &CFrameCore::OnDialog, static_cast<int>(DlgId::PrnPar), true, {DlgId::PrnPar}, CmdPrnPar, nullptr},
    {33266, &CFrameCore::OnDialog, static_cast<int>(DlgId::MemPartition), true, {DlgId::MemPartition}, CmdPlus,
     nullptr},
    {33272, &CFrameCore::OnDialog, static_cast<int>(DlgId::PrjOpt), true, {DlgId::PrjOpt}, nullptr, nullptr},
    // Optionen
    {32784, &CFrameCore::OnLanguage, 0, false, {DlgId::Lang}, nullptr, nullptr},
    {32785, &CFrameCore::OnDialog, static_cast<int>(DlgId::Ports), false, {DlgId::Ports}, nullptr, nullptr},
    {33271, &CFrameCore::OnDialog, static_cast<int>(DlgId::PrgOpt), false, {DlgId::PrgOpt}, nullptr, nullptr},
    // The list view's style buttons: a radio group.
    {59409, &CFrameCore::OnListStyle, IViewLst::kStyleIcon, false, {}, CmdListView, CmdStyleIs<IViewLst::kStyleIcon>},
    {59408, &CFrameCore::OnListStyle, IViewLst::kStyleSmallIcon, false, {}, CmdListView,
     CmdStyleIs<IViewLst::kStyleSmallIcon>},
    {59410, &CFrameCore::OnListStyle, IViewLst::kStyleList, false, {}, CmdListView, CmdStyleIs<IViewLst::kStyleList>},
    {59411, &CFrameCore::OnListStyle, IViewLst::kStyleReport, false, {}, CmdListView,
     CmdStyleIs<IViewLst::kStyleReport>},
};

} // namespace

const CommandRow* FindCommandRow(uint32_t id)
{
    const auto it = std::find_if(std::begin(kCommandRows), std::end(kCommandRows),
                                 [id](const CommandRow& row) { return row.id == id; });
    return it != std::end(kCommandRows) ? it : nullptr;
}

const CommandRow* CommandRowsBegin() { return std::begin(kCommandRows); }
const CommandRow* CommandRowsEnd() { return std::end(kCommandRows); }

CommandState EvalCommand(const CommandRow& row, const FrameSnapshot& s)
{
    CommandState state;
    state.enabled = row.handler != nullptr && (!row.needsBundle || s.bundleReady) &&
                    (!row.dialog || s.dialogs.test(DlgIndex(*row.dialog))) && (row.enable == nullptr || row.enable(s));
    state.checkable = row.check != nullptr;
    state.checked = state.checkable && row.check(s);
    return state;
}

CommandState CommandStateOf(uint32_t id, const FrameSnapshot& s)
{
    const CommandRow* row = FindCommandRow(id);
    return row != nullptr ? EvalCommand(*row, s) : CommandState{};
}

} // namespace orv

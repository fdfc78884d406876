// Drives the project source writer's sections in the order the reader expects
// them; the old file stays unless every section succeeded.
#include "source/writer/RestOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/project/TimeVal.h"
#include "model/core/WorkspaceState.h"
#include "source/writer/SrcFrame.h"
#include "source/writer/SrcRecipes.h"
#include "source/writer/SrcDriver.h"
#include "source/writer/SrcKeys.h"
#include "source/writer/SrcPanel.h"
#include "source/writer/SrcTexts.h"
#include "source/writer/SrcVars.h"

#include <set>

namespace orv {

namespace {

const CCharSet* CharSetOf(const PrjBundle* bundle)
{
    return bundle ? bundle->charSet : nullptr;
}

} // namespace

CRestOrv::CRestOrv(const std::string& path, PrjBundle* bundle, const CWorkspaceState* workspace)
    : m_sink(path, CharSetOf(bundle))
{
    if (bundle) {
        m_drvCfg = bundle->drvCfg;
        m_prj = bundle->prjData;
        m_sps = bundle->spsPar;
        m_charSet = bundle->charSet;
    }
    m_toolId = workspace ? workspace->GetToolVersion() : FileTags{}.toolId;
    m_simDrvBound = workspace && workspace->IsSimDrvBound();
    if (m_sink.Open())
        LogLine(kLogDebug, "Open %s %s OK", "Restorv", path.c_str());
}

CRestOrv::~CRestOrv()
{
    Finish();
}

bool CRestOrv::CheckError()
{
    switch (m_sink.GetError()) {
    case 0: return true;
    case CSrcSink::kErrOpen:
        ShowMessage(msg::kAusgabedateiKannNichtGeoeffnetWerden);
        m_sink.ClearError();
        return false;
    case CSrcSink::kErrWrite:
        ShowMessage(msg::kDatenKonntenNichtVollstaendigGeschrieben);
        m_sink.ClearError();
        return false;
    default: return false;
    }
}

bool CRestOrv::Finish()
{
    if (m_finished)
        return GetError() == 0;
    m_finished = true;
    if (!m_complete)
        return false;
    return m_sink.Commit();
}

void CRestOrv::WriteDescription()
{
    if (m_prj)
        WriteDescriptionBlock(m_sink, m_prj->GetDescr());
}

void CRestOrv::WriteAll()
{
    if (!m_drvCfg || !m_prj || !m_charSet)
        return;
    WriteHeader();
    WriteMemSizes();
    WriteVars();
    WriteIntVars();
    WriteSkActs();
    WriteSkTexts();
    WriteOpTexts();
    WriteMenus();
    WriteMsgTexts();
    WriteRcpTexts();
    WriteHistTexts();
    WriteHlpTexts();
    WriteOpPrnTexts();
    WriteMsgPrnTexts();
    WriteTimers();
    WriteSettings();
    WriteDriverExt();
    WriteCharDefs();
    WriteEnd();
    m_complete = m_sink.Ok();
}

PanelType CRestOrv::Panel() const
{
    return m_prj->GetPanel();
}

SrcRowLimit CRestOrv::RowLimit() const
{
    return {m_prj->GetMaxVarsPerRow(), !Panel().InFamily(Family::F706), Panel().IsNarrow() ? 20 : 40};
}

void CRestOrv::WriteHeader()
{
    SrcPlcLine plc;
    if (m_drvCfg)
        plc.drvNo = m_drvCfg->GetDrvNo();
    if (m_sps) {
        plc.spsType = m_sps->GetSpsType();
        plc.dataBlock = m_sps->GetDataBlock();
        plc.offset = m_sps->GetOffset();
        plc.length = m_sps->GetLength();
    }
    WriteHeaderLines(m_sink, m_prj->GetDevType(), m_prj->GetVariant(), m_toolId, m_simDrvBound ? nullptr : &plc);
}

void CRestOrv::WriteMemSizes()
{
    if (Panel().InFamily(Family::F118))
        WriteMemSizeLines(m_sink, m_prj->GetRcpSize(), m_prj->GetDataSize());
}

void CRestOrv::WriteVars()
{
    WriteVarRecords(m_sink, m_prj->GetVarList(), Panel(), m_prj->GetDWordVars() != 0);
}

void CRestOrv::WriteIntVars()
{
    WriteIntVarRecords(m_sink, m_prj->GetVarList(), m_prj->GetFwVarList(), Panel());
}

void CRestOrv::WriteSkActs()
{
    WriteActionRecords(m_sink, m_prj->GetSkActList());
}

void CRestOrv::WriteSkTexts()
{
    WriteSoftkeyRecords(m_sink, m_prj->GetSkTxtList(), Panel());
}

void CRestOrv::WriteOpTexts()
{
    // The operator texts that a written node shows.
    std::set<const CPrjOpTxt*> shown;
    if (const CPrjMnuList* menus = m_prj->GetMnuList())
        for (int i = 0; i < menus->GetCount(); ++i)
            if (const CPrjMnuNodeList* nodes = menus->ItemAt(i)->GetSubList())
                for (int j = 0; j < nodes->GetCount(); ++j)
                    if (nodes->ItemAt(j) && nodes->ItemAt(j)->GetOpTxt())
                        shown.insert(nodes->ItemAt(j)->GetOpTxt());
    WriteOpTextRecords(m_sink, m_prj->GetOpTxtList(), RowLimit(), Panel(),
                       [&](const CPrjOpTxt& t) { return shown.count(&t) != 0; });
}

void CRestOrv::WriteMenus()
{
    WriteMenuRecords(m_sink, m_prj->GetMnuList(), m_prj->GetMnuOptMask());
}

void CRestOrv::WriteMsgTexts()
{
    WriteMsgTextRecords(m_sink, m_prj->GetMsgTxtList(), RowLimit(), Panel());
}

void CRestOrv::WriteRcpTexts()
{
    WriteRcpTextRecords(m_sink, m_prj->GetRcpTxtList(), RowLimit(), Panel());
}

void CRestOrv::WriteHistTexts()
{
    WriteHistTextRecords(m_sink, m_prj->GetHistTxtList(), RowLimit(), Panel());
}

void CRestOrv::WriteHlpTexts()
{
    CKindTxtList* lists[CPrjData::kHlpKinds];
    for (int k = 0; k < CPrjData::kHlpKinds; ++k)
        lists[k] = m_prj->GetHlpTxtList(k);
    WriteHlpTextRecords(m_sink, lists, RowLimit(), Panel());
}

void CRestOrv::WriteOpPrnTexts()
{
    WriteOpPrnTextRecords(m_sink, m_prj->GetOpPrnTxtList(), RowLimit(), Panel());
}

void CRestOrv::WriteMsgPrnTexts()
{
    WriteMsgPrnTextRecords(m_sink, m_prj->GetMsgPrnTxtList(), RowLimit(), Panel());
}

void CRestOrv::WriteTimers()
{
    WriteTimerRecords(m_sink, m_prj->GetTimerList());
}

void CRestOrv::WriteSettings()
{
    WriteSettingLines(m_sink, *m_prj);
}

void CRestOrv::WriteDriverExt()
{
    if (m_drvCfg)
        WriteDriverLines(m_sink, *m_drvCfg);
}

void CRestOrv::WriteCharDefs()
{
    WriteCharDefLines(m_sink, m_prj->GetCharDefColl(), Panel());
}

void CRestOrv::WriteEnd()
{
    WriteEndLines(m_sink);
}

} // namespace orv

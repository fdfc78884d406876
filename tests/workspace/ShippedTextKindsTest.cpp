// The text-kind flags of the shipped database against the source reader: a
// one-entry source of each kind reads exactly on the panels whose flag is set.
#include "support/ParseRun.h"
#include "model/project/PanelTable.h"
#include "support/ParserWorld.h"
#include "support/SourceTextBuilder.h"
#include "support/TempDir.h"
#include "workspace/SelQueries.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orv;

using orv::TxtKind;

TEST(ShippedTextKinds, FlagSetExactlyWhereTheReaderTakesTheKind)
{
    struct Kind {
        TxtKind kind;
        std::vector<std::string> statements;
    };
    const Kind kinds[] = {
        {TxtKind::Op, {"OP_TEXT, 1", "TEXT, \"x\""}},
        {TxtKind::Msg, {"MSG_TEXT, 1, INFO, 1", "TEXT, \"x\""}},
        {TxtKind::Rcp, {"REC_TEXT, 1", "TEXT, \"x\""}},
        {TxtKind::Hst, {"HIST_TEXT, 1", "HTEXT, \"x\""}},
        {TxtKind::PrtOp, {"OP_PRNTEXT, 1", "PRNTEXT, \"p\""}},
        {TxtKind::PrtMsg, {"MSG_PRNTEXT, 1, 01", "PRNTEXT, \"p\""}},
        {TxtKind::HlpDft, {"DEF_HLP_TEXT, DEFAULT", "TEXT, \"x\""}},
        {TxtKind::HlpMnu, {"DEF_HLP_TEXT, MENU", "TEXT, \"x\""}},
        {TxtKind::HlpInf, {"DEF_HLP_TEXT, INFO", "TEXT, \"x\""}},
        {TxtKind::HlpWrn, {"DEF_HLP_TEXT, WARNING", "TEXT, \"x\""}},
        {TxtKind::HlpFlt, {"DEF_HLP_TEXT, FAULT", "TEXT, \"x\""}},
        {TxtKind::HlpHst, {"DEF_HLP_TEXT, HISTORY", "TEXT, \"x\""}},
        {TxtKind::HlpRcp, {"DEF_HLP_TEXT, RECIPE", "TEXT, \"x\""}},
    };
    TempDir dir;
    std::filesystem::copy_file(std::string(ORV_SHIPPED_DIR) + "/startsel.db", dir.File("startsel.db"));
    std::vector<orv::DevRecord> devices;
    {
        ScriptedUi ui;
        ScopedUiServices reg(ui);
        orv::CStartSel sel;
        ASSERT_TRUE(sel.OpenDb(dir.Path()));
        orv::CSelQueries q(&sel.Db());
        q.RunApp("ORVPRO");
        q.RunDev(-1);
        for (size_t row = 0; row < q.dev.Names().size(); ++row) {
            q.RunDev(q.dev.IdAt(static_cast<int>(row)));
            devices.push_back(q.dev.Record());
        }
    }
    ASSERT_EQ(devices.size(), 11u);
    for (const orv::DevRecord& dev : devices) {
        for (const Kind& k : kinds) {
            SCOPED_TRACE(testing::Message() << dev.devId << " " << orv::TxtKindColumn(k.kind));
            const auto devType = static_cast<uint16_t>(dev.devId);
            auto p = ParserWorld(devType).Src(devType).Build();
            if (FindPanel(devType)->family != Family::F043)
                AddFirmwareStateVars(*p->prj);
            SourceTextBuilder b;
            b.Header(devType).Begin();
            for (const std::string& line : k.statements)
                b.Line(line);
            const ParseOutcome out = ParseInto(*p, dir, b.End().Build());
            EXPECT_EQ(out.error == 0, dev.Offers(k.kind)) << out.errorText;
        }
    }
}

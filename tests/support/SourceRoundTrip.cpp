#include "support/SourceRoundTrip.h"

#include "model/project/DrvCfg.h"
#include "model/project/FwVarSource.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/PanelType.h"
#include "source/reader/ParsOrvFile.h"
#include "source/writer/RestOrv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {

namespace {

constexpr uint16_t kDriver = 5;
constexpr uint32_t kIntFlags = 0x33FB;

SpsParBuilder ExampleItems()
{
    SpsParBuilder sps;
    sps.Type(33).Offset(0).Length(256);
    for (uint16_t w = 0; w <= 14; ++w)
        sps.Sys(w, 1, 3);
    for (uint16_t w = 15; w <= 22; ++w)
        sps.Msg(w, static_cast<uint16_t>((w - 15) * 16), 1, 1);
    for (uint16_t w = 23; w <= 29; ++w)
        sps.Sys(w, 2, 3);
    for (uint16_t w = 30; w <= 255; ++w)
        sps.Var(w, 3);
    return sps;
}

// A name the root already made (the softkey rows of the 118 family) stays.
void AddStates(CPrjData& prj, const char* name, int last)
{
    if (prj.GetVarList()->FindByName(name))
        return;
    auto var = std::make_unique<CPrjIntVarStr>(name, kIntFlags, 2, 142, 0, 0, prj.GetTextPool());
    var->SetTxtCount(last);
    for (int i = 0; i <= last; ++i)
        var->SetStateTxt(i, ("S" + std::to_string(i)).c_str());
    var->SetWidth(2);
    prj.InsVar(var.release());
}

// The built-in variables that a firmware image gives the 706 and 118
// families, as far as the round trip needs them: state texts that a file
// may set, and a hex text.
class RoundTripFirmware : public CFwVarSource {
public:
    bool ReadSysVars(CPrjData& prj) override
    {
        if (PanelType(prj.GetDevType(), false).InFamily(Family::F706)) {
            AddStates(prj, "[Z018]", 6);
            prj.InsFwVar(new CPrjIntVarHex("[Z078]", kIntFlags, 0, 249, 0, 0, "1B45"));
        }
        AddStates(prj, "[Z084]", 1);
        AddStates(prj, "[Z085]", 1);
        return true;
    }
};

RoundTripFirmware g_firmware;

} // namespace

RoundTripProject::RoundTripProject(uint16_t panelType)
    : panel(panelType), p(ParserWorld(panelType).Sps(ExampleItems()).Build())
{
    // As the workspace's, the source stays for every later panel type.
    Prj().SetFwVarSource(&g_firmware);
    Prj().Clear();
    p->drvCfg->SetDrvNo(kDriver);
}

std::string WriteSource(RoundTripProject& project, const TempDir& dir, int* leftOut)
{
    const std::string path = dir.File("W.ORV");
    {
        CRestOrv writer(path, &project.p->bundle);
        writer.WriteDescription();
        writer.WriteAll();
        EXPECT_TRUE(writer.Finish());
        if (leftOut)
            *leftOut = writer.GetLeftOut();
    }
    return dir.Read("W.ORV");
}

ParseOutcome ReadSource(RoundTripProject& project, const TempDir& dir, const std::string& bytes)
{
    dir.Write("R.ORV", bytes);
    {
        CParsOrvFile file(dir.File("R.ORV"), project.p->bundle);
        project.Prj().SetSrcDevType(file.GetModel(true));
    }
    return ParseInto(*project.p, dir, bytes);
}

std::string ReadSourceData(const std::string& name)
{
    std::ifstream in(std::string(ORV_TEST_DATA_DIR) + "/source/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Agreement CheckAgreement(RoundTripProject& built)
{
    Agreement a;
    TempDir dir;
    a.w1 = WriteSource(built, dir, &a.leftOut);
    a.read = std::make_unique<RoundTripProject>(built.panel);
    const ParseOutcome r1 = ReadSource(*a.read, dir, a.w1);
    EXPECT_EQ(r1.error, 0) << "W1 line " << r1.line << " column " << r1.column << ": " << r1.xerror << " "
                           << r1.errorText << "\n"
                           << a.w1;
    EXPECT_TRUE(a.read->p->ui.CallsOf(UiCall::Kind::Question).empty());
    a.w2 = WriteSource(*a.read, dir);
    RoundTripProject again(built.panel);
    const ParseOutcome r2 = ReadSource(again, dir, a.w2);
    EXPECT_EQ(r2.error, 0) << "W2 line " << r2.line << ": " << r2.errorText;
    int leftOut3 = 0;
    EXPECT_EQ(WriteSource(again, dir, &leftOut3), a.w2);
    EXPECT_EQ(leftOut3, 0) << "a written file leaves nothing more out";
    return a;
}

} // namespace orv

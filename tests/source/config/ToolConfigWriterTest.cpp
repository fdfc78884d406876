#include "model/project/DrvParItem.h"
#include "model/core/FrameState.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "source/config/CfgReader.h"
#include "source/config/CfgWriter.h"
#include "source/writer/ReplaceFile.h"
#include "support/CfgTextBuilders.h"
#include "support/FrameWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ToolConfigWriterTest : public ::testing::Test {
protected:
    std::string Ini() const { return fx.workspace.GetIniFile(); }
    std::vector<UiCall> Boxes() const { return fx.ui.CallsOf(UiCall::Kind::Box); }

    // The names in the directory of the configuration file.
    std::vector<std::string> CfgDirNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Ini()).parent_path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    // The environment lines of a workspace with default settings but the
    // palette 3, as SaveEnvironment writes them.
    static std::string DefaultEnvLines()
    {
        return "COUNTRY=GR\r\nDISPLAY=DEFAULT\r\nBATCHMODE=0\r\nPALETTE=3\r\nREQUEST_INTERVAL=30\r\n"
               "LINK_COM=1\r\nSIM_COM=1\r\nLPT=1\r\nTELESERVICE=0\r\nARC_IO_BASE=0000\r\n"
               "ARC_MEMORY_BASE=0000\r\nARC_ORV_ID=2\r\nPAPERLEN=60\r\nLEFT_MARGIN=0\r\nPRINT_HEAD\r\n"
               "PRINTER_HEADLINE=\"\"\r\nPRINTER_INIT=\"\"\r\nPRINTER_END=\"\"\r\nEXT_SOURCE=ORV\r\n"
               "EXT_BACKUP=OR$\r\nEXT_OLDSYNTAX=OLD\r\nEXT_COMPILE=BIN\r\nEXT_DRIVER=DRV\r\n"
               "EXT_FUNCTION=FKT\r\nEXT_PRINTER=PRN\r\n";
    }

    FrameWorld fx{World()};
    CPrjData& root = fx.prj;
    CSpsPar& sps = fx.sps;
};

TEST_F(ToolConfigWriterTest, SaveAllWritesTheWholeFileAndReadsBack)
{
    EnvSettings& env = fx.workspace.Env();
    env.country = 3;
    env.palette = 2;
    env.mouseReverse = 1;  // not in a new file
    env.orvLight = 1;      // not in a new file
    env.requestInterval = 100;
    env.linkCom = 1;
    env.simCom = -1;
    env.lpt = 2;
    env.teleService = 0;
    env.arcIoBase = 0x2E0;  // a new file has the ARCNET defaults
    env.arcMemoryBase = 0xD000;
    env.arcOrvId = 9;
    env.paperLen = 72;
    env.leftMargin = 5;
    env.printHead = 1;
    env.printerHeadline = "Kopf \x81";
    env.printerInit = "\x1b@";
    env.printerEnd = "";
    env.formFeed = 1;
    env.asciiPrint = 0;
    fx.workspace.Tags().printer = "LST";
    fx.workspace.SetDesignFlag(1);
    fx.frame.SetStateFlags(CFrameState::kStateProjectLoaded);
    fx.workspace.SetPrjFile("/home/user/Projekte/Anlage 1.ORV");
    const std::string cfgDir = fx.workspace.GetCfgDir();
    fx.workspace.SetStdFktPath(0, cfgDir + "STD014.FKT");
    fx.workspace.SetStdFktPath(1, cfgDir + "STD043.FKT");
    fx.workspace.SetStdFktPath(3, cfgDir + "STD706.FKT");
    const CfgChoice choice{43, 33, 5, 10, 128, 3};

    CCfgWriter writer(fx.workspace, fx.bundle);
    writer.SaveAll(choice);
    ASSERT_TRUE(writer.ReportError());
    EXPECT_EQ(ReadBytes(Ini()), ReadBytes(ORV_TEST_DATA_DIR "/cfg/saveall.ini"));

    // Read back into a workspace that starts from other values.
    const EnvSettings written = env;
    env = EnvSettings{};
    fx.workspace.Tags() = FileTags{};
    fx.workspace.SetDesignFlag(0);
    fx.workspace.SetPrjFile("");
    for (int group = 0; group < CWorkspaceState::kStdFktGroups; ++group)
        fx.workspace.SetStdFktPath(group, "");
    for (uint16_t word = 0; word < 30; ++word)
        sps.GetItems().Add(new CDrvParVarItem(word, 3));
    root.SetDevType(43);

    CCfgReader reader(fx.workspace, fx.bundle);
    CfgChoice read;
    std::string descr;
    reader.ReadEnvironment();
    reader.ReadConfiguration(read);
    EXPECT_TRUE(reader.ReadDescription(descr));
    reader.ReadSimulation();
    ASSERT_TRUE(reader.CheckError());

    EXPECT_EQ(env.palette, written.palette);
    EXPECT_EQ(env.requestInterval, written.requestInterval);
    EXPECT_EQ(env.linkCom, written.linkCom);
    EXPECT_EQ(env.simCom, written.simCom);
    EXPECT_EQ(env.lpt, written.lpt);
    EXPECT_EQ(env.teleService, written.teleService);
    EXPECT_EQ(env.paperLen, written.paperLen);
    EXPECT_EQ(env.leftMargin, written.leftMargin);
    EXPECT_EQ(env.printHead, written.printHead);
    EXPECT_EQ(env.printerHeadline, written.printerHeadline);
    EXPECT_EQ(env.printerInit, written.printerInit);
    EXPECT_EQ(env.printerEnd, written.printerEnd);
    EXPECT_EQ(env.formFeed, written.formFeed);
    EXPECT_EQ(env.asciiPrint, written.asciiPrint);
    EXPECT_EQ(env.arcIoBase, 0);
    EXPECT_EQ(env.arcMemoryBase, 0);
    EXPECT_EQ(env.arcOrvId, 2);
    EXPECT_EQ(env.mouseReverse, 0);
    EXPECT_EQ(fx.workspace.Tags().printer, "LST");
    EXPECT_EQ(fx.workspace.GetDesignFlag(), 1);
    EXPECT_EQ(fx.workspace.GetPrjFile(), "/home/user/Projekte/Anlage 1.ORV");
    EXPECT_EQ(read, choice);
    EXPECT_EQ(fx.workspace.GetStdFktPath(0), cfgDir + "STD014.FKT");
    EXPECT_EQ(fx.workspace.GetStdFktPath(1), cfgDir + "STD043.FKT");
    EXPECT_EQ(fx.workspace.GetStdFktPath(2), "");
    EXPECT_EQ(fx.workspace.GetStdFktPath(3), cfgDir + "STD706.FKT");
    EXPECT_EQ(descr, "\r\nFirma:\r\n\r\n\r\n\r\n\r\nKunde:\r\n\r\nProjekt:\r\n\r\nBearbeiter:\r\n\r\n"
                     "Erstellungsdatum:\r\n\r\nBemerkungen:\r\n\r\n");
    EXPECT_EQ(sps.GetSimWords().GetCount(), 24);  // words 3..26
    EXPECT_EQ(sps.GetItems().FindItem(13)->GetSimValue(), 4040);
    EXPECT_EQ(sps.GetItems().FindItem(26)->GetSimFmt(), 1);
}

TEST_F(ToolConfigWriterTest, SaveEnvironmentRewritesOnlyItsSection)
{
    const std::string before = "; head comment\r\n"
                               "[DEFAULT_DESCRIPTION]\r\n"
                               "Firma: \x84\x81\r\n"
                               "\r\n"
                               " [ENVIRONMENT] \r\n"
                               "PALETTE=1\r\n"
                               "FOO=1\r\n"
                               "MOUSE_REVERSE\r\n"
                               "; note\r\n"
                               "DESIGN=OEM\r\n"
                               "\r\n";
    const std::string after = "[CONFIGURATION]\n"
                              "ORV=ORV043\r\n"
                              "LENGTH=256";
    WriteFileBytes(Ini(), before + after);
    fx.workspace.Env().palette = 3;
    fx.workspace.Env().mouseReverse = 0;

    CCfgWriter writer(fx.workspace, fx.bundle);
    writer.SaveEnvironment();
    ASSERT_TRUE(writer.ReportError());
    const std::string header = " [ENVIRONMENT] \r\n";
    const std::string head = before.substr(0, before.find(header) + header.size());
    EXPECT_EQ(ReadBytes(Ini()), head + DefaultEnvLines() + "FOO=1\r\n; note\r\n\r\n" + after);
    EXPECT_EQ(CfgDirNames(), (std::vector<std::string>{"ORVPRO.INI"}));
}

TEST_F(ToolConfigWriterTest, SaveConfigurationRewritesOrAppendsItsSection)
{
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const std::string keys = "ORV=ORV0755\r\nSPS=SIEMENS_MB\r\nDRIVER=DF1_DIR\r\nFUNCTION_ORV014=STD14\r\n"
                             "OFFSET=1\r\nLENGTH=2\r\n";
    const std::vector<Case> cases = {
        {"the last section without a final line end",
         "[ENVIRONMENT]\r\nPALETTE=1\r\n\r\n[CONFIGURATION]\r\nORV=ORV043\r\nDB=4\r\nX=1",
         "[ENVIRONMENT]\r\nPALETTE=1\r\n\r\n[CONFIGURATION]\r\n" + keys + "X=1\r\n\r\n"},
        {"a missing section goes to the end", "[ENVIRONMENT]\r\nPALETTE=1",
         "[ENVIRONMENT]\r\nPALETTE=1\r\n[CONFIGURATION]\r\n" + keys + "\r\n"},
        {"a section whose name extends it is another one", "[CONFIGURATIONS]\r\nORV=1\r\n",
         "[CONFIGURATIONS]\r\nORV=1\r\n[CONFIGURATION]\r\n" + keys + "\r\n"},
    };
    root.SetVariant(1);
    fx.workspace.SetStdFktPath(0, "/cfg/STD14.FKT");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(Ini(), c.before);
        CCfgWriter writer(fx.workspace, fx.bundle);
        writer.SaveConfiguration({47, 34, 74, 1, 2, 0});
        EXPECT_TRUE(writer.ReportError());
        EXPECT_EQ(ReadBytes(Ini()), c.after);
    }
}

TEST_F(ToolConfigWriterTest, SectionRewriteNeedsTheFile)
{
    CCfgWriter writer(fx.workspace, fx.bundle);
    writer.SaveEnvironment();
    EXPECT_EQ(writer.GetError(), CCfgWriter::kErrRead);
    writer.SaveConfiguration({});  // the first error wins
    EXPECT_FALSE(writer.ReportError());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].id, 15080);
    EXPECT_NE(Boxes()[0].text.find(Ini()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Ini()));

    writer.SaveAll({});  // a first file needs none
    EXPECT_TRUE(writer.ReportError());
    EXPECT_TRUE(std::filesystem::exists(Ini()));
}

TEST_F(ToolConfigWriterTest, FailedWriteKeepsTheFileAsItWas)
{
    const std::string original = ToolCfgText()
                                     .Section("ENVIRONMENT")
                                     .Line("PALETTE=1")
                                     .Line("")
                                     .Configuration()
                                     .Section("SIMULATION_ORV043")
                                     .Line("WORD=3, BIN")
                                     .Text();
    for (const int failing : {1, 2, 10, 33}) {
        SCOPED_TRACE(failing);
        WriteFileBytes(Ini(), original);
        fx.ui.ClearCalls();
        CCfgWriter writer(fx.workspace, fx.bundle);
        {
            ScopedWriteFault fault(failing);
            writer.SaveEnvironment();
            writer.SaveConfiguration({});
        }
        EXPECT_EQ(writer.GetError(), CCfgWriter::kErrWrite);
        EXPECT_EQ(ReadBytes(Ini()), original);
        EXPECT_EQ(CfgDirNames(), (std::vector<std::string>{"ORVPRO.INI"}));
        EXPECT_FALSE(writer.ReportError());
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, "Initialisierungsdatei " + Ini() + " kann nicht geschrieben werden !");
    }
}

TEST_F(ToolConfigWriterTest, FailedFirstFileLeavesNoFile)
{
    std::filesystem::create_directories(std::filesystem::path(Ini()).parent_path());
    CCfgWriter writer(fx.workspace, fx.bundle);
    {
        ScopedWriteFault fault(100);
        writer.SaveAll({});
    }
    EXPECT_EQ(writer.GetError(), CCfgWriter::kErrWrite);
    EXPECT_TRUE(CfgDirNames().empty());
}

} // namespace

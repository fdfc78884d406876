#include "model/project/DrvParItem.h"
#include "model/project/DrvTable.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "source/config/CfgReader.h"
#include "source/config/CfgWriter.h"
#include "support/CfgTextBuilders.h"
#include "support/FrameWorld.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace orv;

namespace {

class ToolConfigReaderTest : public ::testing::Test {
protected:
    // Values the reader must leave alone unless a key sets them.
    void Preset()
    {
        fx.workspace.Env() = EnvSettings{};
        fx.workspace.Env().arcIoBase = 0x1234;
        fx.workspace.Env().arcMemoryBase = 0x5678;
        fx.workspace.Env().arcOrvId = 7;
        fx.workspace.Env().printHead = 0;
        fx.workspace.Env().printerHeadline = "old head";
        fx.workspace.Tags() = FileTags{};
        fx.workspace.SetDesignFlag(2);
        fx.workspace.SetPrjFile("OLD.ORV");
        fx.workspace.SetSimStart(false);
    }

    void Write(const ToolCfgText& text) { text.WriteFor(fx.workspace); }

    std::vector<UiCall> Boxes() const { return fx.ui.CallsOf(UiCall::Kind::Box); }

    FrameWorld fx{World()};
    CPrjData& root = fx.prj;
    CSpsPar& sps = fx.sps;
};

// ---- ENVIRONMENT ----

TEST_F(ToolConfigReaderTest, EnvironmentLines)
{
    using Get = std::function<std::string(const CWorkspaceState&)>;
    const auto num = [](auto field) -> Get {
        return [field](const CWorkspaceState& ws) { return std::to_string(field(ws)); };
    };
    const Get palette = num([](const CWorkspaceState& ws) { return ws.Env().palette; });
    const Get interval = num([](const CWorkspaceState& ws) { return ws.Env().requestInterval; });
    const Get linkCom = num([](const CWorkspaceState& ws) { return ws.Env().linkCom; });
    const Get simCom = num([](const CWorkspaceState& ws) { return static_cast<uint16_t>(ws.Env().simCom); });
    const Get lpt = num([](const CWorkspaceState& ws) { return ws.Env().lpt; });
    const Get tele = num([](const CWorkspaceState& ws) { return ws.Env().teleService; });
    const Get ioBase = num([](const CWorkspaceState& ws) { return ws.Env().arcIoBase; });
    const Get memBase = num([](const CWorkspaceState& ws) { return ws.Env().arcMemoryBase; });
    const Get orvId = num([](const CWorkspaceState& ws) { return ws.Env().arcOrvId; });
    const Get paper = num([](const CWorkspaceState& ws) { return ws.Env().paperLen; });
    const Get margin = num([](const CWorkspaceState& ws) { return ws.Env().leftMargin; });
    const Get mouse = num([](const CWorkspaceState& ws) { return ws.Env().mouseReverse; });
    const Get light = num([](const CWorkspaceState& ws) { return ws.Env().orvLight; });
    const Get head = num([](const CWorkspaceState& ws) { return ws.Env().printHead; });
    const Get formFeed = num([](const CWorkspaceState& ws) { return ws.Env().formFeed; });
    const Get ascii = num([](const CWorkspaceState& ws) { return ws.Env().asciiPrint; });
    const Get design = num([](const CWorkspaceState& ws) { return ws.GetDesignFlag(); });
    const Get headline = [](const CWorkspaceState& ws) { return ws.Env().printerHeadline; };
    const Get init = [](const CWorkspaceState& ws) { return ws.Env().printerInit; };
    const Get end = [](const CWorkspaceState& ws) { return ws.Env().printerEnd; };
    const Get extSource = [](const CWorkspaceState& ws) { return ws.Tags().source; };
    const Get extDriver = [](const CWorkspaceState& ws) { return ws.Tags().driver; };
    const Get extPrinter = [](const CWorkspaceState& ws) { return ws.Tags().printer; };
    const Get prjFile = [](const CWorkspaceState& ws) { return ws.GetPrjFile(); };

    const std::string longPath = "/" + std::string(300, 'p') + "/Name.orv";
    struct Case {
        std::string line;  // "" : the key is absent
        Get get;
        std::string expected;
        bool simStart = false;
    };
    const std::vector<Case> cases = {
        // defaults when absent or out of range
        {"", palette, "0"}, {"PALETTE=3", palette, "3"}, {"PALETTE=4", palette, "0"},
        {"", interval, "0"}, {"REQUEST_INTERVAL=5", interval, "10"}, {"REQUEST_INTERVAL=0", interval, "0"},
        {"REQUEST_INTERVAL=1000", interval, "1000"}, {"REQUEST_INTERVAL=2000", interval, "0"},
        {"", linkCom, "0"}, {"LINK_COM=1", linkCom, "0"}, {"LINK_COM=4", linkCom, "3"}, {"LINK_COM=5", linkCom, "0"},
        {"", simCom, "0"}, {"SIM_COM=ARC", simCom, "65535"}, {"SIM_COM=3", simCom, "2"},
        {"SIM_COM=ARCX", simCom, "0"},
        {"", lpt, "1"}, {"LPT=0", lpt, "0"}, {"LPT=4", lpt, "1"},
        {"", tele, "1"}, {"TELESERVICE=0", tele, "0"}, {"TELESERVICE=2", tele, "1"},
        {"", paper, "60"}, {"PAPERLEN=10", paper, "60"}, {"PAPERLEN=120", paper, "120"},
        {"", margin, "0"}, {"LEFT_MARGIN=30", margin, "30"}, {"LEFT_MARGIN=31", margin, "0"},
        // unchanged when absent or out of range
        {"", ioBase, "4660"}, {"ARC_IO_BASE=02E0", ioBase, "736"}, {"ARC_IO_BASE=2E0", ioBase, "4660"},
        {"ARC_MEMORY_BASE=D000", memBase, "53248"}, {"ARC_MEMORY_BASE=", memBase, "22136"},
        {"", orvId, "7"}, {"ARC_ORV_ID=255", orvId, "255"}, {"ARC_ORV_ID=256", orvId, "7"},
        // bare flags: present means on, absent leaves the preset
        {"", mouse, "0"}, {"MOUSE_REVERSE", mouse, "1"}, {"ORV_LIGHT", light, "1"}, {"PRINT_HEAD", head, "1"},
        {"FORMFEED", formFeed, "1"}, {"ASCII_PRINT", ascii, "1"},
        // quoted texts
        {"", headline, "old head"}, {"PRINTER_HEADLINE=\"\"", headline, ""},
        {"PRINTER_HEADLINE=\"" + std::string(79, 'h') + "\"", headline, std::string(78, 'h')},
        {"PRINTER_HEADLINE=\"open end", headline, "open end"},
        {"PRINTER_HEADLINE=no quote", headline, "old head"},
        {"PRINTER_INIT=\"\x1b@\x81\"", init, "\x1b@\x81"},
        {"PRINTER_END=\"" + std::string(300, 'e') + "\"", end, std::string(255, 'e')},
        // extensions: three characters after blanks
        {"", extSource, "ORV"}, {"EXT_SOURCE=  ABCD", extSource, "ABC"}, {"EXT_PRINTER=LS", extPrinter, "LS"},
        {"EXT_DRIVER=", extDriver, "DRV"}, {"EXT_DRIVER=D/X", extDriver, "DRV"},
        // the project file, whole, unless the simulation was chosen
        {"ORV_FILE=\"" + longPath + "\"", prjFile, longPath},
        {"ORV_FILE=\"/p/x.orv\"", prjFile, "OLD.ORV", true},
        // the design flag
        {"", design, "2"}, {"DESIGN=OEM", design, "1"}, {"DESIGN=OEMX", design, "0"}, {"DESIGN=PRO", design, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.substr(0, 40));
        Preset();
        fx.workspace.SetSimStart(c.simStart);
        ToolCfgText text;
        text.Section("ENVIRONMENT").Line("COMMENT=kept by nobody");
        if (!c.line.empty())
            text.Line(c.line);
        text.Line("").Section("NEXT").Line("PALETTE=2");
        Write(text);
        CCfgReader reader(fx.workspace, fx.bundle);
        reader.ReadEnvironment();
        EXPECT_TRUE(reader.CheckError());
        EXPECT_EQ(c.get(fx.workspace), c.expected);
    }
}

TEST_F(ToolConfigReaderTest, MissingSectionAppliesTheDefaultsAndIsDamaged)
{
    Preset();
    fx.workspace.Env().paperLen = 99;
    Write(ToolCfgText().Configuration());
    CCfgReader reader(fx.workspace, fx.bundle);
    reader.ReadEnvironment();
    EXPECT_EQ(fx.workspace.Env().paperLen, 60);
    EXPECT_EQ(fx.workspace.Env().teleService, 1);
    EXPECT_EQ(reader.GetError(), CCfgReader::kErrDamaged);
    EXPECT_FALSE(reader.CheckError());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].id, 15081);
    EXPECT_NE(Boxes()[0].text.find(fx.workspace.GetIniFile()), std::string::npos);
}

TEST_F(ToolConfigReaderTest, MissingFileChangesNothing)
{
    Preset();
    fx.workspace.Env().paperLen = 99;
    CCfgReader reader(fx.workspace, fx.bundle);
    CfgChoice choice{118, 1, 2, 3, 4, 5};
    std::string descr = "kept";
    reader.ReadEnvironment();
    reader.ReadConfiguration(choice);
    EXPECT_FALSE(reader.ReadDescription(descr));
    reader.ReadSimulation();
    EXPECT_EQ(fx.workspace.Env().paperLen, 99);
    EXPECT_EQ(fx.workspace.Env().lpt, EnvSettings{}.lpt);
    EXPECT_EQ(choice, (CfgChoice{118, 1, 2, 3, 4, 5}));
    EXPECT_EQ(descr, "kept");
    EXPECT_EQ(reader.GetError(), CCfgReader::kErrOpen);
    EXPECT_FALSE(reader.CheckError());
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].id, 15080);
    EXPECT_EQ(Boxes()[0].text, "Initialisierungsdatei " + fx.workspace.GetIniFile() +
                                   " konnte nicht gee\xf6" "ffnet werden.\nEs werden Standardwerte verwendet");
    EXPECT_TRUE(reader.CheckError());
}

// ---- CONFIGURATION ----

TEST_F(ToolConfigReaderTest, ConfigurationSection)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        uint16_t error;
        CfgChoice expected;  // when no error
        uint16_t variant;
    };
    const CfgChoice preset{118, 1, 2, 3, 4, 5};
    const std::vector<Case> cases = {
        {"complete", {"ORV=ORV706", "SPS=AEG_MW", "DRIVER=DF1_DIR", "OFFSET=10", "LENGTH=128", "DB=255"}, 0,
         {706, 7, 74, 10, 128, 255}, 0},
        {"ORV0755 is panel 47 with the variant",
         {"ORV=ORV0755", "SPS=SIEMENS_DW", "DRIVER=KELMIR", "OFFSET=0", "LENGTH=256"}, 0, {47, 33, 5, 0, 256, 0}, 1},
        {"any order, no DB", {"LENGTH=65535", "OFFSET=65535", "DRIVER=UNKNOWN", "SPS=PC", "ORV=ORVlight"},
         0, {36, 48, 78, 65535, 65535, 0}, 0},
        {"DB out of range counts as none",
         {"ORV=ORV043", "SPS=SIEMENS_DW", "DRIVER=KELMIR", "OFFSET=0", "LENGTH=256", "DB=256"}, 0,
         {43, 33, 5, 0, 256, 0}, 0},
        {"no LENGTH", {"ORV=ORV043", "SPS=SIEMENS_DW", "DRIVER=KELMIR", "OFFSET=0", "DB=1"}, 17, preset, 0},
        {"unknown panel", {"ORV=ORV999", "SPS=SIEMENS_DW", "DRIVER=KELMIR", "OFFSET=0", "LENGTH=256"}, 17, preset,
         0},
        {"a longer value is no other key",
         {"ORV=ORV043", "SPS=SIEMENS_DWX", "DRIVER=KELMIR", "OFFSET=0", "LENGTH=256"}, 17, preset, 0},
        {"keys after the next section do not count",
         {"ORV=ORV043", "SPS=SIEMENS_DW", "DRIVER=KELMIR", "OFFSET=0", "[NEXT]", "LENGTH=256"}, 17, preset, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        root.SetVariant(0);
        fx.ui.ClearCalls();
        ToolCfgText text;
        text.Section("ENVIRONMENT").Line("").Section("CONFIGURATION");
        for (const auto& line : c.lines)
            text.Line(line);
        Write(text);
        CCfgReader reader(fx.workspace, fx.bundle);
        CfgChoice choice = preset;
        reader.ReadConfiguration(choice);
        EXPECT_EQ(reader.GetError(), c.error);
        EXPECT_EQ(choice, c.error ? preset : c.expected);
        EXPECT_EQ(root.GetVariant(), c.variant);
        EXPECT_EQ(reader.CheckError(), c.error == 0);
        if (c.error) {
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_EQ(Boxes()[0].text, "Initialisierungsdatei " + fx.workspace.GetIniFile() +
                                           " ist besch\xe4" "digt.\nEs werden Standardwerte verwendet");
        }
    }
}

TEST_F(ToolConfigReaderTest, EveryPanelPlcAndDriverReadsBackAsWritten)
{
    Write(ToolCfgText().Section("ENVIRONMENT").Line(""));
    const auto roundTrip = [&](const CfgChoice& choice, uint16_t variant) {
        SCOPED_TRACE(testing::Message() << "panel " << choice.devType << " variant " << variant << " PLC "
                                        << choice.spsType << " driver " << choice.drvNo);
        root.SetVariant(variant);
        CCfgWriter writer(fx.workspace, fx.bundle);
        writer.SaveConfiguration(choice);
        EXPECT_TRUE(writer.ReportError());
        root.SetVariant(0);
        CCfgReader reader(fx.workspace, fx.bundle);
        CfgChoice read{0, 0, 0, 0, 0, 0};
        reader.ReadConfiguration(read);
        EXPECT_TRUE(reader.CheckError());
        EXPECT_EQ(read, choice);
        EXPECT_EQ(root.GetVariant(), variant);
    };
    for (uint16_t type = 0; type < CSpsPar::kTypeCount; ++type)
        roundTrip({43, type, 5, 0, 256, 0}, 0);
    for (uint16_t drv = 0; drv < kDrvCount; ++drv)
        roundTrip({43, 33, drv, 0, 256, 0}, 0);
    for (const uint16_t panel : {14, 36, 43, 47, 706, 473, 477, 118, 163, 167})
        roundTrip({panel, 33, 5, 65535, 65535, 255}, 0);
    roundTrip({47, 33, 5, 0, 256, 0}, 1);
}

TEST_F(ToolConfigReaderTest, FunctionKeysGiveTheStandardFiles)
{
    const std::string cfgDir = fx.dir.Path() + "CFG/ORV/";
    WriteFileBytes(cfgDir + "std47.fkt", "");
    ToolCfgText text;
    text.Section("CONFIGURATION").Key("ORV", "ORV043").Key("SPS", "SIEMENS_DW").Key("DRIVER", "KELMIR");
    text.Key("FUNCTION_ORV014", "STD14").Key("FUNCTION_ORVlight", "LIGHT").Key("FUNCTION_ORV043", " STD43 ");
    text.Key("FUNCTION_ORV047", "STD47").Key("FUNCTION_ORV706", "../X");
    text.Key("OFFSET", "0").Key("LENGTH", "256");
    Write(text);
    fx.workspace.SetStdFktPath(3, "/keep/ORV706.FKT");
    CCfgReader reader(fx.workspace, fx.bundle);
    CfgChoice choice;
    reader.ReadConfiguration(choice);
    EXPECT_TRUE(reader.CheckError());
    EXPECT_EQ(fx.workspace.GetStdFktPath(0), cfgDir + "STD14.FKT");
    EXPECT_EQ(fx.workspace.GetStdFktPath(1), cfgDir + "STD43.FKT");
    EXPECT_EQ(fx.workspace.GetStdFktPath(2), cfgDir + "std47.fkt");  // found without regard to case
    EXPECT_EQ(fx.workspace.GetStdFktPath(3), "/keep/ORV706.FKT");     // a name that leaves the directory
}

// ---- DEFAULT_DESCRIPTION ----

TEST_F(ToolConfigReaderTest, DefaultDescription)
{
    // Ten lines of 100 bytes each once stored with CR LF.
    const std::string line98(98, 'd');
    std::string tenOnDisk;
    std::string tenStored;
    for (int i = 0; i < 10; ++i) {
        tenOnDisk += line98 + "\n";
        tenStored += line98 + "\r\n";
    }
    const std::string e20(20, 'e');
    struct Case {
        const char* name;
        std::string section;  // bytes after the header line
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"last section, its last line once", "A\r\n\r\nB", "A\r\n\r\nB\r\n"},
        {"last section ending in CR LF", "A\r\nB\r\n", "A\r\nB\r\n"},
        {"LF line ends are stored as CR LF", "A\nB\n[CONFIGURATION]\nORV=ORV043\n", "A\r\nB\r\n"},
        {"empty section", "[CONFIGURATION]\r\n", ""},
        {"1022 bytes fit", tenOnDisk + e20 + "\r\n", tenStored + e20 + "\r\n"},
        {"the line that passes 1022 bytes ends the text", tenOnDisk + e20 + "e\r\nshort\r\n", tenStored},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(fx.workspace.GetIniFile(), "[ENVIRONMENT]\r\n\r\n[DEFAULT_DESCRIPTION]\r\n" + c.section);
        CCfgReader reader(fx.workspace, fx.bundle);
        std::string descr = "old";
        EXPECT_TRUE(reader.ReadDescription(descr));
        EXPECT_TRUE(reader.CheckError());
        EXPECT_EQ(descr, c.expected);
    }
}

// ---- SIMULATION_ ----

class ToolConfigSimulationTest : public ToolConfigReaderTest {
protected:
    ToolConfigSimulationTest()
    {
        for (uint16_t w = 0; w <= 30; ++w)
            sps.GetItems().Add(new CDrvParVarItem(w, 3));
        root.SetDevType(43);
    }

    uint16_t Read(const std::vector<std::string>& lines, std::string_view section = "SIMULATION_ORV043")
    {
        ToolCfgText text;
        text.Section("ENVIRONMENT").Line("").Section(section);
        for (const auto& line : lines)
            text.Line(line);
        text.Line("").Section("SIMULATION_ORV706").Line("WORD=1,ASCII,1");
        Write(text);
        CCfgReader reader(fx.workspace, fx.bundle);
        reader.ReadSimulation();
        return reader.GetError();
    }

    const CDrvParItem& Item(uint16_t word) const { return *sps.GetItems().FindItem(word); }

    bool IsSimWord(uint16_t word)
    {
        return sps.GetSimWords().IndexOf(sps.GetItems().FindItem(word)) >= 0;
    }
};

TEST_F(ToolConfigSimulationTest, WordsAndLongsWithTheirFormats)
{
    ASSERT_EQ(Read({"WORD=  3, BIN, 4040", "WORD=4,HEX", "WORD=5,DEZV,7", "WORD=6,DEZ,8", "WORD=7,ASCII,65",
                    "WORD=8", "LONG=10,HEX,305419896", "LONG=12,DEZV,4294967295", "LONG=14,BIN,0",
                    "LONG=16,DEZ,1", "LONG=18,ASCII,65536", "WORD=200,BIN,1", "LONG=30,BIN,1", "OTHER=1"}),
              0);
    struct Expect {
        uint16_t word;
        uint8_t format;
        uint16_t value;
    };
    const Expect expected[] = {
        {3, 1, 4040}, {4, 2, 0}, {5, 8, 7}, {6, 4, 8}, {7, 16, 65},
        {10, 66, 0x1234}, {11, 34, 0x5678}, {12, 72, 0xFFFF}, {13, 40, 0xFFFF}, {14, 65, 0}, {15, 33, 0},
        {16, 68, 0}, {17, 36, 1}, {18, 80, 1}, {19, 48, 0},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.word);
        EXPECT_EQ(Item(e.word).GetSimFmt(), e.format);
        EXPECT_EQ(Item(e.word).GetSimValue(), e.value);
        EXPECT_TRUE(IsSimWord(e.word));
    }
    // A word named without format, and a long whose second word is
    // missing, are left as they were.
    EXPECT_FALSE(IsSimWord(8));
    EXPECT_FALSE(IsSimWord(30));
    EXPECT_EQ(Item(30).GetSimFmt(), 1);
    EXPECT_EQ(sps.GetSimWords().GetCount(), 15);
}

TEST_F(ToolConfigSimulationTest, BadEntriesAreDamage)
{
    const char* const badLines[] = {
        "WORD=3,OCT,1", "WORD=3,BIN,", "WORD=3,BIN,65536", "WORD=3,", "WORD=256,BIN", "WORD=x",
        "LONG=3,BIN", "LONG=3,BIN,", "LONG=255,BIN,1", "LONG=3,HEXA,1x",
    };
    for (const char* bad : badLines) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Read({"WORD=2,HEX,9", bad, "WORD=4,HEX,9"}), CCfgReader::kErrDamaged);
        EXPECT_TRUE(IsSimWord(2));
        EXPECT_FALSE(IsSimWord(4));
    }
}

TEST_F(ToolConfigSimulationTest, SectionOfThePanelType)
{
    struct Case {
        uint16_t devType;
        uint16_t variant;
        std::string section;
    };
    const Case cases[] = {
        {47, 1, "SIMULATION_ORV047"}, {36, 0, "SIMULATION_ORVlight"}, {167, 0, "SIMULATION_ORV167"},
        {999, 0, "SIMULATION_ORV043"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.devType);
        root.SetDevType(c.devType);
        root.SetVariant(c.variant);
        EXPECT_EQ(Read({"WORD=3,DEZ,3"}, "SIMULATION_ORV043X"), CCfgReader::kErrDamaged);
        EXPECT_EQ(Read({"WORD=3,DEZ,3"}, c.section), 0);
        EXPECT_EQ(Item(3).GetSimFmt(), 4);
        EXPECT_EQ(sps.GetSimWords().GetCount(), 1);
    }
}

} // namespace

#include "PanelEmulator.h"
#include "PanelScenario.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

using panelemu::PanelEmulator;
using panelemu::PanelScenario;

namespace {

TEST(PanelEmuScenario, EveryKeyTakesEffect) {
    TempDir dir;
    dir.Write("image.bin", std::string("\x01\x02\x03", 3));
    dir.Write("tail.bin", std::string("\xAA\xBB\xCC\xDD", 4));
    dir.Write("panel.ini",
              "[Panel]\r\n"
              "Model=473\r\n"
              "Fieldbus=06\r\n"
              "Rates=38400\r\n"
              "Status=00800300000000000000000000000000\r\n"
              "XAnswer=00112233445566778899AABBCCDDEEFF00112233445566778899\r\n"
              "TerminalModule=80\r\n"
              "WordFFFE=BEEF\r\n"
              "ModuleCode=42\r\n"
              "DataSetFlags=01\r\n"
              "Preload1=06,0000,image.bin\r\n"
              "Preload2=07,FFFE," + dir.File("tail.bin") + "\r\n"
              "Fault1=V,1,?12\r\n"
              "Fault2=@start,1,rate\r\n");
    PanelScenario scenario;
    std::string error;
    ASSERT_TRUE(panelemu::LoadScenario(dir.File("panel.ini"), scenario, error)) << error;
    EXPECT_EQ(scenario.model, 473);
    EXPECT_EQ(scenario.Identification().substr(0, 5), "OG473");
    EXPECT_EQ(scenario.Identification().substr(28, 2), "06");
    EXPECT_FALSE(scenario.runs115200);
    EXPECT_TRUE(scenario.runs38400);

    PanelEmulator panel(scenario);
    EXPECT_EQ(panel.Start(false), 0);
    EXPECT_EQ(panel.Command("V").answer, "");  // the first start is refused its rate
    panel.End();
    EXPECT_EQ(panel.Start(false), 0);
    const auto answer = [&](const std::string& command) { return panel.Command(command).answer; };
    EXPECT_EQ(answer("V"), "?12");
    EXPECT_EQ(answer("V").substr(0, 5), "OG473");
    EXPECT_EQ(answer("SR"), "00800300000000000000000000000000");
    EXPECT_EQ(answer("X"), "00112233445566778899AABBCCDDEEFF00112233445566778899");
    EXPECT_EQ(answer("C"), "0D000042");
    EXPECT_EQ(answer("R804001"), "80");
    EXPECT_EQ(answer("RFFFE02"), "BEEF");
    EXPECT_EQ(answer("B06"), "OK");
    EXPECT_EQ(answer("R000004"), "010203FF");
    EXPECT_EQ(answer("B07"), "OK");
    EXPECT_EQ(answer("RFFFE02"), "AABB");
    EXPECT_EQ(answer("B08"), "OK");
    EXPECT_EQ(answer("R000003"), "CCDDFF");
    panel.End();
    EXPECT_EQ(panel.Start(true), 0);
    EXPECT_EQ(answer("V"), "");
}

TEST(PanelEmuScenario, BadScenariosAreRefusedWithReason) {
    const std::vector<std::string> bad = {
        "Model=999",        "Model=70x",           "Variant=12",          "Fieldbus=100",
        "Rates=9600",       "Status=0011",         "Status=" + std::string(31, '0') + "G",
        "TerminalModule=G", "WordFFFE=10000",      "ModuleCode=",         "Preload1=06,0000",
        "Preload1=06,0000,missing.bin",            "Preload1=100,0000,data.bin",
        "Preload1=FF,FFFF,data.bin",               "Fault1=V,1,boom",     "Fault1=V,0,empty",
    };
    for (const std::string& line : bad) {
        TempDir dir;
        dir.Write("data.bin", "12");
        dir.Write("panel.ini", "[Panel]\n" + line + "\n");
        PanelScenario scenario;
        std::string error;
        const bool loaded = panelemu::LoadScenario(dir.File("panel.ini"), scenario, error);
        if (line == "ModuleCode=") {
            EXPECT_TRUE(loaded) << "an empty key keeps the default";
            continue;
        }
        EXPECT_FALSE(loaded) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
    PanelScenario scenario;
    std::string error;
    EXPECT_FALSE(panelemu::LoadScenario("/nonexistent/panel.ini", scenario, error));
    EXPECT_NE(error.find("/nonexistent/panel.ini"), std::string::npos);
}

// A preload that names something other than a readable file is refused with
// its path, and nothing is thrown.
TEST(PanelEmuScenario, UnreadablePreloadNamesThePath) {
    struct Case {
        const char* name;
        const char* file;
    };
    const Case cases[] = {
        {"directory", "."},
        {"missing", "missing.bin"},
        {"below a plain file", "data.bin/inner.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("data.bin", "12");
        dir.Write("panel.ini", std::string("[Panel]\nPreload1=00,0000,") + c.file + "\n");
        PanelScenario scenario;
        std::string error;
        EXPECT_FALSE(panelemu::LoadScenario(dir.File("panel.ini"), scenario, error));
        EXPECT_EQ(error, "cannot read preload file " + dir.File(c.file));
    }
}

}  // namespace

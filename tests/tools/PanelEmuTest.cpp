#include "EmuLink.h"
#include "FaultScript.h"
#include "PanelEmulator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using panelemu::EmuLink;
using panelemu::FaultRule;
using panelemu::LogEntry;
using panelemu::PanelEmulator;
using panelemu::PanelScenario;

namespace {

// Runs commands against a started panel and returns the answers.
std::vector<std::string> Send(PanelEmulator& panel, const std::vector<std::string>& commands) {
    std::vector<std::string> answers;
    for (const std::string& c : commands) answers.push_back(panel.Command(c).answer);
    return answers;
}

PanelEmulator Started(const PanelScenario& scenario = PanelScenario()) {
    PanelEmulator panel(scenario);
    panel.Start(true);
    return panel;
}

PanelScenario WithFault(const std::string& text) {
    PanelScenario scenario;
    FaultRule rule;
    std::string error;
    EXPECT_TRUE(panelemu::ParseFaultRule(text, rule, error)) << error;
    scenario.faults.push_back(rule);
    return scenario;
}

TEST(PanelEmu, IdentificationPerModel) {
    struct Case {
        uint16_t model;
        char variant;
        uint8_t fieldbus;
        std::string raw;
        std::string expected;
    };
    const Case cases[] = {
        {706, '1', 0, "", "OG7069990 EMULATED PANEL    00"},
        {473, '1', 0x06, "", "OG4739990 EMULATED PANEL    06"},
        {477, '1', 0x04, "", "OG4779990 EMULATED PANEL    04"},
        {47, '2', 0, "", "OG0474292 EMULATED PANEL    00"},
        {47, '1', 0, "", "OG0474191 EMULATED PANEL    00"},
        {118, '1', 0, "", "OG1189990 EMULATED PANEL    00"},
        {706, '1', 0, "TG210 V100", "TG210 V100"},
    };
    for (const Case& c : cases) {
        PanelScenario scenario;
        scenario.model = c.model;
        scenario.variant = c.variant;
        scenario.fieldbus = c.fieldbus;
        scenario.identification = c.raw;
        PanelEmulator panel = Started(scenario);
        EXPECT_EQ(panel.Command("V").answer, c.expected) << c.model;
    }
}

TEST(PanelEmu, BankWriteReadAroundBankMiddle) {
    PanelEmulator panel = Started();
    std::string data;
    for (int i = 0; i < 32; ++i) data += "0123456789abcdef"[i % 16] + std::string(1, "FEDCBA9876543210"[i % 16]);
    const auto answers = Send(panel, {"EP0", "PON", "B03", "W7FF0" + data, "R7FF020", "R7FE004", "R801004", "B04",
                                     "R7FF004", "B03", "R7FF000"});
    EXPECT_EQ(answers[3], "OK");
    std::string upper = data;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(answers[4], upper);
    EXPECT_EQ(answers[5], "FFFFFFFF");
    EXPECT_EQ(answers[6], "FFFFFFFF");
    EXPECT_EQ(answers[8], "FFFFFFFF");  // bank 4 untouched
    EXPECT_EQ(answers[10], "");
    EXPECT_EQ(panel.Memory().Read(3, 0x8000), 0x0F);
    EXPECT_EQ(panel.Bank(), 3);
}

TEST(PanelEmu, AddressesWrapInsideTheBank) {
    PanelEmulator panel = Started();
    const auto answers = Send(panel, {"EP0", "PON", "B01", "WFFFF1122", "RFFFF02", "R000001", "B02", "R000001"});
    EXPECT_EQ(answers[4], "1122");
    EXPECT_EQ(answers[5], "22");
    EXPECT_EQ(answers[7], "FF");
}

TEST(PanelEmu, MalformedCommandsAreRefused) {
    const std::string statusBlock(32, '0');
    char stale[] = "R000010\0";
    uint8_t sum = 0;
    for (const char* p = "R000010"; *p; ++p) sum ^= static_cast<uint8_t>(*p);
    stale[7] = static_cast<char>(sum);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "?01"},          {"Q", "?01"},          {"T00", "?01"},       {"VV", "?02"},
        {stale, "?02"},       {"R00001", "?02"},     {"R0000100", "?02"},  {"R00G010", "?03"},
        {"W0000", "?02"},     {"W000011F", "?02"},   {"W0000G0", "?03"},   {"WZ00000", "?03"},
        {"B1", "?02"},        {"B123", "?02"},       {"BXY", "?03"},       {"D", "?02"},
        {"D0abc", "?04"},     {"D5", "?04"},         {"D1" + std::string(41, ' '), "?02"},
        {"SR1", "?02"},       {"SX", "?01"},         {"SW0000" + statusBlock.substr(2), "?02"},
        {"SW0001" + statusBlock, "?04"},             {"SW00A0" + statusBlock, "?03"},
        {"SW0000" + statusBlock.substr(1) + "G", "?03"},
        {"EP2", "?04"},       {"EP01", "?02"},       {"PONX", "?02"},      {"PX", "?01"},
        {"CX", "?01"},        {"CWX", "?02"},        {"CRR", "?02"},       {"A8", "?02"},
        {"A811", "?02"},      {"AG1", "?03"},        {"XX", "?02"},        {"M1", "?02"},
        {"MZZ", "?03"},       {"M", "?02"},
    };
    PanelEmulator panel = Started();
    for (const auto& [command, refusal] : cases) EXPECT_EQ(panel.Command(command).answer, refusal) << command;
    // The stale checksum of an unrestored "V" is refused too.
    EXPECT_EQ(panel.Command(std::string("VV")).answer, "?02");
}

TEST(PanelEmu, WritesNeedProgrammingAndPower) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "?11"},
        {{"EP0"}, "?11"},
        {{"PON"}, "?11"},
        {{"PON", "EP0"}, "OK"},
        {{"EP0", "PON"}, "OK"},
        {{"EP0", "PON", "POF"}, "?11"},
        {{"EP0", "PON", "POF", "PON"}, "OK"},
        {{"EP0", "PON", "EP1"}, "?11"},
    };
    for (const auto& [before, answer] : cases) {
        PanelEmulator panel = Started();
        Send(panel, before);
        EXPECT_EQ(panel.Command("W000055").answer, answer) << before.size();
        EXPECT_EQ(panel.Memory().Read(0, 0), answer == "OK" ? 0x55 : 0xFF);
    }
}

TEST(PanelEmu, StatusBlockRoundTrips) {
    PanelEmulator panel = Started();
    EXPECT_EQ(panel.Command("SR").answer, std::string(32, '0'));
    const std::string block = "00800102040810204080FF0011131415";
    EXPECT_EQ(panel.Command("SW0000" + block).answer, "OK");
    EXPECT_EQ(panel.Command("SR").answer, block);
    EXPECT_EQ(panel.Status()[1], 0x80);
}

TEST(PanelEmu, CheckWordWrittenAndRecomputed) {
    PanelEmulator panel = Started();
    Send(panel, {"B02", "EP0", "PON", "W0002414243", "W7FFF01", "POF"});
    const std::string before = panel.Command("CR").answer;
    ASSERT_EQ(before.size(), 4u);
    EXPECT_EQ(panel.Command("CW").answer, "OK");
    EXPECT_EQ(panel.Command("R000002").answer, before);
    EXPECT_EQ(panel.Command("CR").answer, before);
    // One changed byte of the data makes them differ.
    Send(panel, {"PON", "W000344"});
    EXPECT_NE(panel.Command("CR").answer, before);
    EXPECT_EQ(panel.Command("R000002").answer, before);
    // The word goes to the bank programming began in, even after a bank switch.
    Send(panel, {"POF", "B03", "CW"});
    EXPECT_EQ(panel.Command("R000002").answer, "FFFF");
    Send(panel, {"B02"});
    EXPECT_EQ(panel.Command("CR").answer, panel.Command("R000002").answer);
    // An erased bank never matches its word.
    Send(panel, {"B09"});
    EXPECT_NE(panel.Command("CR").answer, panel.Command("R000002").answer);
}

TEST(PanelEmu, FlagsFollowTransferOf706) {
    PanelScenario scenario;
    scenario.moduleCode = 0x42;
    PanelEmulator panel = Started(scenario);
    EXPECT_EQ(panel.Command("C").answer, "0C000042");
    // Without bank 6 the end of the transfer marks nothing.
    Send(panel, {"EP0", "PON", "B05", "WE0000102", "A81"});
    EXPECT_EQ(panel.Command("C").answer, "0C000042");
    Send(panel, {"EP0", "PON", "B05", "WA0000010", "B06", "W00000102"});
    EXPECT_EQ(panel.Command("C").answer, "0C000042");
    Send(panel, {"A81", "POF"});
    EXPECT_EQ(panel.Command("C").answer, "1D000042");
    // A later transfer without the special-function file clears its flag.
    Send(panel, {"EP0", "PON", "B06", "W00000102", "A81"});
    EXPECT_EQ(panel.Command("C").answer, "0D000042");
}

TEST(PanelEmu, PresetsShowInEveryBankUntilWritten) {
    PanelScenario scenario;
    scenario.terminalModule = 0x80;
    scenario.presetWord = 0xBEEF;
    PanelEmulator panel = Started(scenario);
    EXPECT_EQ(Send(panel, {"R804001", "RFFFE02", "B07", "R804001", "RFFFE02"}),
              (std::vector<std::string>{"80", "BEEF", "OK", "80", "BEEF"}));
    Send(panel, {"EP0", "PON", "W804012", "W000000"});
    EXPECT_EQ(Send(panel, {"R804001", "RFFFE02", "B00", "R804001"}),
              (std::vector<std::string>{"12", "BEEF", "OK", "80"}));
}

TEST(PanelEmu, DisplayLinesAndMemoryBlock) {
    PanelEmulator panel = Started();
    Send(panel, {"D1 ", "D2   INITIALISIERUNG", "D4" + std::string(40, ' '), "X"});
    EXPECT_EQ(panel.Lines()[0], " ");
    EXPECT_EQ(panel.Lines()[1], "   INITIALISIERUNG");
    EXPECT_EQ(panel.Lines()[2], "");
    EXPECT_EQ(panel.Lines()[3], std::string(40, ' '));
    const std::string x = panel.Command("X").answer;
    EXPECT_GE(x.size(), 44u);
    EXPECT_EQ(panel.Command("M" + x).answer, "OK");
    EXPECT_EQ(panel.MemoryBlock(), x);
}

TEST(PanelEmu, RefusedRateGivesEmptyAnswers) {
    PanelScenario scenario;
    scenario.runs115200 = false;
    PanelEmulator panel(scenario);
    EXPECT_EQ(panel.Start(true), 0);
    EXPECT_FALSE(panel.Answering());
    EXPECT_EQ(panel.Command("V").answer, "");
    EXPECT_EQ(panel.Command("V").result, 0);
    panel.End();
    EXPECT_EQ(panel.Start(false), 0);
    EXPECT_EQ(panel.Command("V").answer.substr(0, 5), "OG706");
}

TEST(PanelEmu, LogRecordsStartsCommandsAndEnds) {
    PanelEmulator panel(WithFault("B,1,result:29"));
    panel.Start(false);
    panel.Command("V");
    panel.Command("B01");
    panel.End();
    const auto& log = panel.Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].kind, LogEntry::Kind::Start);
    EXPECT_FALSE(log[0].fast);
    EXPECT_EQ(log[1].command, "V");
    EXPECT_EQ(log[1].answer.substr(0, 5), "OG706");
    EXPECT_EQ(log[2].command, "B01");
    EXPECT_EQ(log[2].result, 29);
    EXPECT_EQ(log[3].kind, LogEntry::Kind::End);
}

TEST(PanelEmu, FaultScriptActions) {
    struct Case {
        std::string rule;
        std::string command;
        std::string answer;
        uint16_t result;
        bool carriedOut;  // the bank changed
    };
    const Case cases[] = {
        {"B,2,?11", "B05", "?11", 0, false},
        {"B0,1,?12", "B05", "?12", 0, false},
        {"B,1,empty", "B05", "", 0, true},
        {"B,1,cut:1", "B05", "O", 0, true},
        {"B,1,result:1", "B05", "", 1, false},
        {"B,1,result:2", "B05", "", 2, false},
        {"B,1,result:4", "B05", "", 4, false},
        {"B,1,result:5", "B05", "", 5, false},
        {"B,1,result:28", "B05", "", 28, true},
        {"B,1,result:29", "B05", "", 29, false},
        {"B,1,result:30", "B05", "", 30, true},
        {"B,1,result:31", "B05", "OK", 31, true},
        {"B,1,result:32", "B05", "", 32, true},
        {"V,1,?11", "B05", "OK", 0, true},  // other prefixes are not touched
    };
    for (const Case& c : cases) {
        PanelEmulator panel = Started(WithFault(c.rule));
        const panelemu::Reply reply = panel.Command(c.command);
        EXPECT_EQ(reply.answer, c.answer) << c.rule;
        EXPECT_EQ(reply.result, c.result) << c.rule;
        EXPECT_EQ(panel.Bank() == 5, c.carriedOut) << c.rule;
    }
    // The count runs out, then the panel answers again.
    PanelEmulator panel = Started(WithFault("R,2,?12"));
    EXPECT_EQ(Send(panel, {"R000001", "V", "R000001", "R000001"}).back(), "FF");
    EXPECT_EQ(panel.Log()[3].answer, "?12");
}

TEST(PanelEmu, StartFaults) {
    PanelScenario scenario = WithFault("@start,1,rate");
    FaultRule open;
    std::string error;
    ASSERT_TRUE(panelemu::ParseFaultRule("@start,1,open", open, error));
    scenario.faults.push_back(open);
    PanelEmulator panel(scenario);
    EmuLink link(panel);
    char command[126] = "V";
    char answer[126] = {};
    EXPECT_EQ(link.Start(0, 1), 0);
    EXPECT_EQ(link.Rec(command, answer), 0);
    EXPECT_STREQ(answer, "");
    EXPECT_EQ(link.Start(0, 1), 21);
    std::strcpy(command, "V");
    EXPECT_EQ(link.Rec(command, answer), 21);
    EXPECT_EQ(link.End(), 21);
    EXPECT_EQ(link.Start(0, 1), 0);
    std::strcpy(command, "V");
    EXPECT_EQ(link.Rec(command, answer), 0);
    EXPECT_EQ(std::string(answer).substr(0, 5), "OG706");
}

TEST(PanelEmu, FaultRuleForms) {
    const char* bad[] = {"", "B", "B,1", ",1,empty", "B,0,empty", "B,x,empty", "B,1,", "B,1,?", "B,1,cut:",
                         "B,1,result:3", "B,1,result:21", "B,1,rate", "@start,1,empty", "@start,1,?11"};
    for (const char* text : bad) {
        FaultRule rule;
        std::string error;
        EXPECT_FALSE(panelemu::ParseFaultRule(text, rule, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    FaultRule rule;
    std::string error;
    ASSERT_TRUE(panelemu::ParseFaultRule(" W , 3 , cut:4 ", rule, error)) << error;
    EXPECT_EQ(rule.prefix, "W");
    EXPECT_EQ(rule.remaining, 3);
    EXPECT_EQ(rule.action, FaultRule::Action::Cut);
    EXPECT_EQ(rule.cut, 4u);
}

TEST(PanelEmu, LinkKeepsBufferContract) {
    PanelEmulator panel;
    EmuLink link(panel);
    char command[126 + 2];
    char answer[126 + 8];
    std::strcpy(command, "V");
    std::memset(answer, 'x', sizeof answer);
    EXPECT_EQ(link.Rec(command, answer), 21);
    EXPECT_STREQ(command, "V");
    EXPECT_EQ(answer[0], 'x');

    ASSERT_EQ(link.Start(0, 1), 0);
    EXPECT_EQ(link.Rec(command, answer), 0);
    EXPECT_EQ(std::string(command, 3), std::string("VV\0", 3));
    EXPECT_EQ(std::string(answer, 5), "OG706");
    // Sent again without restoring, the command carries its checksum.
    EXPECT_EQ(link.Rec(command, answer), 0);
    EXPECT_STREQ(answer, "?02");

    std::strcpy(command, "R00003E");  // 62 bytes: the longest read that fits
    EXPECT_EQ(link.Rec(command, answer), 0);
    EXPECT_EQ(std::strlen(answer), 124u);
    std::strcpy(command, "R000040");
    std::memset(answer, 'x', sizeof answer);
    EXPECT_EQ(link.Rec(command, answer), 32);
    EXPECT_EQ(answer[0], '\0');
    for (size_t i = 1; i < sizeof answer; ++i) ASSERT_EQ(answer[i], 'x') << i;

    EXPECT_EQ(link.End(), 0);
    EXPECT_EQ(link.End(), 21);
}

}  // namespace

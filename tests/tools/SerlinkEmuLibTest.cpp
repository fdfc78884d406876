#include "PanelEmulator.h"
#include "SerlinkEmu.h"
#include "serlink/orvlink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>
#include <string>

#include <dlfcn.h>

using namespace orv;

namespace {

using PanelFn = panelemu::PanelEmulator* (*)();

std::set<std::string> DefinedDynamicSymbols(const std::string& library) {
    std::set<std::string> names;
    FILE* pipe = popen((std::string(ORV_NM) + " -D --defined-only " + library).c_str(), "r");
    if (!pipe) return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    pclose(pipe);
    return names;
}

TEST(SerlinkEmuLib, ExportsTheLinkAndThePanel) {
    EXPECT_EQ(DefinedDynamicSymbols(SERLINK_EMU_PATH),
              (std::set<std::string>{"orvlink_emu_panel", "orvlink_end", "orvlink_rec", "orvlink_start"}));
}

// The whole life of the process-wide emulator, in one test because it is
// loaded once per process.
TEST(SerlinkEmuLib, ScenarioFromFileAndBufferContract) {
    TempDir dir;
    dir.Write("image.bin", std::string("\x11\x13\x00\xFF", 4));
    dir.Write("scenario.ini", "[Panel]\nModel=706\nPreload1=06,0100,image.bin\nFault1=R,1,?12\nFault2=B,1,result:31\n");
    setenv("ORVTOOL_PANEL_EMU", dir.File("scenario.ini").c_str(), 1);
    void* handle = dlopen(SERLINK_EMU_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto start = reinterpret_cast<orvlink_start_fn>(dlsym(handle, "orvlink_start"));
    auto rec = reinterpret_cast<orvlink_rec_fn>(dlsym(handle, "orvlink_rec"));
    auto end = reinterpret_cast<orvlink_end_fn>(dlsym(handle, "orvlink_end"));
    auto panel = reinterpret_cast<PanelFn>(dlsym(handle, "orvlink_emu_panel"));
    ASSERT_TRUE(start && rec && end && panel);

    char command[ORVLINK_BUFFER_SIZE];
    char answer[ORVLINK_BUFFER_SIZE + 8];
    const auto send = [&](const char* text) {
        std::strcpy(command, text);
        std::memset(answer, 'x', sizeof answer);
        return rec(command, answer);
    };

    EXPECT_EQ(end(), ORVLINK_NO_PORT);
    EXPECT_EQ(send("V"), ORVLINK_NO_PORT);
    EXPECT_STREQ(command, "V");
    EXPECT_EQ(answer[0], 'x');

    ASSERT_EQ(start(3, 1), 0);
    EXPECT_EQ(send("V"), 0);
    EXPECT_EQ(std::string(command, 3), std::string("VV\0", 3));
    EXPECT_EQ(std::string(answer, 5), "OG706");

    // The fault script: one refused read, one selection with a bad checksum.
    EXPECT_EQ(send("B06"), ORVLINK_CHECKSUM);
    EXPECT_STREQ(answer, "OK");
    EXPECT_EQ(send("R010004"), 0);
    EXPECT_STREQ(answer, "?12");
    EXPECT_EQ(send("R010004"), 0);
    EXPECT_STREQ(answer, "111300FF");

    for (const char* c : {"EP0", "PON", "B03", "W7FFE0011AA13FF"}) ASSERT_EQ(send(c), 0) << c;
    EXPECT_EQ(send("R7FFE06"), 0);
    EXPECT_STREQ(answer, "0011AA13FFFF");

    EXPECT_EQ(send("R000040"), ORVLINK_ANSWER_TOO_LONG);
    EXPECT_EQ(answer[0], '\0');
    for (size_t i = 1; i < sizeof answer; ++i) ASSERT_EQ(answer[i], 'x') << i;

    EXPECT_EQ(end(), 0);
    EXPECT_EQ(end(), ORVLINK_NO_PORT);
    EXPECT_EQ(send("V"), ORVLINK_NO_PORT);

    // A powered panel keeps its memory and state across end and start.
    ASSERT_EQ(start(0, 0), 0);
    EXPECT_EQ(send("R7FFE06"), 0);
    EXPECT_STREQ(answer, "0011AA13FFFF");
    EXPECT_EQ(send("W800001"), 0);
    EXPECT_STREQ(answer, "OK");
    EXPECT_EQ(end(), 0);

    const panelemu::PanelEmulator* emulator = panel();
    ASSERT_NE(emulator, nullptr);
    EXPECT_EQ(emulator->Bank(), 3);
    EXPECT_EQ(emulator->Log().front().kind, panelemu::LogEntry::Kind::Start);
    EXPECT_TRUE(emulator->Log().front().fast);
    EXPECT_EQ(emulator->Log().back().kind, panelemu::LogEntry::Kind::End);
    dlclose(handle);
    unsetenv("ORVTOOL_PANEL_EMU");
}

}  // namespace

#include "PtyPair.h"
#include "serlink/orvlink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include <dlfcn.h>

using namespace orv;

namespace {

std::set<std::string> DefinedDynamicSymbols(const std::string& library) {
    const std::string command = std::string(ORV_NM) + " -D --defined-only " + library;
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
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

// ORVTOOL_HOME pointed at a scratch directory for the test's life.
class ScopedHome {
public:
    explicit ScopedHome(const std::string& dir) {
        if (const char* old = std::getenv("ORVTOOL_HOME")) m_saved = old;
        setenv("ORVTOOL_HOME", dir.c_str(), 1);
    }
    ~ScopedHome() {
        if (m_saved) setenv("ORVTOOL_HOME", m_saved->c_str(), 1);
        else unsetenv("ORVTOOL_HOME");
    }

private:
    std::optional<std::string> m_saved;
};

TEST(SerlinkExports, OnlyTheThreeExports) {
    EXPECT_EQ(DefinedDynamicSymbols(SERLINK_PATH),
              (std::set<std::string>{"orvlink_end", "orvlink_rec", "orvlink_start"}));
}

TEST(SerlinkExports, LoadedLibraryOpensTheConfiguredDevice) {
    void* handle = dlopen(SERLINK_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    auto start = reinterpret_cast<orvlink_start_fn>(dlsym(handle, "orvlink_start"));
    auto rec = reinterpret_cast<orvlink_rec_fn>(dlsym(handle, "orvlink_rec"));
    auto end = reinterpret_cast<orvlink_end_fn>(dlsym(handle, "orvlink_end"));
    ASSERT_TRUE(start && rec && end);

    TempDir home;
    ScopedHome scoped(home.Path());
    PtyPair pty;
    home.Write("ORVtool.ini", "[GUI]\r\nCom1Device=" + home.File("missing") + "\r\nCom2Device=" + pty.SlaveName() +
                                  "\r\n");

    EXPECT_EQ(end(), ORVLINK_NO_PORT);
    EXPECT_EQ(start(0, 1), ORVLINK_NO_PORT);
    char command[ORVLINK_BUFFER_SIZE] = "V";
    char answer[ORVLINK_BUFFER_SIZE] = "keep";
    EXPECT_EQ(rec(command, answer), ORVLINK_NO_PORT);
    EXPECT_STREQ(answer, "keep");
    EXPECT_EQ(end(), ORVLINK_NO_PORT);

    if (pty.Ok()) {
        // A pseudo-terminal has no modem lines.
        EXPECT_EQ(start(1, 1), ORVLINK_SET_STATE);
        EXPECT_EQ(end(), ORVLINK_OK);
        EXPECT_EQ(end(), ORVLINK_NO_PORT);
    }
    dlclose(handle);
}

}  // namespace

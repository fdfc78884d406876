#include "platform/ProgramDirs.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

using namespace orv;

namespace {

// Sets or clears an environment variable for one test and restores it.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvGuard()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

}  // namespace

TEST(ProgramDirs, ResolverTable)
{
    struct Case {
        const char* orvtoolHome;
        bool writable;
        const char* xdg;
        const char* programDir;
        const char* stateDir;
    };
    const Case cases[] = {
        {"/opt/orv", true, "/x", "/opt/orv/", "/opt/orv/"},
        {"/opt/orv", true, nullptr, "/opt/orv/", "/opt/orv/"},
        {"/opt/orv/", false, "/x", "/opt/orv/", "/x/orvtool/"},
        {"/opt/orv", false, nullptr, "/opt/orv/", "/home/u/.config/orvtool/"},
        {"", true, "/x", "/usr/lib/orv/", "/usr/lib/orv/"},
        {"", true, nullptr, "/usr/lib/orv/", "/usr/lib/orv/"},
        {"", false, "/x/", "/usr/lib/orv/", "/x/orvtool/"},
        {"", false, nullptr, "/usr/lib/orv/", "/home/u/.config/orvtool/"},
        {nullptr, true, "/x", "/usr/lib/orv/", "/usr/lib/orv/"},
        {nullptr, true, nullptr, "/usr/lib/orv/", "/usr/lib/orv/"},
        {nullptr, false, "/x", "/usr/lib/orv/", "/x/orvtool/"},
        {nullptr, false, "", "/usr/lib/orv/", "/home/u/.config/orvtool/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.orvtoolHome ? c.orvtoolHome : "(unset)") +
                     (c.writable ? " writable " : " read-only ") + (c.xdg ? c.xdg : "(unset)"));
        const std::string program = ResolveProgramDir(c.orvtoolHome, "/usr/lib/orv/");
        EXPECT_EQ(program, c.programDir);
        EXPECT_EQ(ResolveStateDir(program, c.writable, c.xdg, "/home/u"), c.stateDir);
    }
    EXPECT_EQ(ResolveStateDir("/opt/orv/", false, nullptr, nullptr), "/opt/orv/");
}

TEST(ProgramDirs, ProgramDirFollowsTheEnvironment)
{
    EnvGuard home("ORVTOOL_HOME", "/opt/orv");
    EXPECT_EQ(GetProgramDir(), "/opt/orv/");

    EnvGuard unset("ORVTOOL_HOME", nullptr);
    const auto exeDir = std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(GetProgramDir(), exeDir);
}

TEST(ProgramDirs, StateDirIsProgramDirWhenWritableElseCreatedBelowConfigHome)
{
    TempDir dir;
    {
        EnvGuard home("ORVTOOL_HOME", dir.Path().c_str());
        EXPECT_EQ(GetStateDir(), dir.Path());
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));  // the probe is gone
    }
    {
        // A program directory that does not exist refuses the probe even to root.
        EnvGuard home("ORVTOOL_HOME", dir.File("absent").c_str());
        EnvGuard xdg("XDG_CONFIG_HOME", dir.File("config").c_str());
        EXPECT_EQ(GetStateDir(), dir.File("config/orvtool/"));
        EXPECT_TRUE(std::filesystem::is_directory(dir.File("config/orvtool")));
    }
}

TEST(ProgramDirs, SeedingCopiesMissingFilesAndNeverOverwrites)
{
    TempDir dir;
    dir.Write("prog/CFG/ORV/ORVPRO.INI", "installed");
    dir.Write("prog/ORVtool.ini", "installed tool");
    dir.Write("state/orvtool.INI", "user's own");

    EXPECT_TRUE(CopyIfMissing(dir.File("prog/"), dir.File("state/"), "CFG/ORV/ORVPRO.INI"));
    EXPECT_EQ(dir.Read("state/CFG/ORV/ORVPRO.INI"), "installed");

    // Present under another case: kept, and no second copy appears.
    EXPECT_TRUE(CopyIfMissing(dir.File("prog/"), dir.File("state/"), "ORVtool.ini"));
    EXPECT_EQ(dir.Read("state/orvtool.INI"), "user's own");
    EXPECT_FALSE(std::filesystem::exists(dir.File("state/ORVtool.ini")));

    EXPECT_FALSE(CopyIfMissing(dir.File("prog/"), dir.File("state/"), "CFG/ORV/ORVPRO.TMP"));

    // A writable program directory is its own state directory.
    EnvGuard home("ORVTOOL_HOME", dir.File("prog").c_str());
    EXPECT_TRUE(SeedStateFile("cfg/orv/orvpro.ini"));
    EXPECT_FALSE(SeedStateFile("CFG/ORV/ORVPRO.TMP"));
}

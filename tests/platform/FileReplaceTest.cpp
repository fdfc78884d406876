#include "platform/FileReplace.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> Names(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(FileReplace, ReplacesWithExactBytesAndKeepsTheMode)
{
    TempDir dir;
    dir.Write("f.bin", "a much longer old content");
    ASSERT_EQ(::chmod(dir.File("f.bin").c_str(), 0640), 0);
    const std::string bytes("x\0\r\n\x1A", 5);
    ASSERT_TRUE(WriteFileReplacing(dir.File("f.bin"), bytes));

    std::string back;
    ASSERT_TRUE(ReadWholeFile(dir.File("f.bin"), back));
    EXPECT_EQ(back, bytes);
    struct stat st;
    ASSERT_EQ(::stat(dir.File("f.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"f.bin"});
}

TEST(FileReplace, FailedRenameKeepsTheTargetAndRemovesTheTemporaryFile)
{
    TempDir dir;
    dir.Write("target/inside", "kept");
    EXPECT_FALSE(WriteFileReplacing(dir.File("target"), "new"));
    EXPECT_EQ(dir.Read("target/inside"), "kept");
    EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"target"});
}

TEST(FileReplace, TempPathIsBesideTheTargetAndFree)
{
    TempDir dir;
    const std::string a = MakeTempPathBeside(dir.File("x.ini"));
    const std::string b = MakeTempPathBeside(dir.File("x.ini"));
    EXPECT_NE(a, b);
    EXPECT_EQ(a.rfind('/'), dir.Path().size() - 1);
    EXPECT_FALSE(std::filesystem::exists(a));
}

TEST(FileReplace, ReadWholeFileFailsOnMissingFileAndDirectory)
{
    TempDir dir;
    std::string bytes = "stale";
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_FALSE(ReadWholeFile(dir.Path(), bytes));
}

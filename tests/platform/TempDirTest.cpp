#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(TempDirFixture, CleansUpItsFiles)
{
    std::string path;
    {
        TempDir dir;
        path = dir.Path();
        dir.Write("sub/a.txt", "x\r\ny");
        EXPECT_EQ(dir.Read("sub/a.txt"), "x\r\ny");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

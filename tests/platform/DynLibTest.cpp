#include "platform/DynLib.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(DynLib, BindsAndCallsASymbol)
{
    DynLib lib;
    ASSERT_TRUE(lib.Open(ORV_TEST_DYNLIB)) << lib.Error();
    EXPECT_TRUE(lib.IsOpen());
    using Add = int (*)(int, int);
    const auto add = reinterpret_cast<Add>(lib.Symbol("orv_fixture_add"));
    ASSERT_NE(add, nullptr) << lib.Error();
    EXPECT_EQ(add(2, 3), 5);
    EXPECT_EQ(lib.Error(), "");

    lib.Close();
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_EQ(lib.Symbol("orv_fixture_add"), nullptr);
}

TEST(DynLib, MissingSymbolGivesNullWithTheLoaderText)
{
    DynLib lib;
    ASSERT_TRUE(lib.Open(ORV_TEST_DYNLIB)) << lib.Error();
    EXPECT_EQ(lib.Symbol("orv_fixture_missing"), nullptr);
    EXPECT_NE(lib.Error().find("orv_fixture_missing"), std::string::npos) << lib.Error();
}

TEST(DynLib, MissingOrRelativeFileFailsWithTheText)
{
    DynLib lib;
    const std::string missing = std::string(ORV_TEST_DYNLIB) + ".absent";
    EXPECT_FALSE(lib.Open(missing));
    EXPECT_FALSE(lib.IsOpen());
    EXPECT_NE(lib.Error().find(missing), std::string::npos) << lib.Error();

    EXPECT_FALSE(lib.Open("libm.so.6"));
    EXPECT_NE(lib.Error().find("libm.so.6"), std::string::npos) << lib.Error();
}

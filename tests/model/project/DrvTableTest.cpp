#include "model/project/DrvTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace orv;

namespace {

TEST(DrvTable, KeysAndFileNamesByDriverNumber)
{
    struct Case {
        uint16_t drvNo;
        std::string key;
        std::string file;
    };
    const Case cases[] = {
        {0, "CS31_DIR", "ABBCS3CS.DRV"},
        {5, "KELMIR", "LTR.DRV"},  // the default driver
        {11, "DF1", "ABDF1EXP.DRV"},
        {20, "EB508_DIR", "EB508DIR.DRV"},
        {21, "EB520_DIR", "EB508DIR.DRV"},  // two drivers share one file
        {68, "MPI_PROFI", ""},
        {74, "DF1_DIR", "ABDF1DIR.DRV"},
        {77, "MPI_MOD", "PROMPIME.DRV"},
        {78, "UNKNOWN", ""},
        {79, "", ""},
        {0xFFFF, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drvNo);
        EXPECT_EQ(DrvIniKey(c.drvNo), c.key);
        EXPECT_EQ(DrvStdFileName(c.drvNo), c.file);
    }
}

TEST(DrvTable, EveryDriverHasItsOwnKey)
{
    std::set<std::string> keys;
    for (uint16_t n = 0; n < kDrvCount; ++n)
        keys.insert(DrvIniKey(n));
    EXPECT_EQ(keys.size(), kDrvCount);
    EXPECT_EQ(keys.count(""), 0u);
}

} // namespace

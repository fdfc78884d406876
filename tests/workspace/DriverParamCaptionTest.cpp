#include "workspace/DriverParamCaption.h"

#include <gtest/gtest.h>

namespace orv {

namespace {

TEST(workspace_driver_param_caption, CodesCaptionsAndRefusals)
{
    struct Case {
        const char* code;
        const char* caption;
    };
    const Case cases[] = {
        {"AA", "Timeout"},
        {"AD", "DIL 5:On  6:Off"},
        {"AF", "DIL 5:On  6:On"},
        {"AQ", "Ger\xE4t Nummer"},
        {"AT", "AT"},
        {"BO", "BO"},
        {"BR", "Startkonf."},
        {"BZ", "BZ"},
        {"aa", ""},
        {"CA", ""},
        {"A", ""},
        {"AAA", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DriverParamCaption(c.code), c.caption) << c.code;
    }
}

// The 52 codes "AA".."BZ" all have a caption; 17 of them are the code itself.
TEST(workspace_driver_param_caption, EveryCodeOfTheRangeHasACaption)
{
    int ownCode = 0;
    for (char first : {'A', 'B'}) {
        for (char second = 'A'; second <= 'Z'; ++second) {
            const std::string code{first, second};
            const std::string caption = DriverParamCaption(code);
            ASSERT_FALSE(caption.empty()) << code;
            ownCode += caption == code ? 1 : 0;
        }
    }
    EXPECT_EQ(ownCode, 17);
}

} // namespace

} // namespace orv

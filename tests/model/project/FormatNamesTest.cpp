#include <gtest/gtest.h>

#include "model/project/DevModel.h"
#include "model/project/VarFmt.h"

using namespace orv;

namespace {

struct FmtCase {
    int typeCode;
    int fmtClass;
    const char* name;
};

// The traps: codes that share a name, odd codes and the ends of the ranges.
constexpr FmtCase kFmtCases[] = {
    {7, 2, "BIN-02"},   {135, 2, "BIN-02"}, {134, 2, "BIN2"},     {2, 2, "BIN-1"},
    {9, 2, "BIN-0B"},   {18, 2, "VBIN-1"},  {25, 2, "VBIN-0B"},   {0, 4, "BCD-1"},
    {30, 4, "BCD-02"},  {142, 1, "String"}, {42, 1, "String"},    {26, 1, "CSTRING"},
    {154, 1, "CSTRING"}, {12, 0, "Bit"},    {11, 0, "Misc"},      {1, 0, "Misc"},
    {10, 0, "Misc"},    {33, 6, "Word"},    {34, 5, "Ascii"},     {36, 3, "Timer"},
    {248, 0, "Misc"},   {249, 11, "Misc"},  {255, 11, "Misc"},    {256, 0, "Misc"},
    {-1, 0, "Misc"},
};

TEST(FormatNames, TypeCodeGivesClassAndName) {
    for (const FmtCase& c : kFmtCases) {
        CVarFmt fmt(c.typeCode);
        EXPECT_EQ(fmt.GetFmtClass(), c.fmtClass) << c.typeCode;
        EXPECT_EQ(fmt.GetName(), c.name) << c.typeCode;
    }
}

TEST(FormatNames, NoTypeCodeIsCalledIntern) {
    for (int code = -1; code <= 300; ++code)
        EXPECT_NE(CVarFmt(code).GetName(), "Intern") << code;
}

TEST(FormatNames, SollKindNamesOneToThreeOthersEmpty) {
    const std::pair<int, const char*> cases[] = {
        {1, "Ist"}, {2, "Soll"}, {3, "Soll-P"}, {0, ""}, {4, ""}, {-1, ""}};
    for (const auto& [kind, name] : cases) EXPECT_EQ(CSollKind(kind).GetName(), name) << kind;
}

TEST(FormatNames, DevModelLightModelUsesPictureOfKindOne) {
    CDevModel light(10);
    CDevModel kind1(1);
    EXPECT_EQ(light.GetModelNo(), 36);
    EXPECT_EQ(kind1.GetModelNo(), 43);
    const DevGeometry& a = light.GetGeometry();
    const DevGeometry& b = kind1.GetGeometry();
    EXPECT_EQ(a.bmpWidth, b.bmpWidth);
    EXPECT_EQ(a.bmpHeight, b.bmpHeight);
    EXPECT_EQ(a.dispTop, b.dispTop);
    EXPECT_EQ(a.dispLeft, b.dispLeft);
    EXPECT_EQ(a.dispWidth, b.dispWidth);
    EXPECT_EQ(a.dispHeight, b.dispHeight);
    EXPECT_EQ(a.rows, 2);
    EXPECT_EQ(a.cols, 40);
}

TEST(FormatNames, DevModelUnknownKindKeepsModelAndGeometry) {
    for (int bad : {11, -1}) {
        CDevModel model(4);  // 706
        model.SetKind(bad);
        EXPECT_EQ(model.GetKind(), bad);
        EXPECT_EQ(model.GetModelNo(), 706);
        EXPECT_EQ(model.GetGeometry().bmpWidth, 800);
        EXPECT_EQ(model.GetGeometry().bmpHeight, 465);
        EXPECT_EQ(model.GetGeometry().last, 20);
    }
}

TEST(FormatNames, DevModelSwitchingKindRewritesGeometry) {
    CDevModel model(0);
    EXPECT_EQ(model.GetModelNo(), 14);
    EXPECT_EQ(model.GetGeometry().cols, 20);
    model.SetKind(9);
    EXPECT_EQ(model.GetModelNo(), 167);
    EXPECT_EQ(model.GetGeometry().bmpWidth, 663);
    EXPECT_EQ(model.GetGeometry().bmpHeight, 596);
    EXPECT_EQ(model.GetGeometry().rows, 4);
}

}  // namespace

#include "model/project/PanelTable.h"
#include "model/project/PanelType.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace orv;

namespace {

// The facts each panel is documented with, written out here so that a wrong
// row cannot hide behind the table it is checked against.
TEST(PanelTable, EachPanelHasItsDocumentedFacts)
{
    struct Case {
        uint16_t code;
        Family family;
        uint8_t variant;
        uint16_t base;
        const char* configId;
        uint8_t columns;
        uint8_t rows;
        uint8_t functionKeys;
        FktGroup fktGroup;
        uint32_t drvBase;
        const char* linkId;
        SimDriver simDriver;
    };
    const Case cases[] = {
        {14, Family::F043, 0, 14, "ORV014", 20, 4, 8, FktGroup::P014, 0, "OG014", SimDriver::Mini},
        {36, Family::F043, 0, 36, "ORVlight", 40, 2, 8, FktGroup::P043, 0, "OG036", SimDriver::Mini},
        {43, Family::F043, 0, 43, "ORV043", 40, 2, 8, FktGroup::P043, 0, "OG043", SimDriver::Mini},
        {47, Family::F043, 0, 47, "ORV047", 40, 4, 16, FktGroup::P047, 0, "OG047", SimDriver::Mini},
        {755, Family::F043, 1, 47, "ORV0755", 40, 4, 16, FktGroup::P047, 0, nullptr, SimDriver::Midi},
        {118, Family::F118, 0, 118, "ORV118", 20, 4, 8, FktGroup::P014, 0, "OG118", SimDriver::Mini},
        {163, Family::F118, 0, 163, "ORV163", 40, 2, 8, FktGroup::P043, 0, "OG163", SimDriver::Mini},
        {167, Family::F118, 0, 167, "ORV167", 40, 4, 16, FktGroup::P047, 0, "OG167", SimDriver::Mini},
        {473, Family::F706, 0, 473, "ORV473", 40, 2, 16, FktGroup::None, 0x5B000, nullptr, SimDriver::Pe473},
        {477, Family::F706, 0, 477, "ORV477", 40, 4, 16, FktGroup::None, 0x5B000, nullptr, SimDriver::None},
        {706, Family::F706, 0, 706, "ORV706", 40, 2, 20, FktGroup::P706, 0x5E000, nullptr, SimDriver::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const PanelRow* row = FindPanel(c.code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->family, c.family);
        EXPECT_EQ(row->variant, c.variant);
        EXPECT_EQ(row->base, c.base);
        EXPECT_STREQ(row->configId, c.configId);
        EXPECT_EQ(row->sourceKeyword, "ORV" + std::string(c.code < 100 ? "0" : "") + std::to_string(c.code) + "_PARAMETER");
        EXPECT_EQ(row->columns, c.columns);
        EXPECT_EQ(row->rows, c.rows);
        EXPECT_EQ(row->functionKeys, c.functionKeys);
        EXPECT_EQ(row->fktGroup, c.fktGroup);
        EXPECT_EQ(row->drvBase, c.drvBase);
        EXPECT_STREQ(row->linkId, c.linkId);
        EXPECT_EQ(row->simDriver, c.simDriver);
        EXPECT_EQ(DrvFamilyOf(row->family), c.family == Family::F706 ? DrvFamily::F706 : DrvFamily::F043);
    }
    EXPECT_EQ(PanelRows().size(), std::size(cases));
}

TEST(PanelTable, PanelsAreTriedInTheOrderOfTheConfiguration)
{
    std::vector<uint16_t> codes;
    for (const PanelRow& row : PanelRows())
        codes.push_back(row.code);
    EXPECT_EQ(codes, (std::vector<uint16_t>{14, 36, 43, 47, 755, 706, 473, 477, 118, 163, 167}));
    for (const uint16_t unknown : {0, 15, 724, 753, 1724, 65535})
        EXPECT_EQ(FindPanel(unknown), nullptr) << unknown;
}

// A project keeps 755 as 47 with the variant flag; files name it 755.
TEST(PanelTable, TheVariantIsHeldAsItsBaseAndNamedByItsOwnCode)
{
    struct Case {
        uint16_t code;
        bool variant;
        uint16_t rowCode;   // the row the panel answers from, 0 for none
        bool is47;
        bool is755;
        uint16_t fileCode;  // what a file names it
        uint16_t heldCode;  // what a project keeps for that file code
        bool heldVariant;
        bool hasVariant;  // a project keeps this code with a variant
    };
    const Case cases[] = {
        {47, false, 47, true, false, 47, 47, false, true},
        {47, true, 755, true, true, 755, 47, true, true},
        {755, false, 755, false, true, 755, 47, true, false},
        {14, true, 14, false, false, 14, 14, false, false},
        {999, true, 0, false, false, 999, 999, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code << (c.variant ? " with the variant" : ""));
        const PanelType panel(c.code, c.variant);
        const PanelRow* row = panel.Row();
        EXPECT_EQ(row ? row->code : 0, c.rowCode);
        EXPECT_EQ(panel.Is(47), c.is47);
        EXPECT_EQ(panel.Is(755), c.is755);
        const uint16_t fileCode = FileCodeOf(c.code, c.variant);
        EXPECT_EQ(fileCode, c.fileCode);
        const HeldPanel held = HeldPanelOf(fileCode);
        EXPECT_EQ(held.code, c.heldCode);
        EXPECT_EQ(held.variant, c.heldVariant);
        EXPECT_EQ(HasVariant(c.code), c.hasVariant);
    }
}

// What the link and the start selection ask of a panel beyond its display.
TEST(PanelTable, EachPanelHasItsLinkFacts)
{
    struct Case {
        uint16_t code;
        uint8_t dataBanks;
        uint8_t recordSets;
        ModuleRule moduleRule;
        const char* moduleId;
        const char* plusName;
        bool fieldbus;
        bool histTexts;
        bool timeSwitches;
        bool simTerminal;
        bool largeRecipeMemory;
    };
    const Case cases[] = {
        {14, 2, 0, ModuleRule::None, nullptr, nullptr, false, false, false, true, false},
        {36, 2, 0, ModuleRule::Bit7, "ORV523", nullptr, false, false, false, false, false},
        {43, 2, 0, ModuleRule::Bit7, "ORV534", nullptr, false, false, false, true, false},
        {47, 2, 4, ModuleRule::Bit0, "ORV537", nullptr, false, false, false, true, false},
        {755, 2, 0, ModuleRule::None, "ORV537", nullptr, false, false, false, false, false},
        {118, 2, 0, ModuleRule::None, "ORV537", "ORV 014plus", false, false, false, false, false},
        {163, 2, 0, ModuleRule::None, "ORV537", "ORV 043plus", false, false, false, false, false},
        {167, 6, 0, ModuleRule::None, "ORV537", "ORV 047plus", false, false, false, false, true},
        {473, 0, 0, ModuleRule::None, nullptr, nullptr, true, false, false, false, false},
        {477, 0, 0, ModuleRule::None, nullptr, nullptr, true, false, false, false, false},
        {706, 0, 0, ModuleRule::None, nullptr, nullptr, false, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const PanelRow* row = FindPanel(c.code);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->dataBanks, c.dataBanks);
        EXPECT_EQ(row->recordSets, c.recordSets);
        EXPECT_EQ(row->moduleRule, c.moduleRule);
        EXPECT_STREQ(row->moduleId, c.moduleId);
        EXPECT_STREQ(row->plusName, c.plusName);
        EXPECT_EQ(row->fieldbus, c.fieldbus);
        EXPECT_EQ(row->histTexts, c.histTexts);
        EXPECT_EQ(row->timeSwitches, c.timeSwitches);
        EXPECT_EQ(row->simTerminal, c.simTerminal);
        EXPECT_EQ(row->largeRecipeMemory, c.largeRecipeMemory);
    }
}

}  // namespace

#include "BigEndian.h"
#include "PanelEmulator.h"
#include "PanelSession.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using panelemu::PanelEmulator;
using panelemu::PanelScenario;

namespace {

// File contents with every awkward byte value in them.
std::vector<uint8_t> Filler(size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    const uint8_t awkward[] = {0x00, 0x11, 0x13, 0xFF};
    for (size_t i = 0; i < size; ++i)
        bytes[i] = i % 5 == 0 ? awkward[(i / 5) % 4] : static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

void PutText(std::vector<uint8_t>& bytes, size_t at, const std::string& text) {
    std::memcpy(bytes.data() + at, text.data(), text.size());
}

std::vector<uint8_t> Slice(const std::vector<uint8_t>& bytes, size_t from, size_t count) {
    return std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

uint8_t HexByte(const std::string& text, size_t at) {
    return static_cast<uint8_t>(std::stoul(text.substr(at, 2), nullptr, 16));
}

TEST(PanelEmuSequences, Transfer706AndReadBack) {
    // Sizes are counted in 16-bit words at the start of each panel-side file.
    std::vector<uint8_t> firmware = Filler(120, 1);
    std::vector<uint8_t> driver = Filler(0x80, 2);
    panelemu::PutBe16(driver.data(), 0x40);
    PutText(driver, 6, "AS511.DRV   ");
    panelemu::PutBe32(driver.data() + 0x62, 0);
    std::vector<uint8_t> functions = Filler(60, 3);
    panelemu::PutBe16(functions.data(), 30);
    std::vector<uint8_t> image = Filler(0x1F0, 4);
    panelemu::PutBe16(image.data(), 0xF8);
    PutText(image, 6, "ANLAGE1.ORV ");

    PanelEmulator panel;
    {
        PanelSession s(panel, 706);
        const std::string id = s.Connect();
        ASSERT_EQ(id.substr(0, 5), "OG706");
        ASSERT_GE(id.size(), 9u);
        const unsigned cartridge = HexByte(id, 6);
        EXPECT_TRUE(cartridge != 197 && cartridge != 199);
        EXPECT_GE(s.Exchange("C").size(), 4u);
        s.ClearDisplay();
        s.ShowTitle("INITIALISIERUNG");
        s.SendPatchedMemoryBlock();
        s.Exchange("EP0");
        s.Exchange("PON");
        s.ClearDisplay();
        s.ShowTitle("DATEI UEBERTRAGEN");
        s.SelectBank(4);
        s.ShowFileName(">>", "OG706.FRM");
        s.SendFile(firmware, 0);
        s.SelectBank(5);
        s.ShowFileName(">>", "AS511.DRV");
        s.SendFile(driver, 0xE000);
        s.SelectBank(5);
        s.ShowFileName(">>", "ANLAGE1.FKT");
        s.SendFile(functions, 0xA000);
        s.SelectBank(6);
        s.ShowFileName(">>", "ANLAGE1.BIN");
        s.SendFile(image, 0);
        s.Exchange("A81");
        s.Exchange("POF");
        s.End();
    }
    EXPECT_EQ(panel.Lines()[1].find(">> ANLAGE1.BIN"), 13u);

    PanelSession r(panel, 706);
    ASSERT_EQ(r.Connect().substr(0, 5), "OG706");
    const std::string c = r.Exchange("C");
    ASSERT_GE(c.size(), 4u);
    const uint8_t flags = HexByte(c, 0);
    EXPECT_EQ(flags & 0x0C, 0x0C);
    EXPECT_TRUE(flags & 0x01);
    EXPECT_TRUE(flags & 0x10);
    EXPECT_NE(HexByte(c, 2), 0xFF);

    r.SelectBank(6);
    EXPECT_EQ(r.ReadText(6, 12), "ANLAGE1.ORV");
    const uint16_t dataWords = r.ReadWord(0);
    r.SelectBank(5);
    EXPECT_EQ(r.ReadText(0xE006, 12), "AS511.DRV");
    const uint16_t driverWords = r.ReadWord(0xE000);
    EXPECT_EQ(r.ReadBytes(0xE062, 4), std::vector<uint8_t>(4, 0));
    const uint16_t functionWords = r.ReadWord(0xA000);
    r.SendPatchedMemoryBlock();
    r.ClearDisplay();
    r.ShowTitle("DATEI RUECKLESEN");

    EXPECT_EQ(r.ReadToFile(6, 0, dataWords * 2u), image);
    EXPECT_EQ(r.ReadToFile(5, 0xE000, driverWords * 2u), driver);
    EXPECT_EQ(r.ReadToFile(5, 0xA000, functionWords * 2u), functions);
    r.SelectBank(4);
    EXPECT_EQ(r.ReadBytes(0, 32), Slice(firmware, 0, 32));
    r.End();
}

TEST(PanelEmuSequences, Transfer706FirmwareAcrossBankEnd) {
    PanelEmulator panel;
    PanelSession s(panel, 706);
    s.Connect();
    s.Exchange("EP0");
    s.Exchange("PON");
    s.SelectBank(4);
    const std::vector<uint8_t> firmware = Filler(0x10020, 9);
    s.SendFile(firmware, 0);
    EXPECT_EQ(s.Bank(), 5);
    EXPECT_EQ(s.ReadToFile(4, 0xFFF0, 0x30), Slice(firmware, 0xFFF0, 0x30));
    s.End();
}

// The 043-family image: two bytes for the check word, then size1 at 2, size2
// at size1 + 2 and size3 at size1 + size2 + 2; the project name at 5 and the
// driver name at size1 + 31.
std::vector<uint8_t> Image043() {
    std::vector<uint8_t> image = Filler(202, 5);
    panelemu::PutBe16(image.data() + 2, 100);
    PutText(image, 5, "KESSEL.ORV  ");
    PutText(image, 131, "AS511.DRV   ");
    panelemu::PutBe16(image.data() + 102, 60);
    panelemu::PutBe16(image.data() + 162, 36);
    return image;
}

TEST(PanelEmuSequences, Transfer047WithBankChoiceAndReadBack) {
    PanelScenario scenario;
    scenario.model = 47;
    scenario.variant = '1';
    PanelEmulator panel(scenario);
    const std::vector<uint8_t> image = Image043();
    const uint8_t record = 2;
    {
        PanelSession s(panel, 47);
        const std::string id = s.Connect();
        ASSERT_EQ(id.substr(0, 5), "OG047");
        EXPECT_NE(id[6], '2');
        ASSERT_EQ(id[5], '4');  // version 4: the user picks the record
        EXPECT_TRUE(s.ReadBytes(0x8040, 1)[0] & 0x01);
        s.ClearDisplay();
        s.Exchange("D1 ");
        s.ShowTitle("INITIALISIERUNG");
        s.SendShortMemoryBlock();
        s.SelectBank(record);
        s.Exchange("EP0");
        s.ClearDisplay();
        s.Exchange("D1 ");
        s.ShowTitle("DATEI UEBERTRAGEN");
        s.ShowFileName(">>", "KESSEL.BIN");
        s.Exchange("PON");
        s.SendFile(image, 2);
        s.Exchange("POF");
        s.Exchange("CW");
        s.End();
    }
    EXPECT_EQ(panel.MemoryBlock().size(), 24u + 4u);

    PanelSession r(panel, 47);
    const std::string id = r.Connect();
    ASSERT_EQ(id.substr(0, 5), "OG047");
    EXPECT_TRUE(r.ReadBytes(0x8040, 1)[0] & 0x01);
    ASSERT_EQ(id[5], '4');
    for (uint8_t bank = 0; bank < 4; ++bank) {
        r.SelectBank(bank);
        const std::string check = r.Exchange("CR");
        ASSERT_EQ(check.size(), 4u);
        const bool valid = check == r.Read(0, 2);
        EXPECT_EQ(valid, bank == record) << int(bank);
        if (valid) {
            EXPECT_EQ(r.ReadText(5, 12), "KESSEL.ORV");
        }
    }
    r.SelectBank(record);
    ASSERT_EQ(r.Exchange("CR"), r.Read(0, 2));
    const uint16_t size1 = r.ReadWord(2);
    const uint16_t size2 = r.ReadWord(size1 + 2);
    ASSERT_LT(size1 + size2 + 4, 32766);
    const uint16_t size3 = r.ReadWord(size1 + size2 + 2);
    EXPECT_EQ(r.ReadText(size1 + 31, 12), "AS511.DRV");
    r.Exchange("D1 ");
    r.ShowTitle("DATEI RUECKLESEN");
    r.SendShortMemoryBlock();
    const uint32_t expected = size1 + size2 + size3 + 4u;
    EXPECT_EQ(r.ReadToFile(record, 2, expected), Slice(image, 2, image.size() - 2));
    r.End();
}

struct Family118Case {
    uint16_t model;
    uint8_t dataSetFormat;  // 1: one bank per record, 0: two
    uint8_t record;
    uint8_t bank;
    size_t imageSize;
};

class PanelEmuSequences118 : public testing::TestWithParam<Family118Case> {};

TEST_P(PanelEmuSequences118, TransferAndReadBack) {
    const Family118Case& c = GetParam();
    const uint8_t recipeFormat = 1;  // separate recipes per record
    PanelScenario scenario;
    scenario.model = c.model;
    scenario.status[2] = static_cast<uint8_t>(c.dataSetFormat + 2 * recipeFormat);
    PanelEmulator panel(scenario);

    std::vector<uint8_t> image = Filler(c.imageSize, 6);
    panelemu::PutBe16(image.data() + 2, static_cast<uint16_t>(c.imageSize - 4));
    PutText(image, 5, "REZEPT.ORV  ");
    std::vector<uint8_t> recipes = Filler(40, 7);
    panelemu::PutBe16(recipes.data(), 40);
    std::vector<uint8_t> driver = Filler(120, 8);
    panelemu::PutBe16(driver.data(), 120);
    PutText(driver, 29, "BAU3964S.DRV");
    const std::vector<uint8_t> firmware = Filler(64, 9);
    const std::string model = std::to_string(c.model);

    {
        PanelSession s(panel, c.model);
        ASSERT_EQ(s.Connect().substr(0, 5), "OG" + model);
        const std::string sr = s.Exchange("SR");
        ASSERT_EQ(sr.size(), 32u);
        uint8_t status[16];
        for (size_t i = 0; i < 16; ++i) status[i] = HexByte(sr, 2 * i);
        EXPECT_EQ(status[9], 0);
        EXPECT_FALSE(status[1] & 0x80);
        ASSERT_EQ(status[2] & 1, c.dataSetFormat);
        ASSERT_EQ((status[2] >> 1) & 1, recipeFormat);
        status[4] &= static_cast<uint8_t>(~(1u << c.record));
        status[5] &= static_cast<uint8_t>(~(1u << c.record));
        status[7] = c.record;
        auto writeStatus = [&] {
            std::string command = "SW0000";
            for (uint8_t b : status) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02X", b);
                command += pair;
            }
            s.Exchange(command);
        };
        writeStatus();
        s.ClearDisplay();
        s.Exchange("D1 ");
        s.ShowTitle("INITIALISIERUNG");
        s.SendShortMemoryBlock();
        s.SelectBank(c.bank);
        s.Exchange("EP0");
        s.ClearDisplay();
        s.Exchange("D1 ");
        s.ShowTitle("DATEI UEBERTRAGEN");
        s.ShowFileName(">>", "REZEPT.BIN");
        s.Exchange("PON");
        s.SendFile(image, 0);
        s.Exchange("POF");
        s.Exchange("CW");
        s.SelectBank(static_cast<uint8_t>(0x30 + c.record % 16));
        s.Exchange("EP0");
        s.ShowFileName(">>", "REZEPT.REC");
        s.Exchange("PON");
        s.SendFile(recipes, 0);
        s.Exchange("POF");
        status[4] |= static_cast<uint8_t>(1u << c.record);
        status[5] |= static_cast<uint8_t>(1u << c.record);
        writeStatus();
        s.SelectBank(0x20);
        s.Exchange("EP0");
        s.ShowFileName(">>", "BAU3964S.DRV");
        s.Exchange("PON");
        s.SendFile(driver, 4);
        s.Exchange("POF");
        s.Exchange("CW");
        s.SelectBank(0x10);
        s.Exchange("EP0");
        s.ShowFileName(">>", "OG" + model + ".FRM");
        s.Exchange("PON");
        s.SendFile(firmware, 0x4000);
        s.Exchange("POF");
        s.Exchange("CW");
        s.End();
    }

    PanelSession r(panel, c.model);
    ASSERT_EQ(r.Connect().substr(0, 5), "OG" + model);
    const std::string sr = r.Exchange("SR");
    const uint8_t format = HexByte(sr, 4) & 1;
    ASSERT_EQ(format, c.dataSetFormat);
    const uint8_t present = HexByte(sr, 8);
    const uint8_t banks = c.model == 167 ? 6 : 2;
    uint8_t entry = 0;
    for (uint8_t bank = 0; bank < banks; bank = static_cast<uint8_t>(bank + (format ? 1 : 2)), ++entry) {
        r.SelectBank(bank);
        if (present & (1u << entry)) {
            EXPECT_EQ(r.ReadText(5, 12), "REZEPT.ORV") << int(bank);
        } else {
            EXPECT_NE(entry, c.record);
        }
    }
    ASSERT_TRUE(present & (1u << c.record));
    r.SelectBank(format ? c.record : static_cast<uint8_t>(2 * c.record));
    ASSERT_EQ(r.Bank(), c.bank);
    const uint16_t dataSize = r.ReadWord(2);
    EXPECT_EQ(r.ReadText(5, 12), "REZEPT.ORV");
    r.Read(228, 2);
    r.SelectBank(static_cast<uint8_t>(0x30 + (c.record & 0x0F)));
    r.Read(0, 2);
    const uint16_t recipeLength = r.ReadWord(0);
    r.SelectBank(0x20);
    const uint16_t driverSize = r.ReadWord(4);
    EXPECT_EQ(r.ReadText(33, 12), "BAU3964S.DRV");
    r.Exchange("D1 ");
    r.ShowTitle("DATEI RUECKLESEN");
    r.SendShortMemoryBlock();

    EXPECT_EQ(r.ReadToFile(c.bank, 2, dataSize + 2u), Slice(image, 2, image.size() - 2));
    EXPECT_EQ(r.ReadToFile(static_cast<uint8_t>(0x30 + (c.record & 0x0F)), 0, recipeLength), recipes);
    EXPECT_EQ(r.ReadToFile(0x20, 4, driverSize), driver);
    r.SelectBank(0x10);
    EXPECT_EQ(r.ReadBytes(0x4000, 32), Slice(firmware, 0, 32));
    // The written records carry their check word; others do not.
    r.SelectBank(c.bank);
    EXPECT_EQ(r.Exchange("CR"), r.Read(0, 2));
    r.End();
}

INSTANTIATE_TEST_SUITE_P(Families, PanelEmuSequences118,
                         testing::Values(Family118Case{118, 1, 1, 1, 404},
                                         // Two banks per record: record 1 starts in bank 2 and runs into bank 3.
                                         Family118Case{167, 0, 1, 2, 0x8000 + 100}),
                         [](const testing::TestParamInfo<Family118Case>& info) {
                             return "Model" + std::to_string(info.param.model);
                         });

}  // namespace

// Damaged firmware images: every walk ends and every read stays inside the
// file; the reader answers with error 8 instead.
#include "FwFixture.h"
#include "image/firmware/Firmware.h"
#include "image/firmware/Firmware118.h"
#include "tools/cfggen/FwBuilders.h"

#include <gtest/gtest.h>

#include <string>

using namespace orv;

namespace {

class FirmwareRobust : public FwFixture, public ::testing::Test {
protected:
    template <class Reader>
    uint16_t ReadVars(const std::string& bytes)
    {
        prj.GetVarList()->FreeAll();
        prj.GetFwVarList()->FreeAll();
        Reader fw(WriteFw(bytes), &bundle);
        fw.ReadSysVars();
        return fw.GetError();
    }
};

TEST_F(FirmwareRobust, LoopsEndWithErrorEight)
{
    {
        Fw706Image self;
        const size_t a = self.Add(Fw706Var("[Z001]", 250));
        self.SetNext(a, Fw706Image::Adr(a));
        EXPECT_EQ(ReadVars<CFirmware>(self.Build()), 8);
        EXPECT_EQ(VarCount(), 1);
    }
    {
        Fw706Image ring;
        const size_t a = ring.Add(Fw706Var("[Z001]", 250));
        const size_t b = ring.Add(Fw706Var("[Z002]", 250));
        ring.SetNext(b, Fw706Image::Adr(a));
        EXPECT_EQ(ReadVars<CFirmware>(ring.Build()), 8);
        EXPECT_EQ(VarCount(), 2);
    }
    {
        Fw118Image self;
        const size_t a = self.Add(Fw118Var(1, 44));
        self.SetNext(a, Fw118Image::Adr(a));
        EXPECT_EQ(ReadVars<CFirmware118>(self.Build()), 8);
        EXPECT_EQ(VarCount(), 1);
    }
    {
        Fw118Image ring;
        const size_t a = ring.Add(Fw118Var(1, 44));
        const size_t b = ring.Add(Fw118Var(2, 44));
        ring.SetNext(b, Fw118Image::Adr(a));
        EXPECT_EQ(ReadVars<CFirmware118>(ring.Build()), 8);
        EXPECT_EQ(VarCount(), 2);
    }
}

TEST_F(FirmwareRobust, PointersOutsideTheFile706)
{
    struct Case {
        const char* what;
        void (*damage)(Fw706Image&, size_t entry);
        int varsLeft;
    };
    const Case cases[] = {
        {"next past the end", [](Fw706Image& img, size_t at) { img.SetNext(at, 0xFFFFFFF0u); }, 1},
        {"next below the load address", [](Fw706Image& img, size_t at) { img.SetNext(at, 0x3FFFF); }, 1},
        {"first below the load address", [](Fw706Image& img, size_t) { img.FirstEntry(0x20); }, 0},
        {"V below the load address", [](Fw706Image& img, size_t at) { img.Bytes().U32(at + 5 + 6 + 4, 0x100); }, 0},
        {"V past the end", [](Fw706Image& img, size_t at) { img.Bytes().U32(at + 5 + 6 + 4, 0x7FFFFFFF); }, 0},
        {"state text past the end",
         [](Fw706Image& img, size_t at) { img.Bytes().U32(at + 5 + 6 + 12 + 2, 0xFFFFFFFFu); }, 0},
        {"name longer than the file", [](Fw706Image& img, size_t at) { img.Bytes().U8(at + 4, 0xFF); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fw706Image img;
        Fw706Entry e = Fw706Var("[Z006]", 142);
        e.v = 0x40200;
        e.states = {"A"};
        const size_t at = img.Add(e);
        c.damage(img, at);
        EXPECT_EQ(ReadVars<CFirmware>(img.Build()), 8);
        EXPECT_EQ(VarCount(), c.varsLeft);
    }
}

TEST_F(FirmwareRobust, PointersOutsideTheFile118)
{
    struct Case {
        const char* what;
        void (*damage)(Fw118Image&, size_t entry);
        int varsLeft;
    };
    const Case cases[] = {
        {"next past the end", [](Fw118Image& img, size_t at) { img.SetNext(at, 0x3FF0); }, 1},
        // Address 0x4004 is file offset 4, closer to the start than the
        // eight bytes of flags before an entry.
        {"entry near the file start", [](Fw118Image& img, size_t) { img.FirstEntry(0x4004); }, 0},
        {"state text past the end", [](Fw118Image& img, size_t at) { img.Bytes().U16(at + 8, 0x3FFF); }, 0},
        {"mask past the end", [](Fw118Image& img, size_t) { img.MaskAdr(0x3FFC); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fw118Image img;
        Fw118Entry e = Fw118Var(7, 14);
        e.states = {"A"};
        const size_t at = img.Add(e);
        c.damage(img, at);
        EXPECT_EQ(ReadVars<CFirmware118>(img.Build()), 8);
        EXPECT_EQ(VarCount(), c.varsLeft);
    }
}

// Every kind of entry, the last one with data up to the file's end.
Fw706Image Full706()
{
    Fw706Image img;
    img.Feature(61);
    uint32_t v = 0x40100;
    for (uint16_t type : {134, 142, 249, 250, 251, 252, 255, 7, 154}) {
        Fw706Entry e = Fw706Var("[Z" + std::to_string(type) + "]", type);
        e.v = v;
        v += 0x10;
        e.states = {"MO", std::nullopt, "x"};
        e.raw = type == 249 ? std::string("\x02\xAB\xCD", 3) : std::string();
        img.Add(e);
    }
    return img;
}

Fw118Image Full118()
{
    Fw118Image img;
    img.Feature(3);
    int number = 1;
    for (uint8_t kind : {2, 28, 44, 46, 9, 14}) {
        Fw118Entry e = Fw118Var(number++, kind);
        e.top = kind == 44 ? 3 : 0;
        if (kind == 14)
            e.states = {"A", std::nullopt, "BC"};
        img.Add(e);
    }
    return img;
}

TEST_F(FirmwareRobust, CutFilesGiveErrorEightAndFewerVariables)
{
    const std::string full706 = Full706().Build();
    ASSERT_EQ(ReadVars<CFirmware>(full706), 0);
    const int all706 = VarCount() + FwVarCount();
    ASSERT_EQ(all706, 8);
    for (size_t n = 1; n < full706.size(); n += n < 0x1000 ? 61 : 1) {
        ASSERT_EQ(ReadVars<CFirmware>(full706.substr(0, n)), 8) << n;
        ASSERT_LE(VarCount() + FwVarCount(), all706) << n;
    }

    const std::string full118 = Full118().Build();
    ASSERT_EQ(ReadVars<CFirmware118>(full118), 0);
    const int all118 = VarCount();
    ASSERT_EQ(all118, 5);
    for (size_t n = 1; n < full118.size(); n += n < 0x6000 ? 509 : 1) {
        ASSERT_EQ(ReadVars<CFirmware118>(full118.substr(0, n)), 8) << n;
        ASSERT_LE(VarCount(), all118) << n;
    }
}

} // namespace

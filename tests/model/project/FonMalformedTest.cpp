#include "model/project/Fon.h"
#include "model/core/Log.h"
#include "support/FonFixture.h"
#include "support/FrameFixture.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

using namespace orv;

TEST(FonMalformed, RefusedFilesLeaveNoFont)
{
    TempDir dir;
    {
        CFon fon(0);
        EXPECT_EQ(255, fon.Load(dir.File("missing.fon")));
        EXPECT_FALSE(fon.HasFont());
        EXPECT_EQ(255, fon.Load(dir.Path()));   // a directory cannot be read as a file
    }
    FrameFixture f;
    f.frame.SetLogLevel(kLogErrors);
    for (FonFault fault : AllFonFaults()) {
        dir.Write("bad.fon", BuildMalformedFon(fault));
        CFon fon(0);
        f.ui.ClearCalls();
        EXPECT_EQ(0, fon.Load(dir.File("bad.fon"))) << FonFaultName(fault);
        const auto lines = f.ui.TextsOf(UiCall::Kind::LogAppend);
        ASSERT_EQ(1u, lines.size()) << FonFaultName(fault);
        EXPECT_EQ(0u, lines[0].find("Font file " + dir.File("bad.fon") + " refused: ")) << lines[0];
        EXPECT_FALSE(fon.HasFont()) << FonFaultName(fault);
        EXPECT_EQ(nullptr, fon.GetCharInfo(65)) << FonFaultName(fault);
    }
}

TEST(FonMalformed, EveryTruncationFailsOrLoadsTheSameGlyphs)
{
    TempDir dir;
    FonFixtureOptions o;
    o.device = "dev";
    const std::string full = BuildFixtureFon(o);
    std::array<uint8_t, CCharSet::kFontBufSize> want{};
    {
        dir.Write("f.fon", full);
        CFon fon(0);
        ASSERT_EQ(1, fon.Load(dir.File("f.fon")));
        fon.GetBitmaps(want);
    }
    for (size_t len = 0; len < full.size(); ++len) {
        dir.Write("t.fon", full.substr(0, len));
        CFon fon(0);
        const int result = fon.Load(dir.File("t.fon"));
        if (result == 1) {
            std::array<uint8_t, CCharSet::kFontBufSize> got{};
            fon.GetBitmaps(got);
            ASSERT_EQ(want, got) << len;
            ASSERT_EQ("dev", fon.GetDeviceName()) << len;
        } else {
            ASSERT_EQ(0, result) << len;
            ASSERT_FALSE(fon.HasFont()) << len;
        }
    }
}

TEST(FonMalformed, SingleByteChangesNeverReadOutOfBounds)
{
    TempDir dir;
    const std::string valid = BuildFixtureFon();
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<size_t> pos(0, valid.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    int loaded = 0;
    for (int i = 0; i < 1500; ++i) {
        std::string f = valid;
        f[pos(rng)] = static_cast<char>(value(rng));
        dir.Write("m.fon", f);
        CFon fon(0);
        const int result = fon.Load(dir.File("m.fon"));
        ASSERT_TRUE(result == 0 || result == 1) << i;
        if (result == 1) {
            ++loaded;
            std::array<uint8_t, CCharSet::kFontBufSize> buffer{};
            fon.GetBitmaps(buffer);
            ASSERT_TRUE(fon.Save(dir.File("s.fon"))) << i;
        }
    }
    EXPECT_GT(loaded, 0);   // most changes hit glyph rows and still load
}

#include "DrvWorld.h"
#include "image/drv/DrvFile.h"
#include "image/drv/DrvLibScanner.h"
#include "tools/cfggen/DrvBuilders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

using namespace orv;

namespace {

// Builds entries of one family with a name, validity and a tail that tells
// them apart.
struct LibFamily {
    const char* name;
    bool is706;
};

void PrintTo(const LibFamily& f, std::ostream* os)
{
    *os << f.name;
}

class DrvLib : public DrvWorld, public ::testing::TestWithParam<LibFamily> {
protected:
    bool Is706() const { return GetParam().is706; }

    std::string Entry(const std::string& file, bool valid = true, const std::string& tail = "",
                      std::optional<uint16_t> length = std::nullopt) const
    {
        if (Is706()) {
            Drv706Entry e;
            e.drvFile = file;
            e.magic = valid ? 481 : 480;
            e.tail = tail;
            e.lengthWords = length;
            return e.Build().bytes;
        }
        Drv043Entry e;
        e.drvFile = file;
        e.mark = valid ? 0xE1 : 0xE0;
        e.tail = tail;
        e.length = length;
        return e.Build().bytes;
    }

    std::string Lib(const std::vector<std::string>& entries)
    {
        DrvLibBuilder b;
        for (const std::string& e : entries)
            b.Add(e);
        dir.Write("lib.drv", b.Str());
        return dir.File("lib.drv");
    }

    // Finds the configured driver; on success extracts it and gives the
    // file's bytes.
    std::optional<std::string> FindAndExtract(const std::string& lib, uint16_t* error = nullptr)
    {
        std::unique_ptr<CDrvFile> reader;
        bool found = false;
        if (Is706()) {
            auto r = std::make_unique<CDrvLib706>(lib, &bundle);
            found = r->Find();
            if (found)
                r->Extract(dir.File("out.drv"));
            reader = std::move(r);
        } else {
            auto r = std::make_unique<CDrvLib043>(lib, &bundle);
            found = r->Find();
            if (found)
                r->Extract(dir.File("out.drv"));
            reader = std::move(r);
        }
        if (error)
            *error = reader->GetError();
        if (!found || reader->GetError() != 0)
            return std::nullopt;
        return dir.Read("out.drv");
    }

    std::string Name(int drvNo) const { return drv.DrvFileName(drvNo); }
};

TEST_P(DrvLib, FindTakesTheFirstValidEntryOfTheDriver)
{
    drv.SetDrvNo(3);
    const std::string wanted = Entry(Name(3), true, "W1");
    struct Case {
        const char* name;
        std::vector<std::string> entries;
        std::string expected;
    } const cases[] = {
        {"first", {wanted, Entry(Name(4))}, wanted},
        {"later", {Entry(Name(4)), Entry(Name(9)), wanted}, wanted},
        {"first of two", {Entry(Name(1)), wanted, Entry(Name(3), true, "W2")}, wanted},
        {"invalid skipped", {Entry(Name(3), false, "BAD"), wanted}, wanted},
    };
    for (const Case& c : cases) {
        uint16_t error = 99;
        EXPECT_EQ(FindAndExtract(Lib(c.entries), &error), c.expected) << c.name;
        EXPECT_EQ(error, 0) << c.name;
    }
}

TEST_P(DrvLib, FindErrors)
{
    drv.SetDrvNo(3);
    struct Case {
        const char* name;
        std::vector<std::string> entries;
        uint16_t error;
    } const cases[] = {
        {"missing", {Entry(Name(4)), Entry(Name(9))}, CDrvFile::kErrMissing},
        {"length zero", {Entry(Name(4), true, "", 0), Entry(Name(3))}, CDrvFile::kErrRead},
        {"length past the end", {Entry(Name(4), true, "", 0x7FFF), Entry(Name(3))}, CDrvFile::kErrMissing},
    };
    for (const Case& c : cases) {
        uint16_t error = 0;
        EXPECT_EQ(FindAndExtract(Lib(c.entries), &error), std::nullopt) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
}

TEST_P(DrvLib, MissingDriverNamesDriverAndLibrary)
{
    drv.SetDrvNo(3);
    prj.SetDevType(Is706() ? 473 : 118);
    const std::string lib = Lib({Entry(Name(4))});
    std::unique_ptr<CDrvFile> r;
    if (Is706()) {
        auto l = std::make_unique<CDrvLib706>(lib, &bundle);
        EXPECT_FALSE(l->Find());
        r = std::move(l);
    } else {
        auto l = std::make_unique<CDrvLib043>(lib, &bundle);
        EXPECT_FALSE(l->Find());
        r = std::move(l);
    }
    EXPECT_FALSE(r->CheckError());
    EXPECT_TRUE(r->CheckError());
    ASSERT_EQ(BoxIds(), std::vector<int>{16102});
    const std::string expected = "Treiber " + Name(3) + " nicht in Datei " + (Is706() ? "ORV473.DRV" : "ORV118.DRV") +
                                 " enthalten !";
    EXPECT_EQ(ui.CallsOf(UiCall::Kind::Box)[0].text, expected);
}

TEST_P(DrvLib, MarkPresentSetsExactlyTheValidEntries)
{
    const uint16_t devType = Is706() ? 477 : 14;
    drv.SetDrvAvail(devType, 2, 1);
    const std::string lib = Lib({Entry(Name(1)), Entry(Name(5)), Entry(Name(7), false), Entry("UNKNOWN.DRV")});
    if (Is706()) {
        CDrvLib706 l(lib, &bundle);
        l.MarkPresent(devType);
        EXPECT_TRUE(l.CheckError());
    } else {
        CDrvLib043 l(lib, &bundle);
        l.MarkPresent(devType);
        EXPECT_TRUE(l.CheckError());
    }
    for (int n = 0; n < CDrvCfg::kLibDrivers; ++n)
        EXPECT_EQ(drv.GetDrvAvail(devType, n), n == 1 || n == 5 || n == 2 ? 1 : 0) << n;
}

TEST_P(DrvLib, ExtractAddsTwoZerosOnlyForTheFamilyOf118)
{
    drv.SetDrvNo(3);
    const std::string wanted = Entry(Name(3), true, "W1");
    const std::string lib = Lib({Entry(Name(1)), wanted});
    const std::vector<uint16_t> types = Is706() ? std::vector<uint16_t>{706, 473, 477}
                                                : std::vector<uint16_t>{14, 36, 43, 47, 118, 163, 167};
    for (uint16_t t : types) {
        prj.SetDevType(t);
        const bool zeros = t == 118 || t == 163 || t == 167;
        EXPECT_EQ(FindAndExtract(lib), zeros ? wanted + std::string(2, '\0') : wanted) << t;
    }
}

TEST_P(DrvLib, FailedExtractKeepsThePreviousFile)
{
    drv.SetDrvNo(3);
    dir.Write("out.drv", "previous");
    uint16_t error = 0;
    // The wanted entry claims more bytes than the library holds.
    const std::string cut = Entry(Name(3), true, std::string(64, 'x'));
    EXPECT_EQ(FindAndExtract(Lib({Entry(Name(1)), cut.substr(0, cut.size() - 10)}), &error), std::nullopt);
    EXPECT_EQ(error, CDrvFile::kErrLibRead);
    EXPECT_EQ(dir.Read("out.drv"), "previous");
    size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2u) << "library and previous file only";

    const std::string lib = Lib({Entry(Name(3))});
    std::unique_ptr<CDrvFile> r;
    if (Is706()) {
        auto l = std::make_unique<CDrvLib706>(lib, &bundle);
        EXPECT_TRUE(l->Find());
        l->Extract(dir.File("no/such/dir/out.drv"));
        r = std::move(l);
    } else {
        auto l = std::make_unique<CDrvLib043>(lib, &bundle);
        EXPECT_TRUE(l->Find());
        l->Extract(dir.File("no/such/dir/out.drv"));
        r = std::move(l);
    }
    EXPECT_EQ(r->GetError(), CDrvFile::kErrTarget);
    EXPECT_FALSE(r->CheckError());
    EXPECT_EQ(BoxIds(), std::vector<int>{16101});
}

INSTANTIATE_TEST_SUITE_P(Families, DrvLib, ::testing::Values(LibFamily{"F706", true}, LibFamily{"F043", false}),
                         [](const ::testing::TestParamInfo<LibFamily>& i) { return std::string(i.param.name); });

TEST(DrvLibScan, LoadDrvLibsMarksTheDriversOfTheBuiltLibraries)
{
    DrvWorld f;
    auto entry043 = [&](int n) {
        Drv043Entry e;
        e.drvFile = f.drv.DrvFileName(n);
        return e.Build().bytes;
    };
    auto entry706 = [&](int n) {
        Drv706Entry e;
        e.drvFile = f.drv.DrvFileName(n);
        return e.Build().bytes;
    };
    f.dir.Write("CFG/ORV/ORV014.DRV", DrvLibBuilder().Add(entry043(1)).Add(entry043(2)).Str());
    f.dir.Write("CFG/ORV/orv473.drv", DrvLibBuilder().Add(entry706(3)).Str());
    f.drv.SetDrvAvail(477, 9, 1);
    f.drv.SetDrvAvail(118, 10, 1);
    CDrvLibReaderScanner scanner(&f.bundle);
    f.drv.LoadDrvLibs(&scanner);
    for (int n = 0; n < CDrvCfg::kLibDrivers; ++n) {
        EXPECT_EQ(f.drv.GetDrvAvail(14, n), n == 1 || n == 2 ? 1 : 0) << n;
        EXPECT_EQ(f.drv.GetDrvAvail(473, n), n == 3 ? 1 : 0) << n;
        EXPECT_EQ(f.drv.GetDrvAvail(477, n), n == 9 ? 1 : 0) << n;
        EXPECT_EQ(f.drv.GetDrvAvail(118, n), n == 10 ? 1 : 0) << n;
    }
    EXPECT_EQ(f.BoxIds(), (std::vector<int>{16100, 16100})) << "the two missing libraries";
}

} // namespace

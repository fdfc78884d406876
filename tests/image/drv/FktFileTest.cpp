#include "DrvWorld.h"
#include "image/drv/FktFile.h"
#include "tools/cfggen/ByteBuilder.h"
#include "support/FileSizeCap.h"
#include "support/FktBuilders.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <sys/stat.h>

using namespace orv;

namespace {

// One family of special-function files: its reader and writer, its
// standard-file group, and a file built with a given stored name, version
// and copy name.
struct FktFamily {
    const char* name;
    int stdGroup;
    bool is706;
    std::function<std::unique_ptr<CFktFile>(const std::string&, PrjBundle*)> reader;
    std::function<std::unique_ptr<CFktWriter>(const std::string&, PrjBundle*)> writer;
};

void PrintTo(const FktFamily& f, std::ostream* os)
{
    *os << f.name;
}

template <class R, class W>
FktFamily Family(const char* name, int group, bool is706)
{
    return {name, group, is706, [](const std::string& p, PrjBundle* b) { return std::make_unique<R>(p, b); },
            [](const std::string& p, PrjBundle* b) { return std::make_unique<W>(p, b); }};
}

const FktFamily kFamilies[] = {
    Family<CFktFile014, CFktWriter014>("F014", 0, false),
    Family<CFktFile043, CFktWriter043>("F043", 1, false),
    Family<CFktFile047, CFktWriter047>("F047", 2, false),
    Family<CFktFile706, CFktWriter706>("F706", 3, true),
};

class FktFile : public DrvWorld, public ::testing::TestWithParam<FktFamily> {
protected:
    const FktFamily& F() const { return GetParam(); }

    std::string Build(const std::string& name, const std::string& version, const std::string& copy = "") const
    {
        if (F().is706) {
            Fkt706File f;
            f.name = name;
            f.version = version;
            f.copyName = copy;
            f.dateStamp = {0x01, 0x02, 0x03};
            f.nameStamp = {0x12, 0x34, 0x56};
            f.body = std::string(40, '\x11');
            return f.Build();
        }
        FktDosFile f;
        f.name = name;
        f.version = version;
        f.copyName = copy;
        f.dosDate = 0x2A21;
        f.dosDate2 = 0x2C4F;
        f.body = std::string(40, '\x11');
        return f.Build();
    }

    std::string Write(const std::string& bytes, const std::string& file = "p.fkt")
    {
        dir.Write(file, bytes);
        return dir.File(file);
    }

    std::unique_ptr<CFktFile> Reader(const std::string& path) { return F().reader(path, &bundle); }
};

TEST_P(FktFile, ReadHeaderFillsTheConfiguration)
{
    auto r = Reader(Write(Build("STDFKT.FKT", "1234")));
    r->ReadHeader();
    EXPECT_TRUE(r->CheckError());
    EXPECT_EQ(fkt.GetFile(), "STDFKT.FKT");
    EXPECT_EQ(fkt.GetVersion(), "123.4");
    if (F().is706) {
        EXPECT_EQ(fkt.GetName(), "56.34.12");
        EXPECT_EQ(fkt.GetDate(), "03.02.01");
    } else {
        EXPECT_EQ(fkt.GetName(), "1.1.2001");
        EXPECT_EQ(fkt.GetDate(), "15.2.2002");
    }
}

TEST_P(FktFile, IsStdFileComparesTheStoredName)
{
    struct Case {
        const char* stored;
        const char* stdPath;
        bool expected;
    } const cases[] = {
        {"AB CD.FKT", "/opt/x/AB", true},
        {"AB CD.FKT", "/opt/x/AB CD.FKT", false},
        {"ABCDEFGH.FKT", "/opt/x/ABCDEFGH.FKT", true},
        {"ABCDEFGH.FKT", "", false},
        {"STD.FKT", "/opt/x/std.fkt", true},
        {"STD.FKT", "/opt/x/OTHER.FKT", false},
    };
    for (const Case& c : cases) {
        workspace.SetStdFktPath(F().stdGroup, c.stdPath);
        EXPECT_EQ(Reader(Write(Build(c.stored, "0000")))->IsStdFile(), c.expected) << c.stored << " " << c.stdPath;
    }
    workspace.SetStdFktPath(F().stdGroup, "/opt/x/STD.FKT");
    EXPECT_FALSE(Reader(Write(std::string(10, 'S')))->IsStdFile()) << "too short to hold the name";
}

TEST_P(FktFile, NeedsReplaceComparesTheVersion)
{
    struct Case {
        const char* configured;
        bool expected;
    } const cases[] = {
        {"", true}, {"023.4", true}, {"113.4", true}, {"122.4", true}, {"123.3", true},
        {"123.4", false}, {"223.5", false}, {"124.9", false},
    };
    const std::string path = Write(Build("X.FKT", "1234"));
    for (const Case& c : cases) {
        fkt.SetVersion(c.configured);
        EXPECT_EQ(Reader(path)->NeedsReplace(), c.expected) << c.configured;
    }
    fkt.SetVersion("");
    const std::string cut = Build("X.FKT", "1234").substr(0, F().is706 ? 70 : 52);
    EXPECT_FALSE(Reader(Write(cut))->NeedsReplace()) << "field cut off";
}

TEST_P(FktFile, UpdateStampsTheCopyName)
{
    struct Case {
        const char* path;
        std::string field;
    } const cases[] = {
        {"/prj/dir/Machine.fkt", "Machine.fkt "},
        {"/prj/dir/AVeryLongName.FKT", "AVeryLongNam"},
    };
    for (const Case& c : cases) {
        const std::string path = Write(Build("STD.FKT", "1234", "OLDNAME.FKT"));
        fkt.SetPath(c.path);
        auto w = F().writer(path, &bundle);
        w->Update();
        EXPECT_TRUE(w->CheckError());
        w.reset();
        const std::string bytes = dir.Read("p.fkt");
        EXPECT_EQ(bytes.substr(F().is706 ? 26 : 3, 12), c.field);
        if (F().is706) {
            unsigned sum = static_cast<uint8_t>(bytes[3]);
            uint8_t x = 0;
            for (size_t k = 7; k < bytes.size(); k += 7) {
                sum += static_cast<uint8_t>(bytes[k]);
                x ^= static_cast<uint8_t>(bytes[k]);
            }
            EXPECT_EQ(sum % 256, 0u);
            EXPECT_EQ(static_cast<uint8_t>(bytes[2]), x);
        } else {
            EXPECT_EQ(bytes.substr(0, 3), std::string(3, '\0')) << "no check word";
        }
        Reader(path)->ReadHeader();
        EXPECT_EQ(fkt.GetVersion(), "123.4");
    }
}

TEST_P(FktFile, MissingOrEmptyFileIsErrorSeven)
{
    for (const std::string& path : {dir.File("none.fkt"), Write("", "empty.fkt")}) {
        auto r = Reader(path);
        EXPECT_EQ(r->GetError(), CFktFile::kErrFile);
        r->ReadHeader();
        EXPECT_FALSE(r->CheckError());
        EXPECT_EQ(r->GetError(), 0);
        EXPECT_TRUE(r->CheckError());
    }
    auto w = F().writer(dir.File("none.fkt"), &bundle);
    w->Update();
    EXPECT_FALSE(w->CheckError());
    EXPECT_EQ(BoxIds(), (std::vector<int>{16550, 16550, 16551}));
}

TEST_P(FktFile, WithoutConfigurationNothingHappens)
{
    world.Unwire(WorldPart::Fkt);
    auto r = F().reader(dir.File("none.fkt"), &bundle);
    r->ReadHeader();
    EXPECT_FALSE(r->NeedsReplace());
    EXPECT_FALSE(r->IsStdFile());
    EXPECT_EQ(r->GetError(), 0);
    const std::string path = Write(Build("STD.FKT", "1234"));
    auto w = F().writer(path, nullptr);
    w->Update();
    EXPECT_EQ(w->GetError(), 0);
    EXPECT_EQ(dir.Read("p.fkt"), Build("STD.FKT", "1234"));
}

TEST_P(FktFile, FailedUpdateLeavesTheFileAsItWas)
{
    struct Case {
        const char* what;
        size_t cut;      // the file's length, 0: whole
        size_t sizeCap;  // 0: none
    } const cases[] = {
        {"write fault in the replacement", 0, 16},
        {"copy name field past the file's end", 10, 0},
    };
    fkt.SetPath("/prj/Machine.fkt");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = Build("STD.FKT", "1234", "OLDNAME.FKT");
        if (c.cut)
            bytes.resize(c.cut);
        const std::string path = Write(bytes);
        auto w = F().writer(path, &bundle);
        if (c.sizeCap) {
            const FileSizeCap cap(c.sizeCap);
            w->Update();
        } else {
            w->Update();
        }
        EXPECT_EQ(w->GetError(), CFktWriter::kErrFile);
        EXPECT_EQ(dir.Read("p.fkt"), bytes);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"p.fkt"}) << "no temporary file is left";
    }
}

TEST_P(FktFile, UpdateKeepsThePermissionBits)
{
    const std::string path = Write(Build("STD.FKT", "1234", "OLDNAME.FKT"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    fkt.SetPath("/prj/Machine.fkt");
    auto w = F().writer(path, &bundle);
    w->Update();
    EXPECT_TRUE(w->CheckError());
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Read("p.fkt").substr(F().is706 ? 26 : 3, 12), "Machine.fkt ");
}

INSTANTIATE_TEST_SUITE_P(Families, FktFile, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<FktFamily>& i) { return std::string(i.param.name); });

TEST(FktFile706, IsValidChecksTheMagic)
{
    DrvWorld f;
    Fkt706File file;
    f.dir.Write("ok.fkt", file.Build());
    file.magic = 467;
    f.dir.Write("bad.fkt", file.Build());
    EXPECT_TRUE(CFktFile706(f.dir.File("ok.fkt"), &f.bundle).IsValid());
    EXPECT_FALSE(CFktFile706(f.dir.File("bad.fkt"), &f.bundle).IsValid());
}

} // namespace

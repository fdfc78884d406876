#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "source/writer/ReplaceFile.h"
#include "source/writer/SrcFrame.h"
#include "source/writer/SrcVars.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> NamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    return names;
}

// Header, a VAR section of many records and END.
void WriteSample(CSrcSink& sink, const CPrjVarList& vars)
{
    const SrcPlcLine plc{5, 33, 0, 0, 256};
    WriteHeaderLines(sink, 43, 0, "Q32r11000", &plc);
    WriteVarRecords(sink, &vars, PanelType(43, false), false);
    WriteEndLines(sink);
}

TEST(WriterErrorsTest, MissingDirectoryIsAnOpenError)
{
    SrcWriterRig rig(43);
    CSrcSink sink(rig.dir.File("no/such/dir/out.orv"), &rig.charSet);
    EXPECT_FALSE(sink.Open());
    EXPECT_EQ(sink.GetError(), CSrcSink::kErrOpen);
    EXPECT_FALSE(sink.Commit());
    EXPECT_FALSE(std::filesystem::exists(rig.dir.File("no")));
}

TEST(WriterErrorsTest, FailedWriteLeavesTheTargetAsItWas)
{
    SrcWriterRig rig(43);
    CPrjVarList vars(16, 8);
    for (int i = 0; i < 10; ++i)
        vars.Add(new CPrjVarAscii("A" + std::to_string(i), static_cast<int16_t>(i), 1, 34, 2));
    const std::string old = "old file\r\n";
    // Write 1 creates the temporary file, 2 is the header, 3.. the VAR
    // records, 13 END and 14 the commit's last flush.
    for (int n : {2, 3, 7, 13}) {
        rig.dir.Write("out.orv", old);
        CSrcSink sink(rig.dir.File("out.orv"), &rig.charSet);
        {
            ScopedWriteFault fault(n);
            ASSERT_TRUE(sink.Open());
            WriteSample(sink, vars);
        }
        EXPECT_EQ(sink.GetError(), CSrcSink::kErrWrite) << n;
        EXPECT_FALSE(sink.Commit()) << n;
        EXPECT_EQ(rig.dir.Read("out.orv"), old) << n;
    }
    EXPECT_EQ(NamesIn(rig.dir.Path()), std::vector<std::string>{"out.orv"});
    vars.FreeAll();
}

TEST(WriterErrorsTest, UnknownPanelTypeWritesNothingAfterTheDescription)
{
    SrcWriterRig rig(43);
    CPrjVarList vars(16, 8);
    vars.Add(new CPrjVarAscii("A", 1, 1, 34, 2));
    const std::string out = rig.Write([&](CSrcSink& s) {
        WriteDescriptionBlock(s, "d");
        WriteHeaderLines(s, 724, 0, "Q32r11000", nullptr);
        WriteVarRecords(s, &vars, PanelType(724, false), false);
    });
    EXPECT_EQ(rig.error, CSrcSink::kErrWrite);
    // Not committed: the target does not appear.
    EXPECT_EQ(out, "");
    EXPECT_FALSE(std::filesystem::exists(rig.dir.File("out.orv")));
    vars.FreeAll();
}

} // namespace

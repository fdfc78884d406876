#include "model/project/DrvCfg.h"
#include "model/core/Log.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "source/writer/ReplaceFile.h"
#include "source/writer/RestOrv.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> WriterFileNamesIn(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    return names;
}

// A project of a panel type with a driver configuration, written as the
// save command does.
class WriterFileTest : public ::testing::Test {
protected:
    explicit WriterFileTest(uint16_t devType = 43) : prj(LoadedWorld(devType).Drv(&fx.workspace))
    {
        fx.workspace.SetSimDrvBound(true);
    }

    // construct, check, description, check, WriteAll, check
    bool Save(const std::string& path)
    {
        CRestOrv w(path, &prj.bundle, &fx.workspace);
        if (!w.CheckError())
            return false;
        w.WriteDescription();
        if (!w.CheckError())
            return false;
        w.WriteAll();
        leftOut = w.GetLeftOut();
        return w.CheckError();
    }

    std::vector<int> MessageIds() const
    {
        std::vector<int> ids;
        for (const UiCall& c : fx.ui.CallsOf(UiCall::Kind::Box))
            ids.push_back(c.id);
        return ids;
    }

    FrameFixture fx;
    ProjectWorld prj;
    int leftOut = 0;
};

TEST_F(WriterFileTest, EmptyProjectOnARootWithoutBuiltInTexts)
{
    prj.prj->SetDevType(473);
    prj.charSet->SetDevType(473);
    ASSERT_TRUE(Save(fx.dir.File("p.orv")));
    EXPECT_EQ(fx.dir.Read("p.orv"), "ORV473_PARAMETER, Q32r11000\r\nBEGIN\r\n\r\n\r\nEND\r\n\r\n");
    EXPECT_TRUE(MessageIds().empty());
}

TEST_F(WriterFileTest, MissingDirectoryGivesOpenErrorAndItsMessage)
{
    EXPECT_FALSE(Save(fx.dir.File("none/p.orv")));
    EXPECT_EQ(MessageIds(), std::vector<int>{15204});
    EXPECT_FALSE(std::filesystem::exists(fx.dir.File("none")));
}

TEST_F(WriterFileTest, WriteFailureKeepsTheTargetAndShowsOneMessage)
{
    for (int i = 0; i < 12; ++i)
        prj.prj->GetVarList()->Add(new CPrjVarAscii("A" + std::to_string(i), static_cast<int16_t>(5 + i % 5), 1, 34, 1));
    const std::string old = "the last good file\r\n";
    fx.dir.Write("p.orv", old);
    const std::vector<std::string> before = WriterFileNamesIn(fx.dir.Path());
    // 1 creates the temporary file, 2 is the header, 3.. the VAR records.
    for (int n : {2, 3, 9, 16}) {
        fx.ui.ClearCalls();
        fx.dir.Write("p.orv", old);
        {
            ScopedWriteFault fault(n);
            EXPECT_FALSE(Save(fx.dir.File("p.orv"))) << n;
        }
        EXPECT_EQ(MessageIds(), std::vector<int>{15207}) << n;
        EXPECT_EQ(fx.dir.Read("p.orv"), old) << n;
    }
    // No temporary file is left beside the target.
    EXPECT_EQ(WriterFileNamesIn(fx.dir.Path()), before);
}

// What the file cannot hold is logged and counted; the save itself succeeds.
TEST_F(WriterFileTest, LeftOutRecordsAreLoggedAndCountedAfterWriteAll)
{
    fx.frame.SetLogLevel(kLogInfo);
    prj.prj->SetDateMode(2);
    prj.prj->SetPrnBaud(0);
    AddText(*prj.prj, TextKind::Msg, 1, "m", {});
    static_cast<CMsgTxt*>(prj.prj->GetMsgTxtList()->ItemAt(0))->SetDelMode(5);
    ASSERT_TRUE(Save(fx.dir.File("p.orv")));
    EXPECT_EQ(leftOut, 3);
    int logged = 0;
    for (const std::string& text : fx.ui.TextsOf(UiCall::Kind::LogAppend))
        logged += text.find("Restorv") != std::string::npos;
    EXPECT_EQ(logged, 3);
    EXPECT_TRUE(MessageIds().empty());
    EXPECT_NE(fx.dir.Read("p.orv").find("MSG_TEXT,    1, INFO   , 4\r\n"), std::string::npos);
}

TEST_F(WriterFileTest, UnknownPanelTypeLeavesTheTargetUntouched)
{
    prj.prj->SetDevType(724);
    fx.dir.Write("p.orv", "old");
    EXPECT_FALSE(Save(fx.dir.File("p.orv")));
    EXPECT_EQ(MessageIds(), std::vector<int>{15207});
    EXPECT_EQ(fx.dir.Read("p.orv"), "old");
}

} // namespace

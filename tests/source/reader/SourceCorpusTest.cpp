#include "model/project/CharDef.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/TimeVal.h"
#include "model/project/TxtRow.h"
#include "support/SourceRoundTrip.h"
#include "support/PrjBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using namespace orv;

namespace {

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(std::string(ORV_TEST_DATA_DIR) + "/source"))
        if (e.path().extension() == ".orv")
            files.push_back(e.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The panel type that the header line names ("ORVnnn_PARAMETER").
uint16_t PanelOf(const std::string& bytes)
{
    const size_t at = bytes.find("_PARAMETER");
    if (at == std::string::npos || at < 3)
        return 0;
    return static_cast<uint16_t>(std::stoi(bytes.substr(at - 3, 3)));
}

// Every line of a golden file ends in CR LF.
TEST(SourceCorpusTest, FilesKeepTheirLineEnds)
{
    for (const std::string& file : CorpusFiles()) {
        const std::string bytes = ReadSourceData(file);
        ASSERT_GE(bytes.size(), 2u) << file;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << file;
        size_t lf = 0;
        size_t crlf = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            lf += bytes[i] == '\n';
            crlf += bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
        }
        EXPECT_EQ(lf, crlf) << file;
    }
}

// What the reader builds from the 043 example, before it is written back.
TEST(SourceCorpusTest, Plant043ReadsIntoTheProject)
{
    TempDir dir;
    RoundTripProject project(43);
    const ParseOutcome read = ReadSource(project, dir, ReadSourceData("plant043.orv"));
    ASSERT_EQ(read.error, 0) << "line " << read.line << ": " << read.xerror;
    EXPECT_TRUE(project.p->ui.CallsOf(UiCall::Kind::Question).empty());
    const CPrjData& prj = project.Prj();

    int plc = 0;
    const CPrjVarList& vars = *prj.GetVarList();
    for (int i = 0; i < vars.GetCount(); ++i)
        plc += vars.VarAt(i)->IsInternal() ? 0 : 1;
    EXPECT_EQ(plc, 9);
    EXPECT_EQ(vars.GetCount() - plc, 7);
    const std::pair<const char*, int> widths[] = {
        {"Betriebsart", 10}, {"Charge", 8}, {"Laufzeit", 8}, {"Sollwert", 6}, {"Zaehler", 6}};
    for (const auto& [name, width] : widths)
        EXPECT_EQ(vars.FindByName(std::string_view(name))->GetWidth(), width) << name;
    EXPECT_EQ(vars.FindByName(std::string_view("[Z084]"))->MaxStateIdx(), 1);

    const CDrvParColl& items = project.p->sps->GetItems();
    EXPECT_EQ(items.FindItem(30)->GetText(), "Betriebsart");
    EXPECT_EQ(items.FindItem(30)->GetUseCount(), 1);
    const auto* msg15 = dynamic_cast<const CDrvParMsgItem*>(items.FindItem(15));
    const auto* msg16 = dynamic_cast<const CDrvParMsgItem*>(items.FindItem(16));
    ASSERT_TRUE(msg15 && msg16);
    EXPECT_EQ(msg15->GetBitsA() & 3, 1);
    EXPECT_EQ(msg15->GetBitsB() & 3, 3);
    EXPECT_EQ(msg16->GetBitsA() & 1, 1);
    EXPECT_EQ(msg16->GetBitsB() & 1, 0);

    const CPrjSkActList& acts = *prj.GetSkActList();
    ASSERT_EQ(acts.GetCount(), 3);
    EXPECT_EQ(acts.ItemAt(0)->GetUseCount(), 2);
    EXPECT_EQ(acts.ItemAt(1)->GetUseCount(), 2);
    EXPECT_EQ(acts.ItemAt(2)->GetUseCount(), 1);
    for (int num = 1; num <= 5; ++num)
        EXPECT_EQ(static_cast<const CPrjOpTxt*>(prj.GetOpTxtList()->FindByNum(num))->GetUseCount(), 1) << num;
    const CPrjMnu* main = prj.GetMnuList()->FindByName("Hauptmenue");
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->GetSubList()->ItemAt(0)->IsStart());
    EXPECT_EQ(main->GetSubList()->ItemAt(0)->GetNum(), 1);
    EXPECT_EQ(prj.GetMnuList()->FindByName("Service")->GetMnuOpt(), 0x003F);

    const CTimerList& timers = *prj.GetTimerList();
    ASSERT_EQ(timers.GetCount(), 2);
    const CTimeValList& t0 = *timers.TimerAt(0)->GetTimes();
    ASSERT_EQ(t0.GetCount(), 2);
    EXPECT_EQ(t0.ValAt(0)->GetBeg(), 21600u);
    EXPECT_EQ(t0.ValAt(0)->GetEnd(), 66600u);
    EXPECT_EQ(t0.ValAt(1)->GetBeg(), 460800u);
    EXPECT_EQ(t0.ValAt(1)->GetEnd(), 475200u);
    const CTimeValList& t1 = *timers.TimerAt(1)->GetTimes();
    ASSERT_EQ(t1.GetCount(), 1);
    EXPECT_EQ(t1.ValAt(0)->GetBeg(), 79200u);
    EXPECT_EQ(t1.ValAt(0)->GetEnd(), 104400u);

    EXPECT_EQ(prj.GetCycleTime(), 5);
    EXPECT_EQ(prj.GetMsgMode(), 1);
    EXPECT_NE(prj.GetCharDefColl()->FindByCode(5), nullptr);
    EXPECT_NE(prj.GetCharDefColl()->FindByCode(6), nullptr);
    const std::string& row = TextRow(prj, TextKind::Msg, 16)->GetText();
    EXPECT_NE(row.find('@'), std::string::npos);
    EXPECT_NE(row.find('$'), std::string::npos);
}

class SourceCorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SourceCorpusTest, ReadThenWriteGivesTheSameBytes)
{
    const std::string bytes = ReadSourceData(GetParam());
    const uint16_t panel = PanelOf(bytes);
    ASSERT_NE(panel, 0);
    TempDir dir;
    RoundTripProject project(panel);
    const ParseOutcome read = ReadSource(project, dir, bytes);
    ASSERT_EQ(read.error, 0) << "line " << read.line << ": " << read.xerror << " " << read.errorText;
    EXPECT_TRUE(project.p->ui.CallsOf(UiCall::Kind::Question).empty());
    int leftOut = -1;
    EXPECT_EQ(WriteSource(project, dir, &leftOut), bytes);
    EXPECT_EQ(leftOut, 0);
}

// The bundle held the 043 example before it was switched to the file's
// panel: nothing of that project (such as its message mode) may leak.
TEST_P(SourceCorpusTest, NothingOfAnEarlierProjectLeaks)
{
    const std::string bytes = ReadSourceData(GetParam());
    const uint16_t panel = PanelOf(bytes);
    TempDir dir;
    RoundTripProject project(43);
    ASSERT_EQ(ReadSource(project, dir, ReadSourceData("plant043.orv")).error, 0);
    const bool variant = panel == 755;
    const uint16_t type = variant ? 47 : panel;
    project.panel = panel;
    project.Prj().SetDevType(type);
    project.Prj().SetVariant(variant ? 1 : 0);
    project.Prj().SetDsType(panel);
    project.p->charSet->SetDevType(type);
    project.p->charSet->FillFontBuffer(project.p->charSet->GetGroup());
    const ParseOutcome read = ReadSource(project, dir, bytes);
    ASSERT_EQ(read.error, 0) << "line " << read.line << ": " << read.xerror << " " << read.errorText;
    EXPECT_EQ(WriteSource(project, dir), bytes);
}

INSTANTIATE_TEST_SUITE_P(SourceCorpusTest, SourceCorpusTest, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) { return std::filesystem::path(info.param).stem().string(); });

} // namespace

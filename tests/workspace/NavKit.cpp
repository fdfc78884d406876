// The navigator and provider suites' frame: a shipped panel font and a small
// start-selection database in a program directory of its own.
#include "NavKit.h"

#include "model/project/DrvParItem.h"
#include "model/project/Mnu.h"
#include "model/project/PrjVar.h"
#include "model/project/MsgTxt.h"
#include "model/project/NumList.h"
#include "model/project/RcpTxt.h"
#include "support/PrjBuilder.h"
#include "support/StartSelRows.h"
#include "workspace/ObjNav.h"
#include "workspace/SelDb.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orv {

namespace {

// The program directory must hold the database before the core opens it.
const std::string& NavKitHome(const TempDir& home)
{
    namespace fs = std::filesystem;
    fs::create_directories(home.File("CFG/ORV"));
    for (const char* font : {"ALT.FON", "706.FON", "INT.FON"})
        fs::copy_file(fs::path(ORV_SHIPPED_DIR) / "CFG/ORV" / font, home.File(std::string("CFG/ORV/") + font));
    CSelDb db;
    StartSelRows rows(db, home.File("startsel.db"));
    rows.App("TEQPRO").App("ORVPRO").DevTyp("ORVPRO", "mini", {TxtKind::Op}).DevTyp("ORVPRO", "midi");
    rows.Device({"ORVPRO", "ORV 014", 0, 14, "mini", 4, 20, 4, "alt"});
    rows.Device({"ORVPRO", "ORV 047.2", 1, 755, "mini", 4, 40, 16, "int"});
    rows.Device({"ORVPRO", "ORV 706", 2, 706, "midi", 2, 40, 20, "706"});
    rows.Sps({33, "S33", StartSelSpsRow::Neutral()}).Driver(5, "Drv 5");
    rows.Pair("mini", 33, 5).Pair("midi", 33, 5);
    return home.Path();
}

} // namespace

std::optional<CDlgRunner::RenumberNums> NavDlgRunner::RunRenumber(int mode, std::optional<RenumberNums> start)
{
    runs.push_back("renumber " + std::to_string(mode) + " " +
                   (start ? std::to_string(start->from) + ".." + std::to_string(start->to) + "->" +
                                std::to_string(start->target)
                          : std::string("-")));
    if (renumbers.empty())
        return std::nullopt;
    auto answer = renumbers.front();
    renumbers.pop_front();
    return answer;
}

bool NavDlgRunner::RunMsgOptions(CMsgTxt& text)
{
    runs.push_back("msgopt " + std::to_string(text.GetNum()));
    handed.push_back(&text);
    return answerOk;
}

bool NavDlgRunner::RunHlpOptions(CPrjNumEntry& entry)
{
    runs.push_back("hlpopt " + std::to_string(entry.GetNum()));
    handed.push_back(&entry);
    return answerOk;
}

bool NavDlgRunner::RunRcpData(CPrjRcpTxt& text)
{
    runs.push_back("rcpdata " + std::to_string(text.GetNum()));
    handed.push_back(&text);
    return answerOk;
}

bool NavDlgRunner::RunSkAction(int index)
{
    runs.push_back("skaction " + std::to_string(index));
    return answerOk;
}

bool NavDlgRunner::RunSoftkeys(int index)
{
    runs.push_back("softkeys " + std::to_string(index));
    return answerOk;
}

bool NavDlgRunner::RunMnuNode(CPrjMnu& menu, CPrjMnuNode& node)
{
    runs.push_back("mnunode " + std::to_string(menu.GetNum()) + " " + std::to_string(node.GetNum()));
    handed.push_back(&node);
    return answerOk;
}

bool NavDlgRunner::RunVar(const CPrjVar& var, int mode)
{
    runs.push_back("var " + var.GetName() + " " + std::to_string(mode));
    handed.push_back(&var);
    if (onVar)
        onVar(var, mode);
    return answerOk;
}

bool NavDlgRunner::RunDrvVar(int index)
{
    runs.push_back("drvvar " + std::to_string(index));
    return answerOk;
}

bool NavDlgRunner::RunCharEdit(uint16_t code)
{
    runs.push_back("charedit " + std::to_string(code));
    return answerOk;
}

namespace {

template <class T>
std::optional<T> NavNextAnswer(std::deque<std::optional<T>>& answers)
{
    if (answers.empty())
        return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

std::optional<uint16_t> NavDlgRunner::RunValue(const CDrvParItem& item)
{
    runs.push_back("value " + std::to_string(item.GetNumber()));
    return NavNextAnswer(values);
}

std::optional<CDlgRunner::RenameResult> NavDlgRunner::RunRename(uint16_t number, std::string_view name)
{
    runs.push_back("rename " + std::to_string(number) + " " + std::string(name));
    return NavNextAnswer(renames);
}

bool NavDlgRunner::RunMnuOpt(CPrjMnu& menu)
{
    runs.push_back("mnuopt " + std::to_string(menu.GetNum()));
    return answerOk;
}

bool NavDlgRunner::RunMsgTxtOpt()
{
    runs.push_back("msgtxtopt");
    return answerOk;
}

bool NavDlgRunner::RunRcpAdr()
{
    runs.push_back("rcpadr");
    return answerOk;
}

NavKit::NavKit()
    : homeEnv("ORVTOOL_HOME", NavKitHome(home).c_str()),
      fw(LoadedWorld().Drv()),
      core(fw.frame, window, dialogs, files)
{
    fw.frame.SetLogLevel(3);
    core.SetNavFactory(MakeObjNav);
    core.SetViewDc(&dc);
    core.SetViewLst(&lst);
    EXPECT_TRUE(core.GetStartSel().SetOrvVals("ORVPRO", 14, 33, 5, 10, 0, 64));
    fw.ui.ClearCalls();
}

CObjNav& NavKit::Open(int listType, int startIdx)
{
    core.SetListType(listType, startIdx);
    EXPECT_NE(core.GetCurNav(), nullptr) << "list type " << listType;
    journal.clear();
    return *core.GetCurNav();
}

CPrjNumList& NavKit::List(int listType) const
{
    const NavRow* row = FindNavRow(listType);
    EXPECT_NE(row, nullptr) << "list type " << listType;
    return *row->list(fw.prj);
}

void NavKit::AddTexts(int listType, std::initializer_list<int32_t> nums)
{
    const NavRow& row = *FindNavRow(listType);
    for (int32_t num : nums) {
        auto entry = row.make(num);
        entry->SetRowCount(2);
        entry->SetRow(std::make_unique<CPrjTxtRow>(1, "T" + std::to_string(num), nullptr));
        ASSERT_NE(List(listType).Adopt(std::move(entry)), nullptr) << num;
    }
}

std::vector<int32_t> NavKit::Nums(int listType) const
{
    std::vector<int32_t> nums;
    const CPrjNumList& list = List(listType);
    for (int i = 0; i < list.GetCount(); ++i)
        nums.push_back(list.ItemAt(i)->GetNum());
    return nums;
}

std::string NavKit::LastStatus() const
{
    const auto texts = fw.ui.TextsOf(UiCall::Kind::Status);
    return texts.empty() ? std::string() : texts.back();
}

} // namespace orv

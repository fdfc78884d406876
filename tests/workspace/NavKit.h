// A frame core over a loaded project, with fake views, a scripted dialog runner
// and a start selection of 4 display rows, 4 softkeys and character set "alt":
// what the navigator and list provider suites stand on.
#pragma once

#include "support/FrameFakes.h"
#include "support/FrameWorld.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "workspace/DlgRunner.h"
#include "workspace/FrameCore.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class CPrjNumEntry;
class CPrjNumList;

// Answers the dialogs that edit one thing from a script and records each run.
class NavDlgRunner final : public CDlgRunner {
public:
    bool IsAvailable(DlgId) const override { return true; }
    bool Run(DlgId id) override
    {
        dlgRuns.push_back(id);
        return true;
    }
    bool RunSearch(int) override { return true; }
    std::optional<RenumberNums> RunRenumber(int mode, std::optional<RenumberNums> start) override;
    bool RunMsgOptions(CMsgTxt& text) override;
    bool RunHlpOptions(CPrjNumEntry& entry) override;
    bool RunRcpData(CPrjRcpTxt& text) override;
    bool RunSkAction(int index) override;
    bool RunSoftkeys(int index) override;
    bool RunMnuNode(CPrjMnu& menu, CPrjMnuNode& node) override;
    // The list view's and the project tree's dialogs.
    bool HasEditDlg(EditDlg) const override { return editDlgs; }
    bool RunVar(const CPrjVar& var, int mode) override;
    bool RunDrvVar(int index) override;
    bool RunCharEdit(uint16_t code) override;
    std::optional<uint16_t> RunValue(const CDrvParItem& item) override;
    std::optional<RenameResult> RunRename(uint16_t number, std::string_view name) override;
    bool RunMnuOpt(CPrjMnu& menu) override;
    bool RunMsgTxtOpt() override;
    bool RunRcpAdr() override;

    // The renumber dialog's answers in order; nothing is Cancel.
    std::deque<std::optional<RenumberNums>> renumbers;
    // What the other dialogs answer.
    bool answerOk = true;
    // Each run as "<dialog> <argument>", the element handed in by address.
    std::vector<std::string> runs;
    std::vector<const void*> handed;
    // The dialogs run without an argument, in order.
    std::vector<DlgId> dlgRuns;
    // Whether the list view's and the tree's dialogs exist.
    bool editDlgs = true;
    // What the variable dialog does to the variable handed in before it
    // answers answerOk (a new one it inserts itself).
    std::function<void(const CPrjVar& var, int mode)> onVar;
    // The value and rename dialogs' answers in order; nothing is Cancel.
    std::deque<std::optional<uint16_t>> values;
    std::deque<std::optional<RenameResult>> renames;
};

class NavKit {
public:
    NavKit();

    // Puts the list type's navigator into the frame at the start index.
    CObjNav& Open(int listType, int startIdx = 0);
    CObjNav* Nav() const { return core.GetCurNav(); }
    // Adds texts numbered nums to the list of a list type, row 1 reading
    // "T<num>".
    void AddTexts(int listType, std::initializer_list<int32_t> nums);
    // The numbers of the list of a list type, in list order.
    std::vector<int32_t> Nums(int listType) const;
    CPrjNumList& List(int listType) const;
    std::vector<std::string> Boxes() const { return fw.ui.TextsOf(UiCall::Kind::Box); }
    std::vector<std::string> Logs() const { return fw.ui.TextsOf(UiCall::Kind::LogAppend); }
    std::string LastStatus() const;
    uint16_t ModCount() const { return fw.prj.GetModCount(); }

    TempDir home;
    ScopedEnv homeEnv{"ORVTOOL_HOME", home.Path().c_str()};
    FrameWorld fw;
    Journal journal;
    FakeViewDc dc{journal};
    FakeViewLst lst{journal};
    FakeFrameWindow window{journal};
    FakeFilePrompt files;
    NavDlgRunner dialogs;
    CFrameCore core;
};

} // namespace orv

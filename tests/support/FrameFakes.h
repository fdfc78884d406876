// Recording fakes of the frame core's seams: the three views, the window, the
// dialog runner and the file prompt. The views and the window write into one
// journal, so that a test sees the order across them.
#pragma once

#include "workspace/DlgRunner.h"
#include "workspace/FilePrompt.h"
#include "workspace/FrameViews.h"
#include "workspace/FrameWindow.h"
#include "workspace/ObjNav.h"

#include <bitset>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace orv {

using Journal = std::vector<std::string>;

class FakeViewDc final : public IViewDc {
public:
    explicit FakeViewDc(Journal& journal) : m_journal(journal) {}
    void SavTxtRows() override
    {
        m_journal.push_back("dc SavTxtRows");
        if (onSave)
            onSave();
    }
    void RstTxtRows() override { m_journal.push_back("dc RstTxtRows"); }
    void Unload() override { m_journal.push_back("dc Unload"); }
    void SetPage(int page) override { m_journal.push_back("dc SetPage " + std::to_string(page)); }
    void RedrawParts(int parts) override { m_journal.push_back("dc RedrawParts " + std::to_string(parts)); }
    void CaretHome() override { m_journal.push_back("dc CaretHome"); }
    void CopyCurTxt() override { m_journal.push_back("dc CopyCurTxt"); }
    void InsChrAtCaret(int code) override { m_journal.push_back("dc InsChrAtCaret " + std::to_string(code)); }

    // Runs as the rows are written into their text, to see what the disk
    // held then.
    std::function<void()> onSave;

private:
    Journal& m_journal;
};

class FakeViewLst final : public IViewLst {
public:
    explicit FakeViewLst(Journal& journal) : m_journal(journal) {}
    void SetListMode(int mode) override
    {
        m_mode = mode;
        m_journal.push_back("lst SetListMode " + std::to_string(mode));
    }
    int GetListMode() const override { return m_mode; }
    void SetVarProvider(int kind) override { m_journal.push_back("lst SetVarProvider " + std::to_string(kind)); }
    void ActivateProvider(int mode) override { m_journal.push_back("lst Activate " + std::to_string(mode)); }
    void DeactivateProvider(int mode) override { m_journal.push_back("lst Deactivate " + std::to_string(mode)); }
    void RefreshRow(int mode, int row) override
    {
        m_journal.push_back("lst RefreshRow " + std::to_string(mode) + " " + std::to_string(row));
    }
    int GetStyle() const override { return m_style; }
    void SetStyle(int style) override
    {
        m_style = style;
        m_journal.push_back("lst SetStyle " + std::to_string(style));
    }

private:
    Journal& m_journal;
    int m_mode = 0;
    int m_style = 0;
};

class FakeViewTree final : public IViewTree {
public:
    explicit FakeViewTree(Journal& journal) : m_journal(journal) {}
    void BuildTree() override { m_journal.push_back("tree BuildTree"); }
    void RebuildTree(const std::string& rootText) override { m_journal.push_back("tree RebuildTree " + rootText); }
    void FillMenus() override { m_journal.push_back("tree FillMenus"); }
    void MnuSelectedFirst() override { m_journal.push_back("tree MnuSelectedFirst"); }
    void ShowTransferArea() override { m_journal.push_back("tree ShowTransferArea"); }

private:
    Journal& m_journal;
};

class FakeFrameWindow final : public IFrameWindow {
public:
    explicit FakeFrameWindow(Journal& journal) : m_journal(journal) {}
    void UpdateTitle() override { m_journal.push_back("window UpdateTitle"); }
    void RebuildMenuTexts() override { m_journal.push_back("window RebuildMenuTexts"); }
    void RepaintDisplay() override { m_journal.push_back("window RepaintDisplay"); }
    void RequestClose() override { m_journal.push_back("window RequestClose"); }
    void SetSimPolling(bool on) override { m_journal.push_back(on ? "window SimPolling on" : "window SimPolling off"); }
    void Print(int job) override { m_journal.push_back("window Print " + std::to_string(job)); }

private:
    Journal& m_journal;
};

// A navigator that records its activation and its end.
class FakeNav final : public CObjNav {
public:
    FakeNav(Journal& journal, int listType) : m_journal(journal), m_listType(listType)
    {
        m_journal.push_back("nav new " + std::to_string(listType));
    }
    ~FakeNav() override { m_journal.push_back("nav delete " + std::to_string(m_listType)); }
    void SetActive(int startIdx, bool keep) override
    {
        m_journal.push_back("nav SetActive " + std::to_string(m_listType) + " " + std::to_string(startIdx) + " " +
                            (keep ? "true" : "false"));
    }

private:
    Journal& m_journal;
    int m_listType;
};

// Dialogs that exist answer OK or Cancel as set; every run is recorded.
class FakeDlgRunner final : public CDlgRunner {
public:
    bool IsAvailable(DlgId id) const override { return available.test(DlgIndex(id)); }
    bool Run(DlgId id) override
    {
        runs.push_back(static_cast<int>(id));
        return answerOk;
    }
    bool RunSearch(int mode) override
    {
        searches.push_back(mode);
        return answerOk;
    }

    bool RunSpsDef(const CDrvTabEntry5* entry) override
    {
        spsDefEntries.push_back(entry);
        return answerOk;
    }

    std::bitset<kDlgIdCount> available;
    bool answerOk = true;
    std::vector<int> runs;
    std::vector<int> searches;
    // The cross-reference entries handed to the PLC definitions dialog.
    std::vector<const CDrvTabEntry5*> spsDefEntries;
};

// Answers the file dialogs from a queue ("" is Cancel) and records each ask.
class FakeFilePrompt final : public CFilePrompt {
public:
    std::string OpenFile(const FileAsk& ask) override { return Answer(ask); }
    std::string SaveFile(const FileAsk& ask) override { return Answer(ask); }

    std::deque<std::string> answers;
    std::vector<FileAsk> asks;

private:
    std::string Answer(const FileAsk& ask)
    {
        asks.push_back(ask);
        if (answers.empty())
            return {};
        std::string path = answers.front();
        answers.pop_front();
        return path;
    }
};

} // namespace orv

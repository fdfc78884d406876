// A workspace started on a copy of the shipped program directory, with a
// project folder and the helpers the load, save and compile tests share.
#pragma once

#include "model/core/FrameState.h"
#include "model/core/UiServices.h"
#include "support/ConfigKit.h"
#include "support/ScriptedUi.h"
#include "workspace/PrjMgr.h"
#include "workspace/StartSel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orv {

// The kit first, so that the workspace reads its directory; the UI first of
// all, so that its check of unused answers runs after the rest went.
class WorkspaceKit : public testing::Test {
protected:
    WorkspaceKit();

    // Init, then a start selection as the dialog's OK hands it over.
    bool Start(int devType, int spsType, int drvNo, bool intl = false);
    // The first PLC type and driver the shipped database offers the panel.
    bool SelectFirst(int devId);
    // A file in the project folder "DATA/".
    std::string Data(const std::string& name) const { return kit.Home() + "DATA/" + name; }
    static std::string ReadFile(const std::string& path);
    static void WriteFile(const std::string& path, const std::string& bytes);
    // The project in memory as the writer gives it.
    std::string SourceOfMemory();
    // Log lines that begin with one of the prefixes, in order.
    std::vector<std::string> LogsStarting(const std::vector<std::string>& prefixes) const;
    bool Logged(const std::string& line) const;
    std::vector<int> BoxIds() const;
    std::vector<int> QuestionIds() const;

    ScriptedUi ui;
    ScopedUiServices uiReg{ui};
    ConfigKit kit;
    CFrameState frame;
    ScopedMainFrame frameReg{frame};
    CStartSel sel;
    CPrjMgr mgr{frame, sel};
};

} // namespace orv

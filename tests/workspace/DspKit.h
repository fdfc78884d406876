// The display editor's test ground: two synthetic device records, a frame
// with a project, an operator text and a recipe text, and a host that hands
// the editor a chosen text and records what the editor asks of the frame.
#pragma once

#include "model/project/OpTxt.h"
#include "model/project/RcpTxt.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/StartSelRows.h"
#include "workspace/DspEdit.h"
#include "workspace/DspGeometry.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orv {

struct DspPoint {
    int x = 0;
    int y = 0;
};

class FakeDspHost final : public CDspHost {
public:
    CPrjNumEntry* ActiveText() const override { return text; }
    int ListType() const override { return listType; }
    int RowsPerText() const override { return rowsPerText; }
    const DevRecord* Device() const override { return dev ? &*dev : nullptr; }
    bool IsValidChar(int code) const override { return code >= 32 && code <= 255 && code != invalidChar; }
    void CopyActiveText() override { commands.push_back(CDspEdit::kCmdCopyText); }
    std::optional<int> AskCopyRowNumber() override { return copyRowAnswer; }
    void RunNavCommand(int id) override { commands.push_back(id); }
    void ReportVar(const CPrjVar* var) override { reported.push_back(var); }

    CPrjNumEntry* text = nullptr;
    int listType = 2;
    int rowsPerText = 32;
    std::optional<DevRecord> dev;
    int invalidChar = 0x7F;
    std::optional<int> copyRowAnswer;
    std::vector<int> commands;
    std::vector<const CPrjVar*> reported;
};

// A frame with a project of a PLC variable "Lvl" (width 1), "Tmp" (3) and
// "Pos" (6), an ASCII variable "Name" and a recipe-value variable "Set";
// operator text 1 and recipe text 1 hold rows with them.
class DspKit {
public:
    DspKit();

    CPrjData& Prj() const { return *world->prj; }
    CPrjVar* Var(const char* name) const;
    // The variable's index in the project's variable list.
    int VarIdx(const CPrjVar* var) const;
    // Shows the text of the list type in the editor, as a navigator does.
    void Show(CPrjNumEntry* text, int listType, int rowsPerText = 32);
    // The client point at the middle of page cell (row, col) at f = 1.
    DspPoint CellPoint(int row, int col) const;
    CDspGeometry Geo() const { return CDspGeometry(*host.dev, 400, 600); }
    // The editor driven as a user does, at f = 1.
    void Caret(int row, int col);
    void Type(const std::string& text);
    void Click(int row, int col);
    void MoveTo(int row, int col);
    void DropVar(const char* name, int row, int col);
    void DropChr(int code, int row, int col);
    std::string F(int width) const;
    // The log lines shown so far.
    std::vector<std::string> Logs() const;
    bool Logged(const std::string& line) const;
    // The text of the editor's row, without trailing blanks.
    std::string Row(int absRow) const;
    uint16_t ModCount() const;

    FrameFixture fx;
    std::unique_ptr<ProjectWorld> world;
    FakeDspHost host;
    CDspEdit edit{host};
    CPrjOpTxt* op = nullptr;
    CPrjRcpTxt* rcp = nullptr;
};

} // namespace orv

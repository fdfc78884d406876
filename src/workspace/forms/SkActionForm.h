// The softkey-action dialog without its window: the comment and the eight
// operation rows as the user edits them, checked whole before anything is
// stored.
#pragma once

#include "workspace/forms/ValueCodec.h"

#include <array>
#include <string>

namespace orv {

class CPrjData;
class CPrjSkAct;

class CDlgSkActionForm {
public:
    static constexpr int kRows = 8;
    static constexpr size_t kCommentMax = 40;
    // Control ids: the comment, and row i's controls from 2052 + 10 i.
    static constexpr int kIdComment = 2047;
    static constexpr int kIdRowBase = 2052;
    static constexpr int kRowStep = 10;
    enum RowCtl { kCtlCmd = 0, kCtlAdr = 1, kCtlFmt = 2, kCtlValue = 3 };

    // One row as its controls hold it: the command's selection (0 "kein",
    // 1 "WRITE", 2 "AND", 3 "OR"), the address text, the format index (0 DEC,
    // 1 HEX, 2 BIN) and the value text.
    struct Row {
        int cmd = 0;
        std::string adr;
        int fmt = 0;
        std::string value;
    };

    // The rows shown for the action; the project is marked modified by an
    // OK that changed the action (null: nothing is marked).
    CDlgSkActionForm(CPrjSkAct& act, CPrjData* prj);

    // The comment in the panel's code page.
    const std::string& Comment() const { return m_comment; }
    void SetComment(std::string comment) { m_comment = std::move(comment); }
    const Row& GetRow(int i) const { return m_rows.at(static_cast<size_t>(i)); }
    void SetCmd(int i, int cmd) { m_rows.at(static_cast<size_t>(i)).cmd = cmd; }
    void SetAdr(int i, std::string text) { m_rows.at(static_cast<size_t>(i)).adr = std::move(text); }
    void SetValue(int i, std::string text) { m_rows.at(static_cast<size_t>(i)).value = std::move(text); }
    // Shows the row's value in the new format.
    void SetFormat(int i, int fmt);

    static ValueFmt FmtOfIndex(int fmtIdx);
    // The row's format index for the action's format: 0 (unset) shows
    // binary, 1..3 their own, any other decimal.
    static int IndexOfFormat(unsigned format);

    // Checks every row, then stores the comment and all rows. On the first
    // row that fails, tells the user and stores nothing; the answer is then
    // the control id to focus, else 0.
    int Ok();

private:
    CPrjSkAct& m_act;
    CPrjData* m_prj;
    std::string m_comment;
    std::array<Row, kRows> m_rows;
};

} // namespace orv

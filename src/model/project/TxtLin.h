// The editable form of a display text row, as the text editors change it
// character by character.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orv {

class CPrjNumEntry;
class CPrjRcpTxt;
class CPrjTxtRow;
class CPrjVar;

// What an edit row needs of the display editor that holds it.
class CTxtEditContext {
public:
    // List type of the recipe texts.
    static constexpr int kListRcpTxt = 6;

    virtual ~CTxtEditContext() = default;

    // Type of the list whose text is being edited.
    virtual int GetEditListType() const = 0;
    // The text being edited, or null.
    virtual CPrjNumEntry* GetEditEntry() const = 0;
    // Ends a drag; a refused drop or move calls it before its message.
    virtual void ClearDrag() = 0;
};

// One row of a text in the display editor: its characters as an editable
// string bound to the stored row whose slots place the variables. Typing
// and deleting characters and dropping, moving and removing variables keep
// the characters, the slots and, in a recipe text, its value list in step.
// Columns are 1-based here and the row text is padded with blanks as far as
// an operation reaches.
class CPrjTxtLin {
public:
    static constexpr int kMaxVarsPerRow = 4;
    static constexpr uint8_t kTypeAscii = 34;

    explicit CPrjTxtLin(CTxtEditContext& context) : m_context(context) {}

    int GetRowIdx() const { return m_rowIdx; }
    void SetRowIdx(int index) { m_rowIdx = index; }
    const std::string& GetText() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }
    CPrjTxtRow* GetStoredRow() const { return m_row; }
    void SetStoredRow(CPrjTxtRow* row) { m_row = row; }

    // Insert mode: refused when the used length fills the display; else the
    // character goes before the column and the variables from it move one
    // column right. Overwrite mode: replaces the character.
    bool ChrIns(int column, char ch);
    // The character goes, a blank is appended and the variables from the
    // column move one column left.
    void ChrDel(int column);
    // Places the variable at the column, or refuses it with the message of
    // the first rule it breaks. The same-text flag marks a move from
    // another row of the same recipe text.
    bool VarIns(int column, CPrjVar* var, int slotHint, bool sameText);
    // Removes the variable that starts at the column and its field.
    void VarDel(int column, CPrjVar* var, int slotHint);
    // Moves the variable one column; a move past the display is refused
    // silently, one onto another variable with a message.
    bool VarMov(int from, int to, CPrjVar* var, int slotHint);
    // The column lies in a variable's field; false while no text is edited.
    bool IsVarAt(int column) const;

    void VarDelColl(int column, int width);
    void VarInsColl(CPrjVar* var, int column);
    // Start columns at or right of the column move by delta, never below 0.
    void ShiftVars(int column, int delta);
    // n > 0 inserts blanks before the column; n < 0 deletes characters at
    // the column and appends as many blanks.
    void ShiftTxt(int column, int n);
    // Length of the row text without its trailing blanks.
    int GetUsedLen() const;
    // External variables of the text being edited that stand before the
    // column of the row (rows 1..rowNum walked in order).
    int CountExtVarsBefore(int column, int rowNum) const;

private:
    struct Placed {
        CPrjVar* var;
        int col;  // 0-based start column
    };

    // Filled slots of the stored row in column order.
    std::vector<Placed> FilledSlots() const;
    // Writes the placements into the stored row's slots, front first.
    void StoreSlots(const std::vector<Placed>& placed);
    int CountExtBefore(int column, int rowNum, const CPrjVar* except) const;
    // The recipe text being edited, or null.
    CPrjRcpTxt* EditedRecipe() const;
    void Refuse(const char* message);
    void PadTo(int length);
    static int DisplayWidth();

    CTxtEditContext& m_context;
    int m_rowIdx = 0;
    std::string m_text;
    CPrjTxtRow* m_row = nullptr;
};

} // namespace orv

// Stored text rows of display and printer texts, with the variables they show
// and the columns where their fields start.
#pragma once

#include "model/core/Obj.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CCharSet;
class CPrjVar;

// A variable's place in a row: the variable and the 0-based column at which
// its field starts. A free slot is {null, 255}.
struct TxtVarSlot {
    static constexpr uint8_t kNoCol = 255;

    CPrjVar* var = nullptr;
    uint8_t col = kNoCol;
};

// Up to eight variable places as handed to a row's constructor and taken
// from the editor. Indexes above 7 are ignored on set and read as free.
class CTxtVarSlots {
public:
    static constexpr int kCount = 8;

    CTxtVarSlots() { Reset(); }

    void Reset();
    void SetVar(int i, CPrjVar* var);
    void SetCol(int i, uint8_t col);
    CPrjVar* GetVar(int i) const;
    uint8_t GetCol(int i) const;

private:
    std::array<CPrjVar*, kCount> m_vars{};
    std::array<uint8_t, kCount> m_cols{};
};

// Which variable takes the place of which in the rows, and the character set
// that draws the new variable's field.
struct VarReplaceReq {
    CPrjVar* oldVar = nullptr;
    CPrjVar* newVar = nullptr;
    const CCharSet* charSet = nullptr;
};

// One stored row of a text: its characters and up to eight variable slots.
// The characters under a variable's field are frame characters, so the text
// shows the field's width. Every filled slot counts once in its variable's
// use count, from the slot's assignment until the slot is released or the
// row is destroyed.
class CTxtRowBase : public CObj {
public:
    static constexpr int kMaxSlots = CTxtVarSlots::kCount;

    ~CTxtRowBase() override;

    uint8_t GetNum() const { return m_num; }
    const std::string& GetText() const { return m_text; }
    void SetText(std::string_view text) { m_text = text; }

    // Number of slots, free ones between filled ones included.
    int GetVarCount() const { return static_cast<int>(m_slots.size()); }
    // Number of slots that hold a variable.
    int GetFilledCount() const;
    // {null, 255} when i is not below the slot count.
    TxtVarSlot GetVarSlot(int i) const;
    // With a variable the slot is set (the array grows as needed) and the
    // variable counted, the slot's old variable released. With null the slot
    // is freed and the array shrinks to end at the last filled slot. Indexes
    // above 7 are ignored.
    void SetVarSlot(int i, CPrjVar* var, uint8_t col);

    // Frees the text and releases every slot. Safe to call again.
    void Clear();

    // Redraws the old variable's fields for the new variable and moves the
    // columns of the fields behind them. The rebuilt text never passes the
    // row's text limit. Nothing happens unless the request is complete.
    void ReplaceVar(const VarReplaceReq& req);
    // Lowers the maximum width of every variable in the row to its width
    // plus its share of the room the text leaves in the line.
    void FitVarWidths();
    // The variable stands in the row beside at least one other filled slot.
    bool HasVarWithOthers(const CPrjVar* var) const;

    // Characters a line of this row can show.
    int GetLineWidth() const;
    // Column at which a rebuilt text is cut.
    int GetTextLimit() const;

protected:
    enum class Kind { Display, Printer };

    CTxtRowBase(Kind kind, uint8_t num, std::string_view text);

    // Sets the slots of a record, 7 down to 0, and fits the widths.
    void TakeSlots(const CTxtVarSlots* slots);
    // Copies every filled slot of another row, counting each again.
    void CopySlotsFrom(const CTxtRowBase& other);

private:
    int CountSlotsOf(const CPrjVar* var) const;
    void FitVarWidth(CPrjVar* var, int slotsOfVar) const;
    std::string RebuildText(uint8_t col, int oldWidth, int newWidth, const CCharSet& charSet) const;
    void ReleaseSlots();

    Kind m_kind;
    uint8_t m_num;
    std::vector<TxtVarSlot> m_slots;
    std::string m_text;
};

// A row of a display text; its line is the current project's display width
// (40 without a project).
class CPrjTxtRow : public CTxtRowBase {
public:
    CPrjTxtRow(uint8_t num, std::string_view text, const CTxtVarSlots* slots);

    std::unique_ptr<CPrjTxtRow> Clone() const { return CloneAs(GetNum()); }
    std::unique_ptr<CPrjTxtRow> CloneAs(uint8_t num) const;
};

// A row of a printer text: a line of 132 characters.
class CPrnTxtLin : public CTxtRowBase {
public:
    static constexpr int kLineWidth = 132;

    CPrnTxtLin(uint8_t num, std::string_view text, const CTxtVarSlots* slots);

    std::unique_ptr<CPrnTxtLin> Clone() const { return CloneAs(GetNum()); }
    std::unique_ptr<CPrnTxtLin> CloneAs(uint8_t num) const;
};

// Display width of the current project, 40 without one.
int CurrentDspWidth();

} // namespace orv

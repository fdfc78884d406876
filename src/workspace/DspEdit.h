// The display editor without a window: its 32 edit rows over one text, the
// page, the caret and the drag, and every editing rule. The Qt view turns
// events into these calls and paints what the scene builder makes of them.
#pragma once

#include "model/project/TxtLin.h"
#include "workspace/FrameViews.h"
#include "workspace/SelQueries.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class CDspGeometry;
class CPrjTxtRow;

// What the editor needs of the frame around it: the text the current
// navigator holds active, the device, and the commands that reach beyond the
// rows. The frame implements it over its navigator; tests over a text.
class CDspHost {
public:
    virtual ~CDspHost() = default;
    // The navigator's active text, or null without navigator or text.
    virtual CPrjNumEntry* ActiveText() const = 0;
    virtual int ListType() const = 0;
    virtual int RowsPerText() const = 0;
    // The selected device, or null while the start selection is unset.
    virtual const DevRecord* Device() const = 0;
    virtual bool IsValidChar(int code) const = 0;
    // The navigator's copy of its active text.
    virtual void CopyActiveText() = 0;
    // The renumber dialog captioned "Kopieren" in mode 2; the number the
    // user gave, or nothing on Cancel.
    virtual std::optional<int> AskCopyRowNumber() = 0;
    // A context-menu command that the navigator or the list view runs.
    virtual void RunNavCommand(int id) = 0;
    // The navigator tells about the variable that a drag picked up.
    virtual void ReportVar(const CPrjVar* var) = 0;
};

// A variable found in a row: the slot, the 0-based start column and width.
struct DspFoundVar {
    CPrjVar* var = nullptr;
    int slot = 0;
    int startCol = 0;
    int width = 0;
};

// One context-menu line; id 0 is a separator.
struct DspMenuItem {
    int id = 0;
    bool enabled = true;
    bool operator==(const DspMenuItem&) const = default;
};

// The keys the editor acts on, by their virtual key codes: the traces show
// them, and Ctrl with F1 .. F8 gives the character code key - 104.
enum class DspKey : int {
    Backspace = 8, Enter = 13, Esc = 27, End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
    Insert = 45, Delete = 46, F1 = 112, F2, F3, F4, F5, F6, F7, F8,
};

class CDspEdit final : public CTxtEditContext, public IViewDc {
public:
    static constexpr int kRows = 32;
    static constexpr int kRowLen = 40;

    // Context-menu command ids.
    enum MenuId : int {
        kCmdNewText = 9099,
        kCmdEdit = 9101,
        kCmdCopyText = 9102,
        kCmdDelText = 9103,
        kCmdRenumber = 9105,
        kCmdInsVar = 9109,
        kCmdDelVar = 9110,
        kCmdInsChr = 9111,
        kCmdCopyRow = 9112,
        kCmdInsRow = 9113,
        kCmdDelRow = 9114,
        kCmdCenterRow = 9115,
        kCmdNextText = 9116,
        kCmdPrevText = 9117,
        kCmdForm = 9132,
    };
    static constexpr int kListOpTxt = 2;

    explicit CDspEdit(CDspHost& host);
    ~CDspEdit() override;
    CDspEdit(const CDspEdit&) = delete;
    CDspEdit& operator=(const CDspEdit&) = delete;

    // Runs on every RedrawParts; the view repaints itself.
    void SetRepaint(std::function<void()> repaint) { m_repaint = std::move(repaint); }

    // CTxtEditContext
    int GetEditListType() const override { return m_loadedType; }
    CPrjNumEntry* GetEditEntry() const override { return m_loaded; }
    void ClearDrag() override { m_drag = false; }

    // IViewDc
    void SavTxtRows() override;
    void RstTxtRows() override;
    void Unload() override;
    void SetPage(int page) override;
    void RedrawParts(int parts) override;
    void CaretHome() override;
    void CopyCurTxt() override;
    void InsChrAtCaret(int code) override;

    // State the painting reads.
    CPrjNumEntry* LoadedText() const { return m_loaded; }
    int Page() const { return m_page; }
    int CaretRow() const { return m_row; }
    int CaretCol() const { return m_col; }
    bool IsDragging() const { return m_drag; }
    const std::string& RowText(int absRow) const;
    CPrjTxtRow* RowObject(int absRow) const;
    // The variable of the text row that covers the 1-based column.
    std::optional<DspFoundVar> FindVar(int absRow, int col) const;
    // FindVar that keeps what it found, as the editing rules use it.
    bool VarOnPos(int absRow, int col);
    const DspFoundVar& FoundVar() const { return m_found; }
    int AbsRow(int pageRow) const;

    // Editing.
    void OnKey(DspKey key, bool ctrl);
    // A typed character: its code point and its panel byte, or nothing when
    // code page 437 cannot hold it.
    void OnChar(uint32_t codePoint, std::optional<unsigned char> byte);
    void DelAtCaret();
    void OnLButtonDown(const CDspGeometry& geo, int x, int y);
    void OnMouseMove(const CDspGeometry& geo, int x, int y);
    void OnLButtonUp();
    void OnDblClk();
    void DrpVar(const CDspGeometry& geo, int varIdx, int x, int y);
    void DrpChr(const CDspGeometry& geo, int code, int x, int y);

    // The context menu at the caret and its commands.
    std::vector<DspMenuItem> MenuItems() const;
    void OnMenuCommand(int id);

private:
    int Rows() const;
    int Cols() const;
    int LastPage() const;
    // An active text, a caret row and a caret column inside the display.
    bool CaretValid() const;
    CPrjTxtLin& Lin(int absRow) { return m_lins[static_cast<size_t>(absRow - 1)]; }
    // The stored row of an edit row that a variable is placed in, created
    // when a save dropped it as blank.
    bool EnsureRow(int absRow);
    void Remember();
    void CaretRight();
    void CaretLeft();
    void CaretDown();
    void PageBy(int delta);
    void MarkModified();
    // The variable's field characters, or blanks, within the row's 40.
    void FillVarFrame(int absRow, int startCol, int width, bool blank);
    void DragAlongRow(int r, int c);
    void DragToRow(int r, int c);
    void CopyRow();

    CDspHost& m_host;
    std::vector<CPrjTxtLin> m_lins;
    CPrjNumEntry* m_loaded = nullptr;
    int m_loadedType = 0;
    DspFoundVar m_found;
    bool m_drag = false;
    int m_dragOffset = 0;
    DspFoundVar m_dragVar;
    int m_page = 1;
    int m_prevRow = 0;
    int m_prevCol = 0;
    int m_row = 0;
    int m_col = 0;
    std::function<void()> m_repaint;
};

} // namespace orv

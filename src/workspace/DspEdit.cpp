// The display editor's editing rules over its working copy of a text's rows.
// The copy belongs to the text it was loaded from and is written back into
// that text only, whatever the navigator holds by then.
#include "workspace/DspEdit.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FrameState.h"
#include "model/core/HelpPage.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/CharSet.h"
#include "model/project/NumEntry.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/TxtRow.h"
#include "workspace/DspGeometry.h"

#include <algorithm>
#include <memory>

namespace orv {

namespace {

constexpr int kRedrawCells = 2;
constexpr int kRedrawCaret = 4;
// Ctrl+F1 .. Ctrl+F8 put the user-definable characters 8 .. 15.
constexpr int kCtrlFnToChar = 104;
constexpr const char* kMsgNoRoom = "Kein Platz mehr zum Einf\xFCgen. Col=%d";
constexpr const char* kMsgIllegalChar = "illegal character for this console. code=%d";

std::string DspTrimmed(const std::string& text)
{
    const size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : text.substr(0, last + 1);
}

std::string DspPadded(const std::string& text)
{
    std::string row = text.substr(0, CDspEdit::kRowLen);
    row.resize(CDspEdit::kRowLen, ' ');
    return row;
}

// The rows need only a display whose rows and columns the editor can hold;
// its sizes matter to the painting alone.
bool DspEditRowsUsable(const DevRecord* dev)
{
    return dev != nullptr && dev->numDspRows >= 1 && dev->numDspRows <= CDspGeometry::kMaxRows &&
           dev->numDspCols >= 1 && dev->numDspCols <= CDspGeometry::kMaxCols;
}

} // namespace

CDspEdit::CDspEdit(CDspHost& host) : m_host(host)
{
    m_lins.reserve(kRows);
    for (int i = 0; i < kRows; ++i)
        m_lins.emplace_back(*this);
}

CDspEdit::~CDspEdit() = default;

int CDspEdit::Rows() const
{
    const DevRecord* dev = m_host.Device();
    return DspEditRowsUsable(dev) ? dev->numDspRows : 0;
}

int CDspEdit::Cols() const
{
    const DevRecord* dev = m_host.Device();
    return DspEditRowsUsable(dev) ? dev->numDspCols : 0;
}

int CDspEdit::LastPage() const
{
    return Rows() > 0 ? kRows / Rows() : 1;
}

int CDspEdit::AbsRow(int pageRow) const
{
    return pageRow + Rows() * (m_page - 1);
}

const std::string& CDspEdit::RowText(int absRow) const
{
    static const std::string none;
    if (absRow < 1 || absRow > kRows)
        return none;
    return m_lins[static_cast<size_t>(absRow - 1)].GetText();
}

CPrjTxtRow* CDspEdit::RowObject(int absRow) const
{
    if (absRow < 1 || absRow > kRows)
        return nullptr;
    return m_lins[static_cast<size_t>(absRow - 1)].GetStoredRow();
}

bool CDspEdit::CaretValid() const
{
    const int abs = AbsRow(m_row);
    return m_loaded != nullptr && m_row >= 1 && m_row <= Rows() && m_col >= 1 && m_col <= Cols() && abs <= kRows;
}

void CDspEdit::RstTxtRows()
{
    CPrjNumEntry* text = m_host.ActiveText();
    if (text == nullptr) {
        Unload();
        return;
    }
    m_loaded = text;
    m_loadedType = m_host.ListType();
    m_drag = false;
    const int rows = std::clamp(m_host.RowsPerText(), 0, kRows);
    for (int n = 1; n <= kRows; ++n) {
        CPrjTxtLin& lin = Lin(n);
        lin.SetText(std::string());
        lin.SetStoredRow(nullptr);
        lin.SetRowIdx(n - 1);
        if (n > rows)
            continue;
        if (text->GetRowCount() < n) {
            text->SetRowCount(n);
            text->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(n), "", nullptr));
        }
        CPrjTxtRow* row = text->GetRow(n);
        if (row == nullptr) {
            ShowInternalErrorText("RstTxtRows: TxtNr=%d, invalid nRow=%d < getAnzahlZeilen()=%d", text->GetNum(), n,
                                  text->GetRowCount());
            continue;
        }
        lin.SetText(DspPadded(row->GetText()));
        lin.SetStoredRow(row);
    }
    LogLine(kLogDebug, "%d", text->GetRowCount());
}

bool CDspEdit::EnsureRow(int absRow)
{
    if (m_loaded == nullptr || absRow < 1 || absRow > kRows)
        return false;
    CPrjTxtLin& lin = Lin(absRow);
    if (lin.GetStoredRow() != nullptr)
        return true;
    if (m_loaded->GetRowCount() < absRow)
        m_loaded->SetRowCount(absRow);
    CPrjTxtRow* row = m_loaded->GetRow(absRow);
    if (row == nullptr)
        row = m_loaded->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(absRow), "", nullptr));
    lin.SetStoredRow(row);
    lin.SetRowIdx(absRow - 1);
    return row != nullptr;
}

void CDspEdit::SavTxtRows()
{
    if (m_loaded == nullptr)
        return;
    int keep = 0;
    for (int n = kRows; n >= 1 && keep == 0; --n)
        if (!DspTrimmed(Lin(n).GetText()).empty())
            keep = n;
    LogLine(kLogDebug, "going to save %d lines", keep);
    for (int n = 1; n <= keep; ++n) {
        if (!EnsureRow(n)) {
            ShowInternalErrorText("SavTxtRows: TxtNr=%d, invalid nRow=%d < getAnzahlZeilen()=%d", m_loaded->GetNum(),
                                  n, m_loaded->GetRowCount());
            continue;
        }
        const std::string text = DspTrimmed(Lin(n).GetText());
        LogLine(kLogDebug, "%02d %s", n, text.c_str());
        Lin(n).GetStoredRow()->SetText(text);
    }
    // The rows after the last written one go with the text's row count.
    m_loaded->SetRowCount(keep);
    for (int n = keep + 1; n <= kRows; ++n)
        Lin(n).SetStoredRow(nullptr);
    if (CPrjData* prj = GetPrjData())
        prj->CalcVarMaxWidths();
}

void CDspEdit::Unload()
{
    m_loaded = nullptr;
    m_loadedType = 0;
    for (CPrjTxtLin& lin : m_lins) {
        lin.SetText(std::string());
        lin.SetStoredRow(nullptr);
    }
    m_found = {};
    m_dragVar = {};
    m_drag = false;
    m_row = m_col = m_prevRow = m_prevCol = 0;
}

void CDspEdit::SetPage(int page)
{
    m_page = std::clamp(page, 1, LastPage());
}

void CDspEdit::RedrawParts(int /*parts*/)
{
    if (m_repaint)
        m_repaint();
}

void CDspEdit::CaretHome()
{
    m_row = 1;
    m_col = 1;
    RedrawParts(kRedrawCells);
}

void CDspEdit::CopyCurTxt()
{
    if (m_loaded == nullptr)
        return;
    // The copy is made of the stored rows: the typing goes into them first.
    SavTxtRows();
    m_host.CopyActiveText();
}

void CDspEdit::MarkModified()
{
    if (CPrjData* prj = GetPrjData())
        prj->SetModified(true);
}

void CDspEdit::Remember()
{
    m_prevRow = m_row;
    m_prevCol = m_col;
}

std::optional<DspFoundVar> CDspEdit::FindVar(int absRow, int col) const
{
    const CPrjTxtRow* row = m_loaded != nullptr ? RowObject(absRow) : nullptr;
    if (row == nullptr)
        return std::nullopt;
    for (int i = 0; i < row->GetVarCount(); ++i) {
        const TxtVarSlot slot = row->GetVarSlot(i);
        if (slot.var == nullptr)
            continue;
        const int width = slot.var->GetWidth();
        if (col - 1 >= slot.col && col - 1 <= slot.col + width - 1)
            return DspFoundVar{slot.var, i, slot.col, width};
    }
    return std::nullopt;
}

bool CDspEdit::VarOnPos(int absRow, int col)
{
    m_found = {};
    m_found.startCol = TxtVarSlot::kNoCol;
    const std::optional<DspFoundVar> found = FindVar(absRow, col);
    if (!found)
        return false;
    m_found = *found;
    LogLine(kLogDebugExt, "VarOnPos:OnVar:%s, nCol-1=%d, m_nVarStartCol=%d, DarstLen=%d",
            found->var->GetName().c_str(), col - 1, found->startCol, found->width);
    return true;
}

void CDspEdit::CaretRight()
{
    int c = m_col + 1;
    while (c <= Cols() && FindVar(AbsRow(m_row), c))
        ++c;
    if (c <= Cols())
        m_col = c;
}

void CDspEdit::CaretLeft()
{
    int c = m_col - 1;
    while (c >= 1 && FindVar(AbsRow(m_row), c))
        --c;
    if (c >= 1)
        m_col = c;
}

void CDspEdit::PageBy(int delta)
{
    m_page += delta;
    m_row = 1;
    m_col = 1;
    RedrawParts(kRedrawCells);
}

void CDspEdit::CaretDown()
{
    if (m_row < Rows()) {
        Remember();
        ++m_row;
        RedrawParts(kRedrawCaret);
    } else if (m_page < LastPage() && m_host.ListType() != kListOpTxt) {
        PageBy(1);
    }
}

void CDspEdit::InsChrAtCaret(int code)
{
    if (!CaretValid())
        return;
    const int abs = AbsRow(m_row);
    if (!Lin(abs).ChrIns(m_col, static_cast<char>(code))) {
        LogLine(kLogInfo, kMsgNoRoom, m_col);
        return;
    }
    MarkModified();
    Remember();
    CaretRight();
    const CFrameState* frame = GetMainFrame();
    RedrawParts(frame != nullptr && frame->IsInsertMode() ? kRedrawCells : kRedrawCaret);
}

void CDspEdit::DelAtCaret()
{
    if (!CaretValid())
        return;
    const int abs = AbsRow(m_row);
    if (VarOnPos(abs, m_col))
        Lin(abs).VarDel(m_found.startCol + 1, m_found.var, m_found.slot);
    else
        Lin(abs).ChrDel(m_col);
    MarkModified();
    RedrawParts(kRedrawCells);
}

void CDspEdit::OnKey(DspKey key, bool ctrl)
{
    const int code = static_cast<int>(key);
    LogLine(kLogDebug, "key down char=%d", code);
    switch (key) {
    case DspKey::Backspace: {
        if (m_col <= 1 || !CaretValid())
            break;
        Remember();
        const int before = m_col;
        CaretLeft();
        if (m_col == before)
            break;
        Lin(AbsRow(m_row)).ChrDel(m_col);
        MarkModified();
        RedrawParts(kRedrawCells);
        break;
    }
    case DspKey::Enter:
        CaretDown();
        m_col = 1;
        break;
    case DspKey::Esc:
        m_row = 0;
        RedrawParts(kRedrawCells);
        break;
    case DspKey::End:
        Remember();
        m_col = Cols();
        break;
    case DspKey::Home:
        Remember();
        m_col = 1;
        break;
    case DspKey::Left:
        if (m_col > 1) {
            Remember();
            CaretLeft();
        }
        break;
    case DspKey::Up:
        if (m_row > 1) {
            Remember();
            --m_row;
        } else if (m_page > 1 && m_host.ListType() != kListOpTxt) {
            PageBy(-1);
            return;
        }
        break;
    case DspKey::Right:
        if (m_col < Cols()) {
            Remember();
            CaretRight();
        }
        break;
    case DspKey::Down:
        CaretDown();
        break;
    case DspKey::Insert:
        if (CFrameState* frame = GetMainFrame())
            frame->SetInsertMode(!frame->IsInsertMode());
        break;
    case DspKey::Delete:
        DelAtCaret();
        break;
    default:
        if (ctrl) {
            LogLine(kLogDebug, "Strg-key pressed");
            const DevRecord* dev = m_host.Device();
            if (dev != nullptr && dev->fntNam != "706")
                InsChrAtCaret(code - kCtrlFnToChar);
        } else if (key == DspKey::F1) {
            ShowHelpPage(0, 0);
        }
        break;
    }
    LogLine(kLogDebug, "old=%d,%d, new=%d,%d", m_prevRow, m_prevCol, m_row, m_col);
    RedrawParts(kRedrawCaret);
}

void CDspEdit::OnChar(uint32_t codePoint, std::optional<unsigned char> byte)
{
    LogLine(kLogDebug, "OnChar nChar=%u", codePoint);
    const bool taken = CaretValid() && !FindVar(AbsRow(m_row), m_col) && byte && *byte > 31 &&
                       m_host.IsValidChar(*byte);
    if (!taken) {
        LogLine(kLogDebug, kMsgIllegalChar, static_cast<int>(codePoint));
        return;
    }
    LogLine(kLogDebug, "nChar.AnsiToOem=%u", static_cast<unsigned>(*byte));
    InsChrAtCaret(*byte);
}

void CDspEdit::FillVarFrame(int absRow, int startCol, int width, bool blank)
{
    if (absRow < 1 || absRow > kRows)
        return;
    std::string field(static_cast<size_t>(std::max(width, 0)), ' ');
    const CPrjData* prj = GetPrjData();
    if (!blank && prj != nullptr && prj->GetOwner() != nullptr && prj->GetOwner()->charSet != nullptr)
        field = prj->GetOwner()->charSet->FieldText(width);
    std::string text = Lin(absRow).GetText();
    for (int i = 0; i < static_cast<int>(field.size()); ++i) {
        const int col = startCol + i;
        if (col < 0 || col >= kRowLen)
            continue;
        if (static_cast<int>(text.size()) <= col)
            text.resize(static_cast<size_t>(col) + 1, ' ');
        text[static_cast<size_t>(col)] = field[static_cast<size_t>(i)];
    }
    Lin(absRow).SetText(std::move(text));
}

void CDspEdit::OnLButtonDown(const CDspGeometry& geo, int x, int y)
{
    const bool paged = m_host.ListType() != kListOpTxt;
    if (paged && m_page > 1 && geo.InPageUp(x, y)) {
        --m_page;
        RedrawParts(kRedrawCells);
        return;
    }
    if (paged && m_page < LastPage() && geo.InPageDown(x, y)) {
        ++m_page;
        RedrawParts(kRedrawCells);
        return;
    }
    if (geo.InHotChrArea(x, y)) {
        LogLine(kLogDebug, "InHotChrArea");
        Remember();
        m_row = geo.HotRowAt(y);
        m_col = geo.HotColAt(x);
        if (VarOnPos(AbsRow(m_row), m_col)) {
            m_dragVar = m_found;
            m_host.ReportVar(m_found.var);
            m_drag = true;
            m_dragOffset = m_col - m_found.startCol;
            RedrawParts(kRedrawCells);
            return;
        }
        RedrawParts(kRedrawCaret);
        LogLine(kLogDebug, "edit text row=%d, col=%d", m_row, m_col);
        return;
    }
    if (m_row != 0) {
        m_row = 0;
        m_col = 0;
        RedrawParts(kRedrawCells);
    }
}

// One column at a time: each step is a checked move, and the first refused
// one ends the walk with the variable where the last good step put it.
void CDspEdit::DragAlongRow(int r, int c)
{
    const int abs = AbsRow(r);
    const int width = m_dragVar.width;
    const int from = m_col - m_dragOffset;
    const int to = c - m_dragOffset;
    FillVarFrame(abs, from, width, true);
    int at = from;
    while (at != to) {
        const int step = to > at ? 1 : -1;
        if (!Lin(abs).VarMov(at + 1, at + 1 + step, m_dragVar.var, m_dragVar.slot))
            break;
        at += step;
    }
    FillVarFrame(abs, at, width, false);
    if (at == from)
        return;
    MarkModified();
    if (VarOnPos(abs, at + 1)) {
        m_dragVar = m_found;
        m_dragOffset = c - m_found.startCol;
    }
    m_col = at + m_dragOffset;
    LogLine(kLogDebug, "CViewDc:MouseMove: drag var=%s, nOffset=%d, nCol=%d", m_dragVar.var->GetName().c_str(),
            m_dragOffset, m_col);
}

void CDspEdit::DragToRow(int r, int c)
{
    const int absNew = AbsRow(r);
    const int absOld = AbsRow(m_row);
    if (FindVar(absNew, c)) {
        // The drag goes on; the caret stays with the variable it drags.
        LogLine(kLogInfo, "Variable kann nicht hierher verschoben werden.");
        return;
    }
    m_drag = false;
    if (!EnsureRow(absNew))
        return;
    const int oldStart = m_col - m_dragOffset;
    const int newStart = c - m_dragOffset;
    if (Lin(absNew).VarIns(newStart + 1, m_dragVar.var, -1, true)) {
        FillVarFrame(absNew, newStart, m_dragVar.width, false);
        FillVarFrame(absOld, oldStart, m_dragVar.width, true);
        Lin(absOld).VarDel(oldStart + 1, m_dragVar.var, m_dragVar.slot);
        MarkModified();
        const CPrjTxtRow* row = RowObject(absNew);
        m_dragVar.slot = row != nullptr ? row->GetVarCount() - 1 : 0;
        m_dragVar.startCol = newStart;
    }
    m_row = r;
    m_col = c;
}

void CDspEdit::OnMouseMove(const CDspGeometry& geo, int x, int y)
{
    if (!m_drag || m_loaded == nullptr || m_dragVar.var == nullptr)
        return;
    const int r = geo.RowAt(y);
    const int c = geo.ColAt(x);
    const int start = m_col - m_dragOffset;
    const bool acted = r >= 1 && r <= Rows() && (r != m_row || c != m_col) && c - m_dragOffset >= 0 &&
                       c - m_dragOffset + m_dragVar.width <= Cols() && c >= start + 1 &&
                       c <= start + m_dragVar.width && AbsRow(r) <= kRows;
    if (!acted)
        return;
    LogLine(kLogDebug, "CViewDc:MouseMove: drag var=%s, nOffset=%d, nCol=%d", m_dragVar.var->GetName().c_str(),
            m_dragOffset, c);
    if (r == m_row)
        DragAlongRow(r, c);
    else
        DragToRow(r, c);
    RedrawParts(kRedrawCells);
}

void CDspEdit::OnLButtonUp()
{
    if (!m_drag)
        return;
    m_drag = false;
    RedrawParts(kRedrawCells);
}

void CDspEdit::OnDblClk()
{
    m_row = 1;
    m_col = 1;
    RedrawParts(kRedrawCells);
}

void CDspEdit::DrpVar(const CDspGeometry& geo, int varIdx, int x, int y)
{
    const int r = geo.RowAt(y);
    const int c = geo.ColAt(x);
    LogLine(kLogDebug, "CViewDc::DrpVar: trying to drop nDrgCollIdx=%d, nRow=%d, nCol=%d", varIdx, r, c);
    const CPrjData* prj = GetPrjData();
    CPrjVar* var = prj != nullptr && prj->GetVarList() != nullptr ? prj->GetVarList()->VarAt(varIdx) : nullptr;
    if (var == nullptr || m_loaded == nullptr)
        return;
    const int abs = AbsRow(r);
    const int width = var->GetWidth();
    if (r < 1 || r > Rows() || c < 1 || c > Cols() - width + 1 || abs > kRows || FindVar(abs, c)) {
        LogLine(kLogInfo, "Variable kann hier nicht gedropped werden.");
        return;
    }
    if (EnsureRow(abs) && Lin(abs).VarIns(c, var, -1, false)) {
        FillVarFrame(abs, c - 1, width, false);
        LogLine(kLogDebug, "Text=%s, NumVars=%d", Lin(abs).GetText().c_str(), RowObject(abs)->GetVarCount());
        MarkModified();
    } else {
        LogLine(kLogDebug, "CViewDc::DrpVar called CPrjTxtLin::VarIns which failed.");
    }
    RedrawParts(kRedrawCells);
}

void CDspEdit::DrpChr(const CDspGeometry& geo, int code, int x, int y)
{
    const int r = geo.RowAt(y);
    const int c = geo.ColAt(x);
    LogLine(kLogDebug, "trying to drop coll_idx=%d, row=%d, col=%d", code, r, c);
    const int abs = AbsRow(r);
    if (m_loaded == nullptr || r < 1 || r > Rows() || c < 1 || c > Cols() || abs > kRows)
        return;
    // A variable's field is not a character: the drop is refused as typing is.
    if (FindVar(abs, c)) {
        LogLine(kLogDebug, kMsgIllegalChar, code);
        return;
    }
    m_row = 1;
    m_col = 1;
    std::string text = Lin(abs).GetText();
    if (static_cast<int>(text.size()) < c)
        text.resize(static_cast<size_t>(c), ' ');
    text[static_cast<size_t>(c - 1)] = static_cast<char>(code);
    Lin(abs).SetText(std::move(text));
    MarkModified();
    RedrawParts(kRedrawCells);
}

std::vector<DspMenuItem> CDspEdit::MenuItems() const
{
    if (m_loaded == nullptr)
        return {};
    if (m_col <= 0)
        return {{kCmdNewText},  {kCmdEdit}, {0}, {kCmdCopyText}, {kCmdDelText}, {kCmdRenumber}, {0},
                {kCmdNextText}, {kCmdPrevText}};
    const bool onVar = m_row >= 1 && FindVar(AbsRow(m_row), m_col).has_value();
    return {{kCmdInsVar},           {kCmdDelVar, onVar},
            {kCmdInsChr, false},    {0},
            {kCmdCopyRow},          {kCmdInsRow, false},
            {kCmdDelRow, false},    {kCmdCenterRow, false},
            {0},                    {kCmdForm, m_loadedType == kListRcpTxt},
            {0},                    {kCmdNextText},
            {kCmdPrevText}};
}

void CDspEdit::CopyRow()
{
    if (!CaretValid())
        return;
    const int source = AbsRow(m_row);
    const std::optional<int> number = m_host.AskCopyRowNumber();
    if (!number)
        return;
    const int rows = std::clamp(m_host.RowsPerText(), 1, kRows);
    if (*number < 1 || *number > rows) {
        ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 1, rows);
        return;
    }
    // The copy is made of the stored row, so the typing goes there first;
    // afterwards the edit rows are bound anew, the replaced row object gone.
    CPrjNumEntry* text = m_loaded;
    SavTxtRows();
    if (text->GetRowCount() < *number)
        text->SetRowCount(*number);
    const CPrjTxtRow* from = text->GetRow(source);
    text->SetRow(from != nullptr ? from->CloneAs(static_cast<uint8_t>(*number))
                                 : std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(*number), "", nullptr));
    MarkModified();
    for (int n = 1; n <= kRows; ++n) {
        CPrjTxtLin& lin = Lin(n);
        CPrjTxtRow* row = n <= rows ? text->GetRow(n) : nullptr;
        lin.SetStoredRow(row);
        lin.SetText(n <= rows ? DspPadded(row != nullptr ? row->GetText() : std::string()) : std::string());
    }
    RedrawParts(kRedrawCells);
}

void CDspEdit::OnMenuCommand(int id)
{
    switch (id) {
    case kCmdEdit:
        CaretHome();
        break;
    case kCmdCopyText:
        CopyCurTxt();
        break;
    case kCmdDelVar:
        DelAtCaret();
        break;
    case kCmdCopyRow:
        CopyRow();
        break;
    case kCmdNewText:
    case kCmdDelText:
    case kCmdRenumber:
    case kCmdNextText:
    case kCmdPrevText:
    case kCmdInsVar:
    case kCmdInsChr:
    case kCmdForm:
        m_host.RunNavCommand(id);
        break;
    default:
        break;
    }
}

} // namespace orv

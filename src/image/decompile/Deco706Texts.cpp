// Decodes the 706 family numbered texts and their rows through the bounded reader.
#include "image/compile/CompParts.h"
#include "image/decompile/Deco706.h"
#include "image/codec/ImgLayout.h"

#include "model/project/CharSet.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/PrnTxt.h"
#include "model/project/TxtRow.h"

#include <algorithm>
#include <type_traits>
#include <vector>

namespace orv {

using namespace imglayout;

namespace {

constexpr uint32_t kEntryRowCount = 2;     // word
constexpr uint32_t kRowSlots = 2;          // a row's variable slots start here
constexpr uint32_t kRowSlotSize = 6;       // dword reference, word column
constexpr size_t kHexBytesMax = 255;

} // namespace

StepResult CDeco706::AppendField(const CPrjVar& var, bool printer, std::string& text) const
{
    const int width = var.GetWidth();
    if (width == 0)
        return -1;
    if (printer && var.GetType() == 249) {
        const auto* hex = dynamic_cast<const CPrjIntVarHex*>(&var);
        std::string own = hex ? HexPairBytes(hex->GetHexText(), kHexBytesMax) : std::string();
        own.resize(static_cast<size_t>(width), ' ');
        text += own;
    } else if (width == 1) {
        text += static_cast<char>(m_charSet->GetFrameChar(1));
    } else {
        text += static_cast<char>(m_charSet->GetFrameChar(2));
        text.append(static_cast<size_t>(width - 2), static_cast<char>(m_charSet->GetFrameChar(3)));
        text += static_cast<char>(m_charSet->GetFrameChar(4));
    }
    return 1;
}

StepResult CDeco706::ReadRow(uint32_t at, bool printer, std::string& text, CTxtVarSlots& slots)
{
    const size_t columns = printer ? kCPrinterCols : kTextMax;
    uint8_t n = 0;
    uint8_t v = 0;
    if (ReadByte(at, n) != 1 || ReadByte(at + 1, v) != 1)
        return -1;
    // A row has eight variable slots.
    if (v > CTxtVarSlots::kCount)
        return -1;
    struct Field {
        CPrjVar* var;
        uint16_t col;
    };
    std::vector<Field> fields;
    for (uint32_t i = 0; i < v; ++i) {
        uint32_t ref = 0;
        uint16_t col = 0;
        const uint32_t slot = at + kRowSlots + kRowSlotSize * i;
        if (ReadDWord(slot, ref) != 1 || ReadWord(slot + 4, col) != 1)
            return -1;
        CPrjVar* var = m_prj->GetVarList()->FindByRef(ref);
        if (var == nullptr && printer && m_prj->GetFwVarList() != nullptr)
            var = m_prj->GetFwVarList()->FindByRef(ref);
        if (var == nullptr)
            return -1;
        fields.push_back({var, col});
    }
    const auto length = static_cast<uint16_t>(std::min<size_t>(n, columns));
    uint8_t bytes[256];
    if (ReadBlock(at + kRowSlots + kRowSlotSize * v, bytes, length) != 1)
        return -1;
    const std::string chars =
        printer ? std::string(reinterpret_cast<const char*>(bytes), length) : PanelText(bytes, length);
    text.clear();
    size_t next = 0;
    size_t taken = 0;
    int slot = 0;
    while (text.size() < columns) {
        if (next < fields.size() && fields[next].col < text.size())
            return -1;  // a field inside the one before
        if (next < fields.size() && fields[next].col == text.size()) {
            const CPrjVar& var = *fields[next].var;
            if (text.size() + var.GetWidth() > columns)
                break;
            if (AppendField(var, printer, text) != 1)
                return -1;
            slots.SetVar(slot, fields[next].var);
            slots.SetCol(slot++, static_cast<uint8_t>(fields[next].col));
            ++next;
        } else if (taken < chars.size()) {
            text += chars[taken++];
        } else if (next < fields.size()) {
            // The row's text was cut before a field: blanks up to it.
            text += ' ';
        } else {
            break;
        }
    }
    return 1;
}

template <class Entry>
StepResult CDeco706::ReadRows(Entry& entry, uint32_t at, const ListLayout& layout)
{
    using Row = std::remove_pointer_t<decltype(entry.GetRow(1))>;
    uint16_t count = 0;
    if (ReadWord(at + kEntryRowCount, count) != 1)
        return -1;
    const int rows = std::min<int>(count, Entry::kMaxRows);
    entry.SetRowCount(rows);
    for (int r = 1; r <= rows; ++r) {
        uint32_t rowAt = 0;
        if (ReadPointer(at + 4 * static_cast<uint32_t>(r), rowAt) != 1)
            return -1;
        if (rowAt == 0)
            continue;
        std::string text;
        CTxtVarSlots slots;
        if (ReadRow(rowAt, layout.printer, text, slots) != 1)
            return -1;
        if (entry.SetRow(std::make_unique<Row>(static_cast<uint8_t>(r), text, &slots)) != nullptr)
            Count(layout.rows);
    }
    return 1;
}

template <class Entry, class Make, class Insert>
StepResult CDeco706::DecodeList(const CColl* list, const ListLayout& layout, Make make, Insert insert)
{
    auto decode = [&](int32_t num, uint32_t at, uint16_t lowest, uint16_t highest) {
        uint16_t attr = 0;
        if (ReadWord(at, attr) != 1)
            return -1;
        std::unique_ptr<Entry> entry = make(num, lowest, highest, attr);
        if (ReadRows(*entry, at, layout) != 1)
            return -1;
        const int index = insert(entry.get());
        if (Taken(list, index, entry) != 1)
            return -1;
        Count(layout.texts);
        return 1;
    };
    return ForEachListEntry(layout.headerSlot, list != nullptr, decode);
}

StepResult CDeco706::DecodeOpTexts()
{
    return DecodeList<CPrjOpTxt>(
        m_prj->GetOpTxtList(), {kCOpTxts, DecoKind::OpTexts, DecoKind::OpRows, false},
        [](int32_t num, uint16_t lo, uint16_t hi, uint16_t) -> std::unique_ptr<CPrjOpTxt> {
            if (num < 0)
                return std::make_unique<CPrjOpTxtRange>(lo, hi);
            return std::make_unique<CPrjOpTxt>(num);
        },
        [this](CPrjOpTxt* e) { return m_prj->InsOpTxt(e); });
}

StepResult CDeco706::DecodeMsgTexts()
{
    return DecodeList<CMsgTxt>(
        m_prj->GetMsgTxtList(), {kCMsgTxts, DecoKind::MsgTexts, DecoKind::MsgRows, false},
        [](int32_t num, uint16_t lo, uint16_t hi, uint16_t attr) -> std::unique_ptr<CMsgTxt> {
            const MsgAttrWord::Decoded a = MsgAttrWord::Decode(attr);
            const uint8_t alarm = a.alarm ? 1 : 0;
            if (num < 0)
                return std::make_unique<CMsgTxtRange>(lo, hi, a.prio, a.delMode, alarm);
            return std::make_unique<CMsgTxt>(num, a.prio, a.delMode, alarm);
        },
        [this](CMsgTxt* e) { return m_prj->InsMsgTxt(e); });
}

StepResult CDeco706::DecodeHistTexts()
{
    return DecodeList<CHistTxt>(
        m_prj->GetHistTxtList(), {kCHistTxts, DecoKind::HistTexts, DecoKind::HistRows, false},
        [](int32_t num, uint16_t lo, uint16_t hi, uint16_t) -> std::unique_ptr<CHistTxt> {
            if (num < 0)
                return std::make_unique<CHistTxtRange>(lo, hi);
            return std::make_unique<CHistTxt>(num);
        },
        [this](CHistTxt* e) { return m_prj->InsHistTxt(e); });
}

StepResult CDeco706::DecodeHlpTexts()
{
    for (int kind = 0; kind < kCHlpLists; ++kind) {
        const int done = DecodeList<CKindTxt>(
            m_prj->GetHlpTxtList(kind), {CHlpTxtSlot(kind), DecoKind::HlpTexts, DecoKind::HlpRows, false},
            [](int32_t num, uint16_t, uint16_t, uint16_t) -> std::unique_ptr<CKindTxt> {
                if (num < 0)
                    return std::make_unique<CKindTxtRange>(0, kCHelpHigh);
                return std::make_unique<CKindTxt>(num);
            },
            [this, kind](CKindTxt* e) { return m_prj->InsHlpTxt(kind, e); });
        if (done != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco706::DecodeOpPrnTexts()
{
    return DecodeList<COpPrnTxt>(
        m_prj->GetOpPrnTxtList(), {kCOpPrnTxts, DecoKind::PrnTexts, DecoKind::PrnTexts, true},
        [](int32_t num, uint16_t lo, uint16_t hi, uint16_t) -> std::unique_ptr<COpPrnTxt> {
            if (num < 0)
                return std::make_unique<COpPrnTxtRange>(lo, hi);
            return std::make_unique<COpPrnTxt>(num);
        },
        [this](COpPrnTxt* e) { return m_prj->InsOpPrnTxt(e); });
}

StepResult CDeco706::DecodeMsgPrnTexts()
{
    return DecodeList<CMsgPrnTxt>(
        m_prj->GetMsgPrnTxtList(), {kCMsgPrnTxts, DecoKind::PrnTexts, DecoKind::PrnRows, true},
        [](int32_t num, uint16_t lo, uint16_t hi, uint16_t attr) -> std::unique_ptr<CMsgPrnTxt> {
            const auto value = static_cast<uint8_t>(attr);
            if (num < 0)
                return std::make_unique<CMsgPrnTxtRange>(lo, hi, value);
            return std::make_unique<CMsgPrnTxt>(num, value);
        },
        [this](CMsgPrnTxt* e) { return m_prj->InsMsgPrnTxt(e); });
}

} // namespace orv

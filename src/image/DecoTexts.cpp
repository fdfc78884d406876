#include "image/Deco043.h"
#include "image/ImgLayout.h"

#include "model/CharSet.h"
#include "model/MsgTxt.h"
#include "model/OpTxt.h"
#include "model/PrjData.h"
#include "model/PrjVar.h"
#include "model/PrjVarList.h"
#include "model/TxtRow.h"

namespace {

constexpr int kTexts = imglayout::kATextNumMax + 1;
constexpr size_t kColumns = imglayout::kTextMax;
constexpr int kHelpKinds = 5;

} // namespace

uint8_t CDeco043::PanelChar(uint8_t byte) const
{
    return m_charSet->ToPanelChar(byte, 0);
}

int CDeco043::ReadRow(uint32_t at, uint8_t num, std::unique_ptr<CPrjTxtRow>& row, uint32_t& next)
{
    uint8_t len = 0;
    uint8_t bytes[255];
    if (ReadByte(at, len) != 1 || ReadBlock(at + 1, bytes, len) != 1)
        return -1;
    next = at + 1 + len;
    std::string text;
    CTxtVarSlots slots;
    const bool emptyRow = len == 0 || (len == 1 && bytes[0] == ' ');
    const bool variant = m_prj->GetVariant() != 0;
    int slot = 0;
    for (int i = 0; !emptyRow && i < len;) {
        const uint8_t b = bytes[i];
        if (b == 0) {
            if (i + 2 >= len)
                return -1;
            const uint32_t ref = static_cast<uint32_t>(bytes[i + 1] << 8 | bytes[i + 2]);
            CPrjVar* var = m_prj->GetVarList()->FindByRef(ref);
            if (var == nullptr || var->GetWidth() == 0 || slot >= CTxtVarSlots::kCount)
                return -1;
            if (text.size() < kColumns) {
                slots.SetVar(slot, var);
                slots.SetCol(slot, static_cast<uint8_t>(text.size()));
            }
            ++slot;
            const int width = var->GetWidth();
            if (width == 1) {
                text += static_cast<char>(m_charSet->GetFrameChar(1));
            } else {
                text += static_cast<char>(m_charSet->GetFrameChar(2));
                text.append(static_cast<size_t>(width - 2), static_cast<char>(m_charSet->GetFrameChar(3)));
                text += static_cast<char>(m_charSet->GetFrameChar(4));
            }
            i += 3;
        } else if (const int blanks = imglayout::BlankRun::Decode(b, variant)) {
            text.append(static_cast<size_t>(blanks), ' ');
            ++i;
        } else {
            text += static_cast<char>(PanelChar(b));
            ++i;
        }
        if (text.size() > kColumns)
            text.resize(kColumns);
    }
    row = std::make_unique<CPrjTxtRow>(num, text, &slots);
    return 1;
}

int CDeco043::ReadEntryRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind)
{
    uint8_t count = 0;
    if (ReadByte(at, count) != 1)
        return -1;
    entry.SetRowCount(count);
    uint32_t pos = at + 1;
    for (int r = 1; r <= count && pos < RowLimit(); ++r) {
        std::unique_ptr<CPrjTxtRow> row;
        if (ReadRow(pos, static_cast<uint8_t>(r), row, pos) != 1)
            return -1;
        if (entry.SetRow(std::move(row)) != nullptr)
            Count(rowKind);
    }
    return 1;
}

int CDeco043::DecodeOpTexts()
{
    for (int n = 0; n < kTexts; ++n) {
        uint16_t at = 0;
        if (ReadWord(imglayout::AOpTxtSlot(n), at) != 1)
            return -1;
        if (at == 0)
            continue;
        auto text = std::make_unique<CPrjOpTxt>(n);
        if (ReadEntryRows(*text, at, DecoKind::OpRows) != 1)
            return -1;
        const int index = m_prj->InsOpTxt(text.get());
        if (Taken(m_prj->GetOpTxtList(), index, text) != 1)
            return -1;
        Count(DecoKind::OpTexts);
    }
    return 1;
}

int CDeco043::DecodeMsgTexts()
{
    for (int n = 0; n < kTexts; ++n) {
        uint16_t at = 0;
        uint8_t kind = 0;
        if (ReadWord(imglayout::AMsgTxtSlot(n), at) != 1 || ReadByte(imglayout::AMsgAttrSlot(n), kind) != 1)
            return -1;
        if (at == 0)
            continue;
        const auto attr = imglayout::MsgAttrByte::Decode(kind);
        auto text = std::make_unique<CMsgTxt>(n, attr.prio, attr.delMode, 0);
        if (ReadEntryRows(*text, at, DecoKind::MsgRows) != 1)
            return -1;
        const int index = m_prj->InsMsgTxt(text.get());
        if (Taken(m_prj->GetMsgTxtList(), index, text) != 1)
            return -1;
        Count(DecoKind::MsgTexts);
    }
    return 1;
}

int CDeco043::DecodeHelpTexts()
{
    for (int kind = 0; kind < kHelpKinds; ++kind) {
        uint16_t at = 0;
        if (ReadWord(imglayout::AHlpSlot(kind), at) != 1)
            return -1;
        if (at == 0)
            continue;
        auto text = std::make_unique<CKindTxtRange>(0, 0xFFFF);
        if (ReadEntryRows(*text, at, DecoKind::HlpRows) != 1)
            return -1;
        const int index = m_prj->InsHlpTxt(kind, text.get());
        if (Taken(m_prj->GetHlpTxtList(kind), index, text) != 1)
            return -1;
        Count(DecoKind::HlpTexts);
    }
    return 1;
}

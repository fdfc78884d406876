// Decodes the 043 and 118 family numbered texts, help texts and rows.
#include "image/decompile/Deco043_118.h"
#include "image/codec/ImgLayout.h"

#include "model/project/CharSet.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/TxtRow.h"

#include <array>

namespace orv {

namespace {

constexpr int kTexts = imglayout::kATextNumMax + 1;
constexpr size_t kColumns = imglayout::kTextMax;
constexpr int kAHelpKinds = 5;
// The help kinds of the six 118 family help slots; kind 5 shares the slot of
// kind 4.
constexpr std::array<int, 6> kBHelpKinds = {0, 1, 2, 3, 4, 6};

} // namespace

StepResult CDeco043_118::ReadRow(uint32_t at, uint8_t num, std::unique_ptr<CPrjTxtRow>& row, uint32_t& next, CPrjRcpTxt* recipe)
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
            uint16_t ref = 0;
            if (!imglayout::RowVarRef::Decode(BeReader(bytes, len), static_cast<uint64_t>(i), ref))
                return -1;
            CPrjVar* var = m_prj->GetVarList()->FindByRef(ref);
            if (var == nullptr || var->GetWidth() == 0 || slot >= CTxtVarSlots::kCount)
                return -1;
            if (text.size() < kColumns) {
                slots.SetVar(slot, var);
                slots.SetCol(slot, static_cast<uint8_t>(text.size()));
            }
            ++slot;
            if (recipe != nullptr && !var->IsInternal())
                recipe->GetValList().InsertPair(var, recipe->GetValList().GetCount());
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

StepResult CDeco043_118::ReadEntryRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind)
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

StepResult CDeco043_118::ReadTableRows(CPrjNumEntry& entry, uint32_t at, DecoKind rowKind)
{
    uint8_t count = 0;
    if (ReadByte(at + 1, count) != 1)
        return -1;
    entry.SetRowCount(count);
    auto* recipe = dynamic_cast<CPrjRcpTxt*>(&entry);
    for (int r = 1; r <= count; ++r) {
        uint16_t rowAt = 0;
        if (ReadWord(at + 2u * static_cast<uint32_t>(r), rowAt) != 1)
            return -1;
        if (rowAt == 0)
            continue;
        std::unique_ptr<CPrjTxtRow> row;
        uint32_t next = 0;
        if (ReadRow(rowAt, static_cast<uint8_t>(r), row, next, recipe) != 1)
            return -1;
        if (entry.SetRow(std::move(row)) != nullptr)
            Count(rowKind);
    }
    return 1;
}

template <class Make, class MakeRange, class Insert>
StepResult CDeco043_118::DecodeBList(uint32_t slot, DecoKind textKind, DecoKind rowKind, Make make, MakeRange makeRange,
                         Insert insert)
{
    uint16_t h = 0;
    if (ReadWord(slot, h) != 1)
        return -1;
    if (h == 0)
        return 1;
    uint16_t range = 0;
    uint16_t lowest = 0;
    uint16_t highest = 0;
    uint16_t places = 0;
    if (ReadWord(h + imglayout::kBListRange, range) != 1 || ReadWord(h + imglayout::kBListRangeLo, lowest) != 1 ||
        ReadWord(h + imglayout::kBListRangeHi, highest) != 1 || ReadWord(h + imglayout::kBListCount, places) != 1)
        return -1;
    auto adopt = [&](auto entry, uint32_t at) {
        if (ReadTableRows(*entry, at, rowKind) != 1 || insert(entry) != 1)
            return -1;
        Count(textKind);
        return 1;
    };
    if (range != 0) {
        auto entry = makeRange(lowest, highest);
        if (entry && adopt(std::move(entry), range) != 1)
            return -1;
    }
    for (int i = 0; i < places; ++i) {
        uint16_t at = 0;
        if (ReadWord(imglayout::BListEntry(h, i), at) != 1)
            return -1;
        if (at == 0)
            continue;
        uint8_t kind = 0;
        if (ReadByte(at, kind) != 1 || adopt(make(i, kind), at) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco043_118::DecodeOpTexts()
{
    if (!m_is118Family)
        return DecodeAOpTexts();
    return DecodeBList(
        imglayout::kBOpTable, DecoKind::OpTexts, DecoKind::OpRows,
        [](int32_t n, uint8_t) { return std::make_unique<CPrjOpTxt>(n); },
        [](uint16_t lo, uint16_t hi) { return std::make_unique<CPrjOpTxtRange>(lo, hi); },
        [this](auto& entry) { return Taken(m_prj->GetOpTxtList(), m_prj->InsOpTxt(entry.get()), entry); });
}

StepResult CDeco043_118::DecodeMsgTexts()
{
    if (!m_is118Family)
        return DecodeAMsgTexts();
    return DecodeBList(
        imglayout::kBMsgTable, DecoKind::MsgTexts, DecoKind::MsgRows,
        [](int32_t n, uint8_t kind) {
            const auto attr = imglayout::MsgAttrByte::Decode(kind);
            return std::make_unique<CMsgTxt>(n, attr.prio, attr.delMode, 0);
        },
        [](uint16_t, uint16_t) { return std::unique_ptr<CMsgTxt>(); },
        [this](auto& entry) { return Taken(m_prj->GetMsgTxtList(), m_prj->InsMsgTxt(entry.get()), entry); });
}

StepResult CDeco043_118::DecodeRcpTexts()
{
    CPrjRcpTxtList* list = m_prj->GetRcpTxtList();
    return DecodeBList(
        imglayout::kBRcpTable, DecoKind::RcpTexts, DecoKind::RcpRows,
        [](int32_t n, uint8_t) { return std::make_unique<CPrjRcpTxt>(n); },
        [](uint16_t, uint16_t) { return std::unique_ptr<CPrjRcpTxt>(); },
        [list](auto& entry) { return Taken(list, list ? list->Insert(entry.get()) : -1, entry); });
}

StepResult CDeco043_118::DecodeHelpTexts()
{
    if (!m_is118Family)
        return DecodeAHelpTexts();
    for (size_t k = 0; k < kBHelpKinds.size(); ++k) {
        const int kind = kBHelpKinds[k];
        const int result = DecodeBList(
            imglayout::BHlpSlot(kind), DecoKind::HlpTexts, DecoKind::HlpRows,
            [](int32_t n, uint8_t) { return std::make_unique<CKindTxt>(n); },
            [](uint16_t lo, uint16_t hi) { return std::make_unique<CKindTxtRange>(lo, hi); },
            [this, kind](auto& entry) {
                return Taken(m_prj->GetHlpTxtList(kind), m_prj->InsHlpTxt(kind, entry.get()), entry);
            });
        if (result != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco043_118::DecodeAOpTexts()
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

StepResult CDeco043_118::DecodeAMsgTexts()
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

StepResult CDeco043_118::DecodeAHelpTexts()
{
    for (int kind = 0; kind < kAHelpKinds; ++kind) {
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

} // namespace orv

// The default content of a new 706 project besides its variables: the user
// characters of the panel font and the history text template.

#include "model/project/CharDef.h"
#include "model/project/CharSet.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "model/project/TxtRow.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace orv {

namespace {

constexpr int kFirstUserChar = 128;
constexpr int kLastUserChar = 255;
// The 706 font keeps code c's eight row bytes at 1024 + (c - 128) * 8.
constexpr size_t kUserCharsAt = 1024;
constexpr size_t kHistCols = 40;

struct HistRowDef {
    const char* text;
    const char* varName;
};

// Number, came, went, acknowledged, and the two text variables.
constexpr HistRowDef kHistRows[] = {
    {"     Historytext Nr. ", "[Z008]"}, {"      gekommen am/um ", "[Z009]"},
    {"      gegangen am/um ", "[Z010]"}, {"     quittiert am/um ", "[Z011]"},
    {"", "[Z033]"},                      {"", "[Z034]"},
};

} // namespace

void CPrjData::MakeDefChars()
{
    const CCharSet* charSet = m_owner ? m_owner->charSet : nullptr;
    const uint8_t* font = charSet ? charSet->GetFontBuffer(CharGroup::F706) : nullptr;
    const int rows = std::min(GetCharRows(), CCharDef::kRows);
    for (int code = kFirstUserChar; code <= kLastUserChar; ++code) {
        CCharDef::Rows bits{};
        const size_t entry = kUserCharsAt + static_cast<size_t>(code - kFirstUserChar) * CCharDef::kRows;
        for (int row = 0; font && row < rows; ++row)
            bits[static_cast<size_t>(row)] = font[entry + static_cast<size_t>(row)];
        m_charDefs->Adopt(std::make_unique<CCharDef>(static_cast<uint8_t>(code), bits));
    }
}

void CPrjData::MakeSysHistTxt()
{
    if (!m_owner || !m_owner->charSet || !m_histTxts || !m_vars)
        return;
    auto entry = std::make_unique<CHistTxtRange>(0, GetSysHistTxtNr());
    entry->SetRowCount(static_cast<int>(std::size(kHistRows)));
    uint8_t num = 1;
    for (const HistRowDef& def : kHistRows)
        entry->SetRow(MakeHistRow(num++, def.text, def.varName));
    m_histTxts->Adopt(std::move(entry));
}

std::unique_ptr<CPrjTxtRow> CPrjData::MakeHistRow(uint8_t row, std::string_view text, const char* varName) const
{
    std::string line(text.substr(0, kHistCols));
    CTxtVarSlots slots;
    CPrjVar* var = m_vars ? m_vars->FindByName(varName) : nullptr;
    const CCharSet* charSet = m_owner ? m_owner->charSet : nullptr;
    const size_t width = var ? var->GetWidth() : 0;
    // A field that does not fit would stand beyond the row's end.
    if (charSet && width > 0 && line.size() + width <= kHistCols) {
        slots.SetVar(0, var);
        slots.SetCol(0, static_cast<uint8_t>(line.size()));
        line += charSet->FieldText(static_cast<int>(width));
    }
    return std::make_unique<CPrjTxtRow>(row, line, &slots);
}

} // namespace orv

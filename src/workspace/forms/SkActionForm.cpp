// Edits one softkey action: every row is checked before the first is stored,
// so that a refused OK leaves the action as it was.
#include "workspace/forms/SkActionForm.h"

#include "model/core/CheckedFormat.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"

#include <cstdint>

namespace orv {

namespace {

constexpr int kAdrMin = 4;
constexpr int kAdrMax = 255;

struct SkOperation {
    uint16_t code = 0;
    uint16_t adr = 0;
    uint16_t value = 0;
    uint16_t format = 0;
};

bool SameOperation(const CPrjSkAct& act, int i, const SkOperation& op)
{
    return act.GetOp(i) == op.code && act.GetAdr(i) == op.adr && act.GetValue(i) == op.value &&
           act.GetFormat(i) == op.format;
}

} // namespace

CDlgSkActionForm::CDlgSkActionForm(CPrjSkAct& act, CPrjData* prj) : m_act(act), m_prj(prj)
{
    if (const char* name = act.GetName())
        m_comment = name;
    for (int i = 0; i < kRows; ++i) {
        Row& row = m_rows[static_cast<size_t>(i)];
        row.cmd = act.GetOp(i);
        row.adr = FormatText("%u", static_cast<unsigned>(act.GetAdr(i)));
        row.fmt = IndexOfFormat(act.GetFormat(i));
        row.value = FormatValue(FmtOfIndex(row.fmt), act.GetValue(i));
        LogLine(2, "Op=%d, FmtInt=%d, FmtExt=%d", i, row.fmt, act.GetFormat(i));
    }
}

ValueFmt CDlgSkActionForm::FmtOfIndex(int fmtIdx)
{
    switch (fmtIdx) {
    case 1:
        return ValueFmt::Hex;
    case 2:
        return ValueFmt::Bin;
    default:
        return ValueFmt::Dec;
    }
}

int CDlgSkActionForm::IndexOfFormat(unsigned format)
{
    if (format == CPrjSkAct::kFmtNone)
        return 2;
    if (format <= CPrjSkAct::kFmtBin)
        return static_cast<int>(format) - 1;
    return 0;
}

void CDlgSkActionForm::SetFormat(int i, int fmt)
{
    Row& row = m_rows.at(static_cast<size_t>(i));
    if (fmt == row.fmt || fmt < 0 || fmt > 2)
        return;
    LogLine(2, "format change");
    row.value = ConvertValueText(FmtOfIndex(row.fmt), FmtOfIndex(fmt), row.value);
    row.fmt = fmt;
}

int CDlgSkActionForm::Ok()
{
    std::array<SkOperation, kRows> ops{};
    for (int i = 0; i < kRows; ++i) {
        const Row& row = m_rows[static_cast<size_t>(i)];
        const int base = kIdRowBase + kRowStep * i;
        SkOperation& op = ops[static_cast<size_t>(i)];
        op.code = static_cast<uint16_t>(row.cmd);
        if (row.cmd > 0) {
            // An address that does not read is no address at all.
            const int adr = ReadValue(ValueFmt::Dec, row.adr).value_or(kAdrMin - 1);
            if (adr < kAdrMin) {
                ShowMessageText("Adr muss >= 4 sein");
                return base + kCtlAdr;
            }
            if (adr > kAdrMax) {
                ShowMessageText("Adr muss <= 255 sein");
                return base + kCtlAdr;
            }
            op.adr = static_cast<uint16_t>(adr);
        }
        const std::optional<int> value = ReadValue(FmtOfIndex(row.fmt), row.value);
        if (!value) {
            ShowMessage(kMsgInputRange, kWordValueMin, kWordValueMax);
            return base + kCtlValue;
        }
        if (*value < kWordValueMin) {
            ShowMessageText("Wert muss >= 0 sein");
            return base + kCtlValue;
        }
        if (*value > kWordValueMax) {
            ShowMessageText("Wert muss <= 65535 sein");
            return base + kCtlValue;
        }
        op.value = static_cast<uint16_t>(*value);
        op.format = static_cast<uint16_t>(row.fmt + 1);
    }

    bool changed = false;
    const std::string comment = m_comment.substr(0, kCommentMax);
    const char* oldName = m_act.GetName();
    if (comment != (oldName != nullptr ? oldName : "")) {
        m_act.SetName(comment.c_str());
        changed = true;
    }
    for (int i = 0; i < kRows; ++i) {
        const SkOperation& op = ops[static_cast<size_t>(i)];
        // A row at "kein" before and after is never written out, whatever
        // its fields hold.
        const bool inUse = m_act.IsOpUsed(i) != 0 || op.code != CPrjSkAct::kOpNone;
        changed = changed || (inUse && !SameOperation(m_act, i, op));
        m_act.SetOperation(i, op.code, op.adr, op.value, op.format);
        LogLine(2, "Op=%d, FmtExt=%d, getFormat=%d, Val=%d, getWert=%d", i, op.format, m_act.GetFormat(i), op.value,
                m_act.GetValue(i));
    }
    if (changed && m_prj != nullptr)
        m_prj->SetModified(true);
    return 0;
}

} // namespace orv

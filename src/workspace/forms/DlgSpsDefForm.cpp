// The PLC definitions of a multi-access bus, edited in place in the driver
// configuration; every refusal leaves the definitions as they were.
#include "workspace/forms/DlgSpsDefForm.h"

#include "model/core/CatalogueIds.h"
#include "model/core/CheckedFormat.h"
#include "model/core/LangStrings.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvTab.h"
#include "model/project/SpsDef.h"
#include "workspace/forms/EditNumber.h"

#include <memory>

namespace orv {

namespace {

size_t SpsDefEditSlot(int id)
{
    return id == CDlgSpsDefForm::kAdr ? 0 : id == CDlgSpsDefForm::kSlot ? 1 : 2;
}

} // namespace

std::string CDlgSpsDefForm::LineOf(const CSpsDef& def)
{
    return FormatText("%s%d %d %d %d", LoadLangString(msg::kSPS), def.GetNum(), def.GetAdr(), def.GetSlot(),
                      def.GetRack());
}

void CDlgSpsDefForm::SetCurEntry(const CDrvTabEntry5* entry)
{
    m_entryPlc = entry != nullptr ? std::optional<uint8_t>(entry->GetByte()) : std::nullopt;
}

CSpsDefList* CDlgSpsDefForm::Defs() const
{
    return m_cfg != nullptr ? m_cfg->GetParItems3() : nullptr;
}

CSpsDef* CDlgSpsDefForm::SelectedDef() const
{
    CSpsDefList* defs = Defs();
    return defs != nullptr && m_sel >= 0 && m_sel < defs->GetCount() ? defs->ItemAt(m_sel) : nullptr;
}

const std::string& CDlgSpsDefForm::EditText(int id) const
{
    return m_edits[SpsDefEditSlot(id)];
}

void CDlgSpsDefForm::SetEditText(int id, std::string text)
{
    EditRef(id) = std::move(text);
}

std::string& CDlgSpsDefForm::EditRef(int id)
{
    return m_edits[SpsDefEditSlot(id)];
}

void CDlgSpsDefForm::ShowDef(const CSpsDef& def)
{
    EditRef(kAdr) = std::to_string(def.GetAdr());
    EditRef(kSlot) = std::to_string(def.GetSlot());
    EditRef(kRack) = std::to_string(def.GetRack());
}

void CDlgSpsDefForm::FillLines()
{
    m_lines.clear();
    if (CSpsDefList* defs = Defs())
        for (int i = 0; i < defs->GetCount(); ++i)
            m_lines.push_back(LineOf(*defs->ItemAt(i)));
}

void CDlgSpsDefForm::Open(CDrvCfg* cfg)
{
    m_cfg = cfg;
    m_edits = {};
    m_focus = 0;
    m_newShown = true;
    m_deleteShown = true;
    CSpsDefList* defs = Defs();
    if (defs != nullptr && m_entryPlc.has_value()) {
        if (const CSpsDef* def = defs->FindByNum(*m_entryPlc)) {
            ShowDef(*def);
            m_focus = kAdr;
        }
    }
    FillLines();
    m_sel = m_lines.empty() ? -1 : 0;
}

void CDlgSpsDefForm::OnSelect(int line)
{
    m_focus = 0;
    if (line < 0 || line >= static_cast<int>(m_lines.size()))
        return;
    m_sel = line;
    if (const CSpsDef* def = SelectedDef())
        ShowDef(*def);
}

std::optional<uint16_t> CDlgSpsDefForm::ReadEdit(int id, long max)
{
    const std::optional<long> value = ParseEditNumber(EditText(id));
    if (value && *value >= 0 && *value <= max)
        return static_cast<uint16_t>(*value);
    ShowMessage(msg::kEingabewertMussZwischenUndLiegen, 0, static_cast<int>(max));
    m_focus = id;
    return std::nullopt;
}

void CDlgSpsDefForm::OnTake()
{
    m_focus = 0;
    CSpsDef* def = SelectedDef();
    if (def == nullptr)
        return;
    const auto adr = ReadEdit(kAdr, kMaxAdr);
    if (!adr)
        return;
    const auto slot = ReadEdit(kSlot, kMaxSlot);
    if (!slot)
        return;
    const auto rack = ReadEdit(kRack, kMaxSlot);
    if (!rack)
        return;
    if (*adr != def->GetAdr() || *slot != def->GetSlot() || *rack != def->GetRack()) {
        // The selected definition may keep its own address while its slot or
        // rack changes.
        const CSpsDefList& defs = *Defs();
        for (int i = 0; i < defs.GetCount(); ++i) {
            const CSpsDef* other = defs.ItemAt(i);
            if (other != def && other->GetAdr() == *adr) {
                ShowMessage(msg::kEintragMitGleicherAdresseIst_16408, other->GetName() != nullptr ? other->GetName() : "");
                m_focus = kAdr;
                return;
            }
        }
        def->Assign(CSpsDef(def->GetNum(), *adr, *slot, *rack, def->GetName()));
        m_cfg->SetModified(true);
    }
    m_lines[static_cast<size_t>(m_sel)] = LineOf(*def);
}

void CDlgSpsDefForm::OnNew()
{
    m_focus = 0;
    CSpsDefList* defs = Defs();
    if (defs == nullptr)
        return;
    const int num = defs->FirstFreeNum();
    if (num != 0) {
        if (const CSpsDef* zero = defs->FindByAdr(0)) {
            ShowMessage(msg::kEintragMitGleicherAdresseIst_16404);
            m_sel = defs->IndexOf(zero);
        } else {
            auto def = std::make_unique<CSpsDef>(static_cast<uint8_t>(num), 0, 0, 0, nullptr);
            const std::string name = LineOf(*def);
            def = std::make_unique<CSpsDef>(static_cast<uint8_t>(num), 0, 0, 0, name.c_str());
            CSpsDef* added = def.get();
            if (m_cfg->AddParItem3(def.release())) {
                m_cfg->SetModified(true);
                FillLines();
                m_sel = defs->IndexOf(added);
            }
        }
    }
    m_newShown = defs->GetCount() <= CSpsDefList::kMaxPlcs - 1 && defs->FirstFreeNum() != 0;
    m_deleteShown = defs->GetCount() > 1;
    m_focus = kAdr;
}

void CDlgSpsDefForm::OnDelete()
{
    m_focus = 0;
    CSpsDef* def = SelectedDef();
    if (def == nullptr)
        return;
    if (m_cfg->FindParItem(def->GetNum()) != nullptr) {
        ShowMessage(msg::kSteuerungWirdInDerQuerverweisliste);
        return;
    }
    CSpsDefList& defs = *Defs();
    if (defs.GetCount() < 2) {
        ShowMessage(msg::kKannNichtGeloeschtWerdenEs);
        return;
    }
    defs.Delete(def);
    m_cfg->SetModified(true);
    FillLines();
    m_newShown = true;
    m_deleteShown = defs.GetCount() > 1;
    m_sel = m_lines.empty() ? -1 : 0;
}

} // namespace orv

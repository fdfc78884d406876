// PLC parameters of a project; area names and headers come from the catalogues
// by named id.
#include "model/project/SpsPar.h"

#include <cstdarg>
#include <cstdio>

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"

namespace orv {

namespace {

// Catalogue numbers of the area names.
enum : uint16_t {
    kArray = 1143, kAdresse, kDW, kDBW, kDxW, kMB, kMW, kWM, kABx, kWort,
    kDM, kFE, kCounter, kD, kP, kPW, kPD, kR, kRW, kVW,
};
// Catalogue numbers of the bit headers, named by their bit order.
enum : uint16_t {
    k15_8_7_0 = 1164, k7_0_7_0, k8_1_8_1, k16_9_8_1, k0_7_8_15, k7_0_15_8,
};

using Form = CSpsPar::AdrForm;

struct SpsType {
    uint16_t key;     // constant-string number of the configuration key
    uint16_t area;    // caption 0
    uint16_t header;  // caption 2
    uint8_t digits;
    bool countsBytes;
    Form form;
};

constexpr SpsType kTypes[CSpsPar::kTypeCount] = {
    {158, kMW, k7_0_7_0, 3, true, Form::BitSpan},                 // 0  ABB CS31 ARCNET
    {159, kMW, k7_0_7_0, 2, true, Form::BitPair},                 // 1  ABB CS31
    {160, kPD, k15_8_7_0, 3, false, Form::Digits},                // 2
    {161, kMW, k15_8_7_0, 2, false, Form::BitDot},                // 3
    {162, kMW, k15_8_7_0, 2, false, Form::BitDot},                // 4
    {163, kABx, k8_1_8_1, 3, true, Form::ByteSpan3},              // 5
    {165, kMW, k16_9_8_1, 5, false, Form::Digits},                // 6
    {164, kMW, k16_9_8_1, 4, false, Form::Digits},                // 7
    {166, kR, k16_9_8_1, 5, false, Form::Digits},                 // 8
    {167, kWort, k15_8_7_0, 3, false, Form::Digits},              // 9
    {169, kCounter, k7_0_7_0, 4, true, Form::ByteSpan4},          // 10
    {170, kDxW, k15_8_7_0, 3, false, Form::Digits},               // 11
    {171, kWort, k15_8_7_0, 5, false, Form::Digits},              // 12
    {172, kWort, k15_8_7_0, 5, false, Form::Digits},              // 13
    {173, kWort, k15_8_7_0, 3, false, Form::Digits},              // 14
    {174, kMW, k7_0_7_0, 4, true, Form::ByteSpan4},               // 15
    {175, kDW, k15_8_7_0, 3, false, Form::Digits},                // 16
    {176, kFE, k15_8_7_0, 4, false, Form::Digits},                // 17
    {177, kMB, k7_0_7_0, 3, true, Form::ByteSpan3},               // 18
    {178, kWort, k16_9_8_1, 4, false, Form::Digits},              // 19
    {179, kWM, k15_8_7_0, 4, false, Form::Hex},                   // 20
    {180, kWort, k15_8_7_0, 4, false, Form::Digits},              // 21
    {181, kDW, k15_8_7_0, 3, false, Form::Digits},                // 22
    {182, kDW, k15_8_7_0, 3, false, Form::Digits},                // 23
    {184, kMW, k15_8_7_0, 5, false, Form::Doubled5},              // 24
    {183, kWort, k15_8_7_0, 5, false, Form::Digits},              // 25
    {185, kDW, k7_0_15_8, 4, false, Form::Digits},                // 26
    {186, kD, k15_8_7_0, 4, false, Form::Digits},                 // 27
    {187, kDM, k15_8_7_0, 4, false, Form::Digits},                // 28
    {188, kMW, k0_7_8_15, 4, false, Form::Digits},                // 29
    {189, kWort, k15_8_7_0, 3, false, Form::Digits},              // 30
    {190, kDW, k7_0_15_8, 4, false, Form::Digits},                // 31
    {205, kArray, k15_8_7_0, 3, false, Form::Array},              // 32
    {192, kDW, k15_8_7_0, 3, false, Form::Digits},                // 33
    {193, kMB, k7_0_7_0, 3, true, Form::ByteSpan3},               // 34
    {194, kVW, k15_8_7_0, 4, false, Form::Doubled4},              // 35
    {195, kDBW, k15_8_7_0, 3, false, Form::Doubled4},             // 36
    {199, kWM, k15_8_7_0, 4, false, Form::Hex},                   // 37
    {200, kPW, k15_8_7_0, 4, false, Form::PWords},                // 38
    {201, kRW, k15_8_7_0, 4, false, Form::Doubled4},              // 39
    {202, kWort, k15_8_7_0, 5, false, Form::Digits},              // 40
    {203, kD, k15_8_7_0, 4, false, Form::Digits},                 // 41
    {196, kAdresse, k15_8_7_0, 3, false, Form::Digits},           // 42
    {204, kDW, k15_8_7_0, 3, false, Form::Digits},                // 43
    {197, kWort, k15_8_7_0, 5, false, Form::Digits},              // 44
    {168, kDW, k15_8_7_0, 3, true, Form::BytePair},               // 45 byte pairs "%03u.%03u"
    {191, kD, k15_8_7_0, 4, false, Form::Digits},                 // 46
    {206, kDW, k15_8_7_0, 3, false, Form::Digits},                // 47
    {198, kWort, k15_8_7_0, 3, false, Form::Digits},              // 48
    {konst::kUNKNOWN, kWort, k15_8_7_0, 3, false, Form::Digits},  // 49
};

const SpsType* TypeRow(uint16_t type) {
    return type < CSpsPar::kTypeCount ? &kTypes[type] : nullptr;
}

__attribute__((format(printf, 1, 2))) std::string Printf(const char* fmt, ...) {
    char buf[48];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, args);
    va_end(args);
    return buf;
}

}  // namespace

const char* GetSpsTypeKey(uint16_t type) {
    const SpsType* row = TypeRow(type);
    return row ? ResKonstText(row->key) : "";
}

CSpsPar::CSpsPar(PrjBundle* bundle) : m_bundle(bundle) {
    m_simWords.SetOwnsItems(false);
    m_simWords.SetDelta(32);
    m_simWords.SetLimit(32);
}

void CSpsPar::SetCaption(int i, std::string_view text) {
    if (i < 0 || i >= kCaptionCount) return;
    m_captions[static_cast<std::size_t>(i)].emplace(text.substr(0, kCaptionMax));
}

const std::string& CSpsPar::GetCaption(int i) const {
    static const std::string kNone;
    if (i < 0 || i >= kCaptionCount) return kNone;
    const auto& caption = m_captions[static_cast<std::size_t>(i)];
    return caption ? *caption : kNone;
}

void CSpsPar::SetCaptions() {
    const SpsType* row = TypeRow(m_type);
    if (!row) return;
    SetCaption(0, ResourceTXT(row->area));
    SetCaption(1, ResourceTXT(res::kKom));
    SetCaption(2, ResourceTXT(row->header));
    SetCaption(3, ResourceTXT(res::kBelegung));
}

uint16_t CSpsPar::GetFreeItemNo() const {
    if (const CDrvParVarItem* item = m_items.FirstFreeVar()) return item->GetNumber();
    const CPrjData* root = m_bundle ? m_bundle->prjData : nullptr;
    const PanelRow* row = root ? FindPanel(root->GetDevType()) : nullptr;
    return row ? row->firstFreeItem : 30;
}

void CSpsPar::ClearItems() {
    m_simWords.RemoveAll();
    m_items.FreeAll();
}

void CSpsPar::ReloadTexts() {
    SetCaptions();
    m_items.RefreshAll();
}

bool CSpsPar::CountsBytes() const {
    const SpsType* row = TypeRow(m_type);
    return row && row->countsBytes;
}

bool CSpsPar::IsByteAdr() const { return CountsBytes() && Form() != AdrForm::BytePair; }

CSpsPar::AdrForm CSpsPar::Form() const {
    const SpsType* row = TypeRow(m_type);
    return row ? row->form : AdrForm::Digits;
}

int CSpsPar::GetAdrDigits() const {
    const SpsType* row = TypeRow(m_type);
    return row ? row->digits : 0;
}

uint16_t CSpsPar::GetSpsAdr(uint16_t wordNo) const {
    const unsigned adr = unsigned(m_offset) + wordNo;
    return static_cast<uint16_t>(CountsBytes() ? adr * 2 : adr);
}

uint16_t CSpsPar::GetWordNo(uint16_t address) const {
    if (CountsBytes()) address = static_cast<uint16_t>(address / 2);
    return address > m_offset ? static_cast<uint16_t>(address - m_offset) : 0;
}

uint16_t CSpsPar::GetLastAdr() const {
    return m_length == 0 ? 0 : GetSpsAdr(static_cast<uint16_t>(m_length - 1));
}

std::string CSpsPar::FmtAdr(uint16_t address, const CDrvParItem* item) const {
    const unsigned a = address;
    switch (Form()) {
    case AdrForm::BitSpan:
        return Printf("%3u.%02u-%02u", a / 16, a % 16, a % 16 + 1);
    case AdrForm::BitPair:
        return Printf("%2u.%02u %2u.%02u", a / 16, a % 16, a / 16, a % 16 + 1);
    case AdrForm::BitDot:
        return Printf("%4u.%02u", a / 16, a % 16);
    case AdrForm::ByteSpan3:
        return Printf("%3u, %3u", a, a + 1);
    case AdrForm::ByteSpan4:
        return Printf("%4u, %4u", a, a + 1);
    case AdrForm::Hex:
        return Printf("%04X", a);
    case AdrForm::Doubled5:
        return Printf("%5u", 2 * a);
    case AdrForm::Doubled4:
        return Printf("%4u", 2 * a);
    case AdrForm::Array: {
        const std::string inner = Printf("[%u]", a);
        return Printf("%5s", inner.c_str());
    }
    case AdrForm::PWords:
        if (item && item->GetNumber() < 48) {
            const unsigned base = 16u * item->GetNumber() + m_offset;
            return Printf("P%4u_P%4u", base + 15, base);
        }
        return Printf("%u", a);
    case AdrForm::BytePair:
        return Printf("%03u.%03u", a / 256, a % 256);
    case AdrForm::Digits:
        break;
    }
    switch (GetAdrDigits()) {
    case 3: return Printf("%3u", a);
    case 4: return Printf("%4u", a);
    case 5: return Printf("%5u", a);
    default: return Printf("%u", a);
    }
}

} // namespace orv

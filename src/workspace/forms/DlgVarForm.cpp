// The variable dialog's logic. Nothing reaches the project before every
// check passed: the checks collect what apply needs, and apply alone writes,
// so Cancel and a refused OK leave the project and its driver items as
// they were.
#include "workspace/forms/DlgVarForm.h"

#include "model/core/CatalogueIds.h"
#include "model/core/FileUtils.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/DrvParColl.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/RcpTxt.h"
#include "model/project/SpsPar.h"
#include "workspace/FrameViews.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

constexpr uint32_t kVfAdrBit = 1u << 30;
constexpr size_t kVfNameCopy = 16;

struct VfPage {
    int first, last, radio;
};
constexpr VfPage kVfPages[] = {
    {1400, 1403, CDlgVarForm::kFmtBit},   {1101, 1106, CDlgVarForm::kFmtString},
    {1300, 1317, CDlgVarForm::kFmtBin},   {1800, 1801, CDlgVarForm::kFmtTimer},
    {1500, 1509, CDlgVarForm::kFmtBcd},   {1200, 1202, CDlgVarForm::kFmtAscii},
    {1600, 1603, CDlgVarForm::kFmtWord},  {1700, 1704, CDlgVarForm::kFmtMc5},
};

// Every control of the template except the buttons 1 and 2.
constexpr int kVfIds[] = {
    1032, 1007, 1006, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1030, 1031, 1040, 1041, 1042,
    1044, 1045, 1046, 1047, 1400, 1401, 1402, 1403, 1101, 1102, 1103, 1104, 1105, 1106,
    1300, 1301, 1302, 1303, 1304, 1305, 1306, 1307, 1308, 1309, 1310, 1311, 1312, 1313, 1314, 1315, 1316, 1317,
    1800, 1801, 1500, 1501, 1502, 1503, 1504, 1505, 1506, 1507, 1508, 1509, 1200, 1201, 1202,
    1600, 1601, 1602, 1603, 1700, 1701, 1702, 1703, 1704,
};

int VfPageOfId(int id)
{
    for (int p = 0; p < 8; ++p)
        if (id >= kVfPages[p].first && id <= kVfPages[p].last) return p;
    return CDlgVarForm::kNoPage;
}

// Blanks, an optional sign and the leading digits; no digits read as 0. A
// value too large for any field stops growing, so no input overflows.
int64_t VfNum(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) neg = text[i++] == '-';
    int64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        if (v < 100000000000000LL) v = v * 10 + (text[i] - '0');
    return neg ? -v : v;
}

bool VfIn(int v, std::initializer_list<int> set) { return std::find(set.begin(), set.end(), v) != set.end(); }

// The panels whose ASCII and timer fields share a row with nothing else.
bool VfSmallPanel(int dev) { return VfIn(dev, {14, 36, 43, 47, 755, 118, 163, 167}); }

bool VfBcd(int t) { return VfIn(t, {0, 16, 28, 30}); }
bool VfBinU(int t) { return t >= 2 && t <= 9; }
bool VfBinS(int t) { return t >= 18 && t <= 25; }
bool VfIntStr(int t) { return VfIn(t, {142, 144, 154}); }

void VfFree(CPrjVar* var)
{
    if (!var) return;
    var->FreeKindData();
    delete var;
}

} // namespace

// The inputs that passed the checks, as apply needs them.
struct CDlgVarForm::Inputs {
    VarAdrCheck items;
    int64_t storedAdr = 0;
    int64_t storedBit = 0;
    int wordNo = 0;
    int words = 1;
    int width = 0;
    int bcdDigits = 4;
    int64_t bcdMin = 0, bcdMax = 9999;
    int binInt = 5, binDec = 0;
    bool binDouble = false, binSign = false;
    int64_t orvMin = 0, orvMax = 65535, plcMin = 0, plcMax = 65535;
    int asciiLen = 16;
    int wordForm = 0;
    std::vector<std::string> texts;
};

void CDlgVarForm::PendingFree::operator()(CPrjVarString* var) const { VfFree(var); }

CDlgVarForm::CDlgVarForm()
{
    for (int id : kVfIds) m_ctls[id].shown = VfPageOfId(id) == kNoPage;
    m_lists[kBitList];
    m_lists[kStrList] = {"", "", ""};
    m_lists[kTimerList] = {".0", ".1", ".2", ".3"};
    Ref(kStrCount).text = "2";
    Ref(kStrCstring).text = "R\xFC" "ckschreiben nach &jeder \xC4nderung";
}

CDlgVarForm::~CDlgVarForm() = default;

void CDlgVarForm::SetVar(const CPrjVar* var, int mode)
{
    m_handed = var;
    m_mode = mode;
}

CDlgVarForm::Ctl& CDlgVarForm::Ref(int id) { return m_ctls[id]; }

const CDlgVarForm::Ctl& CDlgVarForm::Control(int id) const
{
    static const Ctl none;
    const auto it = m_ctls.find(id);
    return it != m_ctls.end() ? it->second : none;
}

const std::vector<std::string>& CDlgVarForm::Lines(int listId) const
{
    static const std::vector<std::string> none;
    const auto it = m_lists.find(listId);
    return it != m_lists.end() ? it->second : none;
}

int CDlgVarForm::CharTarget() const
{
    switch (m_page) {
    case 0: return kBitList;
    case 1: return kStrList;
    case 3: return kTimerList;
    default: return 0;
    }
}

int CDlgVarForm::PageOfType(uint8_t t)
{
    if (VfBcd(t)) return 4;
    if (VfBinU(t) || VfBinS(t) || t == 134 || t == 135) return 2;
    if (VfIn(t, {14, 26, 42, 142, 144, 154})) return 1;
    if (t == 32 || t == 33) return 6;
    if (t == 34) return 5;
    if (t == 36) return 3;
    if (t >= 249) return kNoPage;
    return 0;
}

int CDlgVarForm::TypeCode() const
{
    switch (m_page) {
    case 0: return 12;
    case 1: return Checked(kStrCstring) ? 26 : 14;
    case 2:
        return 2 + (Checked(kBinZeros) ? 1 : 0) + (Checked(kBinCalc) ? 0 : 2) + (Checked(kBinDouble) ? 4 : 0) +
               (Checked(kBinSign) ? 16 : 0);
    case 3: return 36;
    case 4:
        if (Checked(kBcdDouble)) return Checked(kBcdZeros) ? 30 : 16;
        return Checked(kBcdZeros) ? 28 : 0;
    case 5: return 34;
    case 6: return 33;
    case 7: return 251;
    default: return m_handed ? m_handed->GetType() : 0;
    }
}

void CDlgVarForm::SetText(int id, std::string text) { Ref(id).text = std::move(text); }

void CDlgVarForm::SetLines(int listId, std::vector<std::string> lines) { m_lists[listId] = std::move(lines); }

void CDlgVarForm::ShowPage(int page)
{
    for (auto& [id, ctl] : m_ctls) {
        const int p = VfPageOfId(id);
        if (p != kNoPage) ctl.shown = p == page;
    }
    for (int p = 0; p < 8; ++p) Ref(kVfPages[p].radio).checked = p == page;
    m_page = page;
    ArrangeLineButtons();
}

void CDlgVarForm::ArrangeLineButtons()
{
    for (int id : {kChar, kCopy, kInsert, kRemove}) Ref(id).shown = true;
    if (VfIn(m_page, {2, 4, 5, 6, kNoPage}))
        for (int id : {kChar, kCopy, kInsert, kRemove}) Ref(id).shown = false;
    if (m_page == 0)
        for (int id : {kCopy, kInsert, kRemove}) Ref(id).shown = false;
    if (m_page == 3)
        for (int id : {kInsert, kRemove}) Ref(id).shown = false;
    Ref(kCopy).enabled = false;
    Ref(kFmtMc5).enabled = false;
}

void CDlgVarForm::SetUpPage(int page)
{
    auto& lines = m_lists;
    switch (page) {
    case 0:
        Ref(kBitNo).limit = 2;
        if (lines[kBitList].empty()) lines[kBitList] = {"", ""};
        Ref(kBitNo).text = "0";
        m_bit = 0;
        break;
    case 1:
        Ref(kStrCount).limit = 3;
        if (lines[kStrList].empty()) lines[kStrList] = {"", "", ""};
        break;
    case 2:
        SetSigned(false);
        Ref(kBinInt).text = "5";
        Ref(kBinDec).text = "0";
        break;
    case 3:
        if (lines[kTimerList].empty()) lines[kTimerList] = {".0", ".1", ".2", ".3"};
        break;
    case 4:
        Ref(kBcdDigits).limit = 1;
        Ref(kBcdMin).limit = 8;
        Ref(kBcdMax).limit = 8;
        Ref(kBcdDigits).text = "4";
        Ref(kBcdMin).text = "0";
        Ref(kBcdMax).text = "9999";
        break;
    case 5:
        Ref(kAsciiLen).limit = 2;
        Ref(kAsciiLen).text = "16";
        break;
    case 6:
        OnWordForm(kWordKm);
        break;
    default: break;
    }
}

void CDlgVarForm::SetSigned(bool on)
{
    for (int id : {kBinOrvMin, kBinOrvMax, kBinPlcMin, kBinPlcMax}) Ref(id).signedNum = on;
    Ref(kBinOrvMin).text = on ? "-32768" : "0";
    Ref(kBinOrvMax).text = on ? "32767" : "65535";
    const bool option = m_prj && m_prj->GetDWordVars() != 0;
    if (!on) {
        Ref(kBinPlcMin).text = "0";
        Ref(kBinPlcMax).text = "65535";
    } else if (option) {
        // The scalable double word may hold the whole signed 32-bit range.
        Ref(kBinPlcMin).text = "-2147483648";
        Ref(kBinPlcMax).text = "2147483647";
    } else {
        Ref(kBinPlcMin).text = "-32768";
        Ref(kBinPlcMax).text = "32767";
    }
}

void CDlgVarForm::OnFormat(int radioId)
{
    for (int p = 0; p < 8; ++p) {
        if (kVfPages[p].radio != radioId) continue;
        if (p != m_page) ShowPage(p);
        SetUpPage(p);
        return;
    }
}

void CDlgVarForm::OnClass(int radioId)
{
    for (int id : {kIst, kSoll, kSollP}) Ref(id).checked = id == radioId;
    m_cls = radioId - kIst;
}

void CDlgVarForm::OnWordForm(int radioId)
{
    for (int id : {kWordKm, kWordKh, kWordKy}) Ref(id).checked = id == radioId;
}

void CDlgVarForm::OnCheck(int id, bool on)
{
    Ref(id).checked = on;
    const bool option = m_prj && m_prj->GetDWordVars() != 0;
    if (id == kBinDouble) {
        Ref(kBinPlcMin).enabled = !(on && !option);
        Ref(kBinPlcMax).enabled = !(on && !option);
    } else if (id == kBinSign) {
        SetSigned(on);
    }
}

bool CDlgVarForm::Fail(uint32_t msg, int focus)
{
    if (msg != 0) ShowMessage(msg);
    m_focus = focus;
    return false;
}

template <class... Args>
bool CDlgVarForm::FailWith(uint32_t msg, int focus, const Args&... args)
{
    ShowMessage(msg, args...);
    m_focus = focus;
    return false;
}

void CDlgVarForm::OnLeave(int id)
{
    const int64_t v = VfNum(Text(id));
    const auto advise = [&](int64_t lo, int64_t hi) {
        if (v < lo || v > hi) FailWith(msg::kEingabewertMussZwischenUndLiegen, id, int(lo), int(hi));
        return v >= lo && v <= hi;
    };
    switch (id) {
    case kBcdDigits: advise(1, 8); break;
    case kBinInt: advise(1, 10); break;
    case kBinDec: advise(0, 9); break;
    case kBitNo:
        if (m_sps) {
            const CVarAddress::Range r = CVarAddress::TypedBitRange(*m_sps);
            if (advise(r.lo, r.hi)) m_bit = v;
        }
        break;
    case kStrCount: CountLeft(); break;
    default: break;
    }
}

void CDlgVarForm::ResizeStrList(int last)
{
    last = std::clamp(last, 2, 255);
    Ref(kStrCount).text = std::to_string(last);
    m_lists[kStrList].resize(size_t(last) + 1);
    m_strLast = last;
}

bool CDlgVarForm::CountLeft()
{
    int64_t v = VfNum(Text(kStrCount));
    const int64_t clamped = std::clamp<int64_t>(v, 2, 255);
    if (clamped != v) Ref(kStrCount).text = std::to_string(clamped);
    v = clamped;
    auto& lines = m_lists[kStrList];
    const int last = int(lines.size()) - 1;
    if (v < last && !AskYesNo(msg::kAuspraegungenBisWerdenGeloescht, int(v) + 1, last)) {
        Ref(kStrCount).text = std::to_string(last);
        return false;
    }
    ResizeStrList(int(v));
    return true;
}

void CDlgVarForm::OnInsertLine()
{
    if (m_page != 1 || m_strLast >= 255) return;
    auto& lines = m_lists[kStrList];
    const int sel = std::clamp(m_selLine.count(kStrList) ? m_selLine[kStrList] : 0, 0, int(lines.size()));
    lines.insert(lines.begin() + sel, "");
    ResizeStrList(m_strLast + 1);
    Ref(kRemove).enabled = m_strLast > 2;
}

void CDlgVarForm::OnRemoveLine()
{
    if (m_page != 1) return;
    auto& lines = m_lists[kStrList];
    const int sel = std::clamp(m_selLine.count(kStrList) ? m_selLine[kStrList] : 0, 0, int(lines.size()) - 1);
    if (sel >= 0) lines.erase(lines.begin() + sel);
    m_selLine[kStrList] = sel;
    const int last = std::max(m_strLast - 1, 0);
    Ref(kRemove).enabled = last > 2;
    ResizeStrList(last);
}

void CDlgVarForm::Open(PrjBundle* bundle, const std::string& dwCaption)
{
    m_bundle = bundle;
    m_prj = bundle ? bundle->prjData : nullptr;
    m_sps = bundle ? bundle->spsPar : nullptr;
    if (!m_handed || !m_prj || !m_sps) return;
    m_name = m_handed->GetName().substr(0, kVfNameCopy);
    Ref(kGrpAdr).text = dwCaption;

    const int page = PageOfType(m_handed->GetType());
    ShowPage(page);
    if (page != kNoPage) SetUpPage(page);
    LogLine(kLogDebug, "m_nClass=%d, set check ID=%d", m_cls, kIst + m_cls);
    const uint16_t spsType = m_sps->GetSpsType();
    if (VfIn(spsType, {5, 6, 7, 8, 19})) m_bit = 1;
    Ref(kBlock).shown = CVarAddress::BlockShown(spsType);

    m_maxWidth = m_prj->GetDspWidth();
    const CPrjVarList* vars = m_prj->GetVarList();
    // The whole name finds the variable; the copy only titles the window.
    const std::string& name = m_handed->GetName();
    m_var = vars ? vars->FindByName(std::string_view(name)) : nullptr;
    if (!m_var && vars) m_var = vars->FindIntByStdName(name.c_str());

    VarTypedAdr typed;
    if (m_var) {
        m_internal = m_var->IsInternal();
        m_intAdr = !m_internal || (m_var->GetFlags() & kVfAdrBit) != 0;
        m_maxWidth = m_var->GetMaxWidth();
        FillFromVar(*m_var);
        const CPrjVarBit* bit = m_var->GetType() == 12 ? dynamic_cast<const CPrjVarBit*>(m_var) : nullptr;
        if (m_intAdr)
            typed = CVarAddress::Typed(*m_sps, static_cast<uint16_t>(m_var->GetAdr()),
                                       bit ? int(bit->GetBitNr()) : -1);
        if (bit) m_bit = typed.bit;
        const int cls = std::clamp(int(m_var->GetSetpKind()) - 1, 0, 2);
        OnClass(kIst + cls);
        if (!m_intAdr) {
            Ref(kBlock).shown = false;
            Ref(kWord).shown = false;
        }
    } else {
        OnClass(kIst);
        m_pending.reset(new CPrjVarString(m_name, 30, 1, 14, m_prj->GetTextPool()));
        m_pending->SetTxtCount(2);
        m_lists[kBitList] = {"", ""};
        typed = CVarAddress::Propose(*m_sps, *m_prj);
        m_bit = typed.bit;
    }
    Ref(kBlock).text = std::to_string(typed.block);
    Ref(kWord).text = std::to_string(typed.word);
    Ref(kBitNo).text = std::to_string(m_bit);
}

void CDlgVarForm::FillFromVar(const CPrjVar& var)
{
    const int t = var.GetType();
    const bool option = m_prj->GetDWordVars() != 0;
    const auto num = [this](int id, int64_t v, int limit) {
        Ref(id).text = std::to_string(v);
        Ref(id).limit = limit;
    };
    const auto texts = [this, &var](int listId, int last) {
        auto& lines = m_lists[listId];
        lines.assign(size_t(last) + 1, "");
        for (int i = 0; i <= last; ++i)
            if (const char* s = var.GetStateTxt(i)) lines[size_t(i)] = s;
    };
    if (const CPrjRcpTxtList* rcp = m_prj->GetRcpTxtList(); rcp && rcp->UsesVar(&var)) {
        for (const VfPage& p : kVfPages) Ref(p.radio).enabled = false;
        Ref(kBinDouble).enabled = false;
        Ref(kBcdDouble).enabled = false;
        Ref(kAsciiLen).enabled = false;
        ShowMessage(msg::kDieVariableWirdInRezepttexten);
    }
    if (VfBcd(t)) {
        num(kBcdDigits, var.GetExtByte0(), 1);
        num(kBcdMin, var.GetExtWord1(), 8);
        num(kBcdMax, var.GetExtWord2(), 8);
        Ref(kBcdHidden).checked = var.GetExtByte12() != 0;
        Ref(kBcdDouble).checked = t == 16 || t == 30;
        Ref(kBcdZeros).checked = t == 28 || t == 30;
    } else if (VfBinU(t) || VfBinS(t) || t == 134 || t == 135) {
        const bool sgn = VfBinS(t);
        num(kBinInt, var.GetExtByte0(), 2);
        num(kBinDec, var.GetExtByte1(), 1);
        SetSigned(sgn);
        const auto lim = [&](int32_t v) { return sgn ? int64_t(v) : int64_t(uint32_t(v)); };
        num(kBinOrvMin, lim(var.GetExtWord1()), 11);
        num(kBinOrvMax, lim(var.GetExtWord2()), 11);
        Ref(kBinPlcMin).limit = 6;
        Ref(kBinPlcMax).limit = 6;
        if ((t >= 2 && t <= 5) || (t >= 18 && t <= 21) || option) {
            num(kBinPlcMin, lim(var.GetExtWord3()), 6);
            num(kBinPlcMax, lim(var.GetExtWord4()), 6);
        }
        const bool dbl = VfIn(t, {6, 7, 8, 9, 22, 23, 24, 25});
        Ref(kBinDouble).checked = dbl;
        Ref(kBinPlcMin).enabled = !(dbl && !option);
        Ref(kBinPlcMax).enabled = !(dbl && !option);
        Ref(kBinSign).checked = sgn;
        Ref(kBinZeros).checked = VfIn(t, {3, 5, 7, 9, 19, 21, 23, 25});
        Ref(kBinCalc).checked = VfIn(t, {2, 3, 6, 7, 18, 19, 22, 23});
    } else if (t == 12) {
        Ref(kBitNo).limit = 2;
        texts(kBitList, 1);
    } else if (VfIn(t, {14, 26, 42}) || VfIntStr(t)) {
        Ref(kStrCount).limit = 3;
        m_strLast = std::max(var.MaxStateIdx(), 2);
        texts(kStrList, var.MaxStateIdx());
        m_lists[kStrList].resize(size_t(m_strLast) + 1);
        Ref(kStrCount).text = std::to_string(var.MaxStateIdx());
        Ref(kStrCstring).checked = t == 26 || t == 154;
        if (VfIntStr(t)) {
            Ref(kGrpAdr).text = "intern";
            Ref(kStrCstring).text.clear();
            for (int id : {kBlock, kWord, kStrCstring, kInsert, kRemove}) Ref(id).shown = false;
            Ref(kStrCount).enabled = false;
            for (int id : {kFmtBit, kFmtBin, kFmtTimer, kFmtBcd, kFmtAscii, kFmtWord, kFmtMc5, kSoll, kSollP})
                Ref(id).enabled = false;
        }
    } else if (t == 32 || t == 33) {
        OnWordForm(kWordKm + std::min<int>(var.GetExtByte0(), 2));
    } else if (t == 34) {
        num(kAsciiLen, 2 * var.WordCount(), 2);
    } else if (t == 36) {
        texts(kTimerList, 3);
    }
}

bool CDlgVarForm::CheckAdvised()
{
    struct Bound {
        int page, id;
        int64_t lo, hi;
    };
    std::vector<Bound> bounds = {{4, kBcdDigits, 1, 8}, {2, kBinInt, 1, 10}, {2, kBinDec, 0, 9}};
    const CVarAddress::Range bits = CVarAddress::TypedBitRange(*m_sps);
    bounds.push_back({0, kBitNo, bits.lo, bits.hi});
    for (const Bound& b : bounds) {
        if (b.page != m_page) continue;
        const int64_t v = VfNum(Text(b.id));
        if (v < b.lo || v > b.hi) return FailWith(msg::kEingabewertMussZwischenUndLiegen, b.id, int(b.lo), int(b.hi));
    }
    m_bit = VfNum(Text(kBitNo));
    return true;
}

int CDlgVarForm::LongestText(int listId) const
{
    size_t w = 0;
    for (const std::string& s : Lines(listId)) w = std::max(w, s.size());
    return int(w);
}

bool CDlgVarForm::CheckBin(Inputs& in)
{
    in.binInt = int(VfNum(Text(kBinInt)));
    in.binDec = int(VfNum(Text(kBinDec)));
    const int d = in.binInt + in.binDec;
    if (d > 10) return Fail(msg::kDieGesamteStellenzahlEinerBINAER, kBinInt);
    in.width = d + (in.binDec > 0 ? 1 : 0);
    const double m = std::pow(10.0, d) - 1;
    int64_t lo = 0, hi = 0;
    if (in.binSign) {
        in.width += 1;
        lo = m >= 2147483647.0 ? -2147483648LL : -int64_t(m);
        hi = m >= 2147483647.0 ? 2147483647LL : int64_t(m);
    } else {
        hi = m >= 4294967295.0 ? 4294967295LL : int64_t(m);
    }
    in.orvMin = VfNum(Text(kBinOrvMin));
    in.orvMax = VfNum(Text(kBinOrvMax));
    if (in.orvMin < lo || in.orvMin > hi) return Fail(msg::kDerORVMinimalwertIstMit, kBinOrvMin);
    if (in.orvMax < lo || in.orvMax > hi) return Fail(msg::kDerORVMaximalwertIstMit, kBinOrvMax);
    if (in.orvMin >= in.orvMax) return Fail(msg::kDerORVMaximalwertMussGroesser, kBinOrvMax);
    const bool option = m_prj->GetDWordVars() != 0;
    if (in.binDouble && !option) {
        in.plcMin = in.plcMax = 0;
        return true;
    }
    in.plcMin = VfNum(Text(kBinPlcMin));
    in.plcMax = VfNum(Text(kBinPlcMax));
    if (!in.binDouble) {
        // One PLC word holds nothing beyond its 16 bits.
        const int64_t plo = in.binSign ? -32768 : 0, phi = in.binSign ? 32767 : 65535;
        if (in.plcMin < plo || in.plcMin > phi) return FailWith(msg::kEingabewertMussZwischenUndLiegen, kBinPlcMin, int(plo), int(phi));
        if (in.plcMax < plo || in.plcMax > phi) return FailWith(msg::kEingabewertMussZwischenUndLiegen, kBinPlcMax, int(plo), int(phi));
    } else {
        const int64_t plo = in.binSign ? -2147483648LL : 0, phi = in.binSign ? 2147483647LL : 4294967295LL;
        in.plcMin = std::clamp(in.plcMin, plo, phi);
        in.plcMax = std::clamp(in.plcMax, plo, phi);
    }
    if (in.plcMin >= in.plcMax) return Fail(msg::kDerSPSMaximalwertMussGroesser, kBinPlcMax);
    uint32_t orv = uint32_t(in.orvMax - in.orvMin), plc = uint32_t(in.plcMax - in.plcMin);
    ReduceFraction(orv, plc);
    if (orv > 65535 || plc > 65535) return Fail(msg::kAngegebeneSkalierungIstNichtMoeglich, 0);
    return true;
}

bool CDlgVarForm::CheckPage(Inputs& in)
{
    const int dev = m_prj->GetDevType();
    switch (m_page) {
    case 0: {
        in.texts = Lines(kBitList);
        in.texts.resize(2);
        in.width = int(std::max(in.texts[0].size(), in.texts[1].size()));
        if (in.width == 0) return Fail(msg::kBitvariableMussMindestensEinZeichen, kBitList);
        return true;
    }
    case 1:
        in.texts = Lines(kStrList);
        in.width = LongestText(kStrList);
        if (in.width == 0) return Fail(msg::kStringvariableMussMindestensEinZeichen, kStrList);
        return true;
    case 2: return CheckBin(in);
    case 3: {
        in.texts = Lines(kTimerList);
        in.texts.resize(4);
        size_t w = 0;
        for (std::string& s : in.texts) {
            if (s.empty() && VfSmallPanel(dev)) s = " ";
            w = std::max(w, s.size());
        }
        if (w == 0) return Fail(msg::kAuspraegungMussMindestensEinZeichen, kTimerList);
        in.width = int(w) + 3;
        return true;
    }
    case 4: {
        in.bcdDigits = int(VfNum(Text(kBcdDigits)));
        in.bcdMin = VfNum(Text(kBcdMin));
        in.bcdMax = VfNum(Text(kBcdMax));
        if (in.bcdDigits > 4 && !Checked(kBcdDouble)) return Fail(msg::kBeiMehrAls4BCD, kBcdDigits);
        const int64_t m = int64_t(std::pow(10.0, in.bcdDigits)) - 1;
        // Unsigned comparisons: a negative value is beyond any digit count.
        if (in.bcdMin < 0 || in.bcdMin > m) return Fail(msg::kDerMinimalwertIstMitDer, kBcdMin);
        if (in.bcdMax < 0 || in.bcdMax > m) return Fail(msg::kDerMaximalwertIstMitDer, kBcdMax);
        if (in.bcdMin >= in.bcdMax) return Fail(msg::kDerMaximalwertMussGroesserAls, kBcdMax);
        in.width = in.bcdDigits;
        return true;
    }
    case 5:
        if (VfSmallPanel(dev) && m_var && m_prj->IsVarUsed(m_var)) return Fail(msg::kASCIIFormatNichtMoeglichDa, 0);
        if (in.asciiLen % 2 != 0) return Fail(msg::kEsDarfNurEineGerade, kAsciiLen);
        in.width = in.asciiLen;
        return true;
    case 6:
        in.wordForm = Checked(kWordKh) ? 1 : Checked(kWordKy) ? 2 : 0;
        in.width = in.wordForm == 0 ? 17 : in.wordForm == 1 ? 4 : 7;
        return true;
    default: in.width = 0; return true;
    }
}

bool CDlgVarForm::OnOk()
{
    m_focus = 0;
    m_changed = false;
    if (!m_handed || !m_prj || !m_sps) return false;
    if (!CheckAdvised()) return false;
    Inputs in;
    // Address as typed, its even-address rule, then the stored form.
    const bool isBit = m_page == 0 && !m_internal;
    if (m_intAdr) {
        const VarTypedAdr typed{CVarAddress::BlockShown(m_sps->GetSpsType()) ? VfNum(Text(kBlock)) : 0,
                                VfNum(Text(kWord)), m_bit};
        const VarAdrCheck even = CVarAddress::CheckEven(*m_sps, typed.word, m_internal, isBit);
        if (!even.Ok()) return Fail(even.msg, even.focus);
        const VarStoredAdr stored = CVarAddress::Stored(*m_sps, typed, isBit);
        in.storedAdr = stored.adr;
        in.storedBit = stored.bit;
    }
    // Words of the variable and the page's own inputs.
    switch (m_page) {
    case 2:
        in.binDouble = Checked(kBinDouble);
        in.binSign = Checked(kBinSign);
        in.words = in.binDouble ? 2 : 1;
        break;
    case 4: in.words = Checked(kBcdDouble) ? 2 : 1; break;
    case 5:
        in.asciiLen = int(std::clamp<int64_t>(VfNum(Text(kAsciiLen)), -1, 99));
        if (in.asciiLen < 2 || in.asciiLen > 16) return FailWith(msg::kEingabewertMussZwischenUndLiegen, kAsciiLen, 2, 16);
        in.words = in.asciiLen / 2;
        break;
    case 1:
        if (VfNum(Text(kStrCount)) >= 256) {
            Ref(kStrCount).text = "255";
            return Fail(0, kStrCount);
        }
        if (!CountLeft()) return Fail(0, kStrCount);
        break;
    default: break;
    }
    LogLine(kLogDebug, "%d Worte benutzt", in.words);
    if (m_intAdr) {
        in.items = CVarAddress::CheckItems(*m_sps, in.storedAdr, in.words, m_cls, m_internal);
        if (!in.items.Ok()) {
            if (in.items.msg == msg::kAddresseStehtNichtFuerVariable) return FailWith(msg::kAddresseStehtNichtFuerVariable, in.items.focus, in.items.adrText.c_str());
            return Fail(in.items.msg, in.items.focus);
        }
        in.wordNo = int(CVarAddress::WordNo(*m_sps, in.storedAdr));
    }
    if (!CheckPage(in)) return false;
    if (in.width > m_maxWidth) return Fail(msg::kDieMaxZeilenlaengeWurdeIn, 0);
    if (in.items.msgWord) ShowMessage(msg::kAngelegteVariableBenutztMeldewort);

    m_changed = Apply(in);
    if (m_changed) {
        m_prj->SetModified(true);
        LogLine(kLogDebug, "CDlgVar Vardata changed !");
        if (m_view) m_view->RedrawParts(2);
    } else {
        LogLine(kLogDebug, "CDlgVar Vardata NOT changed !");
    }
    return true;
}

int CDlgVarForm::NewType() const { return m_internal && m_var ? m_var->GetType() : TypeCode(); }

bool CDlgVarForm::InPlaceFits(const Inputs& in, const CPrjVar& var) const
{
    const int o = var.GetType(), n = NewType();
    if (VfBcd(o)) return VfBcd(n) && in.bcdDigits == var.GetExtByte0();
    if (VfBinU(o) || VfBinS(o))
        return (VfBinU(o) ? VfBinU(n) : VfBinS(n)) && in.binInt == var.GetExtByte0() &&
               in.binDec == var.GetExtByte1();
    if (o == 12) return n == 12 && in.width == var.GetWidth();
    if (o == 14 || o == 26) return (n == 14 || n == 26) && in.width == var.GetWidth();
    if (o == 36) return n == 36 && in.width == var.GetWidth();
    if (VfIntStr(o)) return in.width == var.GetWidth();
    if (o == 32) return n == 32;
    if (o == 33) return n == 33 && in.wordForm == var.GetExtByte0();
    if (o == 34) return n == 34 && in.asciiLen == 2 * var.WordCount();
    return o == 250 || o == 251;
}

namespace {

// Old types whose kind the dialog cannot rebuild change nothing.
bool VfReplaceable(int oldType)
{
    return VfBcd(oldType) || VfBinU(oldType) || VfBinS(oldType) || VfIn(oldType, {12, 14, 26, 32, 33, 34, 36});
}

} // namespace

bool CDlgVarForm::ApplyInPlace(const Inputs& in, CPrjVar& var)
{
    bool changed = false;
    const auto set = [&changed](auto get, auto want, auto put) {
        if (get != want) {
            put();
            changed = true;
        }
    };
    if (m_intAdr && var.GetAdr() != in.wordNo) {
        const uint16_t oldNo = static_cast<uint16_t>(var.GetAdr());
        var.SetAdr(int16_t(in.wordNo));
        const CDrvParItem* old = m_sps->GetItems().FindItem(oldNo);
        if (!old || old->GetKind() != CDrvParItem::KindSys) m_sps->ReleaseItem(oldNo);
        m_sps->UseItem(var);
        changed = true;
    }
    const int type = m_internal ? var.GetType() : TypeCode();
    set(var.GetType(), type, [&] { var.SetType(uint8_t(type)); });
    const auto text = [&](int i, const std::string& s) {
        const char* cur = var.GetStateTxt(i);
        set(std::string(cur ? cur : ""), s, [&] { var.SetStateTxt(i, s.c_str()); });
    };
    if (VfBcd(type)) {
        set(int64_t(var.GetExtWord1()), in.bcdMin, [&] { var.SetExtWord1(int32_t(in.bcdMin)); });
        set(int64_t(var.GetExtWord2()), in.bcdMax, [&] { var.SetExtWord2(int32_t(in.bcdMax)); });
        auto* bcd = static_cast<CPrjVarBcd*>(&var);
        set(bcd->GetExtByte12() != 0, Checked(kBcdHidden), [&] { bcd->SetFlag(Checked(kBcdHidden) ? 1 : 0); });
    } else if (VfBinU(type) || VfBinS(type)) {
        // With the scalable double word the PLC limits of two words are as
        // real as those of one; only without it do they go as 0.
        const bool keepPlc = !in.binDouble || m_prj->GetDWordVars() != 0;
        const int32_t pMin = keepPlc ? int32_t(in.plcMin) : 0, pMax = keepPlc ? int32_t(in.plcMax) : 0;
        set(var.GetExtWord1(), int32_t(in.orvMin), [&] { var.SetExtWord1(int32_t(in.orvMin)); });
        set(var.GetExtWord2(), int32_t(in.orvMax), [&] { var.SetExtWord2(int32_t(in.orvMax)); });
        set(var.GetExtWord3(), pMin, [&] { var.SetExtWord3(pMin); });
        set(var.GetExtWord4(), pMax, [&] { var.SetExtWord4(pMax); });
    } else if (type == 12) {
        auto& bit = static_cast<CPrjVarBit&>(var);
        set(int64_t(bit.GetBitNr()), in.storedBit, [&] { bit.SetBitNr(uint32_t(in.storedBit)); });
        text(0, in.texts[0]);
        text(1, in.texts[1]);
    } else if (type == 14 || type == 26 || VfIntStr(type)) {
        const int last = int(in.texts.size()) - 1;
        if (var.MaxStateIdx() != last) {
            if (auto* s = dynamic_cast<CPrjVarString*>(&var)) s->SetTxtCount(last);
            else if (auto* is = dynamic_cast<CPrjIntVarStr*>(&var)) is->SetTxtCount(last);
            changed = true;
        }
        for (int i = 0; i <= last; ++i) text(i, in.texts[size_t(i)]);
    } else if (type == 33) {
        auto& word = static_cast<CPrjVarWord&>(var);
        set(int(word.GetExtByte0()), in.wordForm, [&] { word.SetForm(uint8_t(in.wordForm)); });
    } else if (type == 36) {
        for (int i = 0; i < 4; ++i) text(i, in.texts[size_t(i)]);
    }
    if (!m_internal) {
        const uint8_t kind = uint8_t(m_cls + 1);
        set(var.GetSetpKind(), kind, [&] { var.SetSetpKind(kind); });
    }
    return changed;
}

std::unique_ptr<CPrjVar> CDlgVarForm::Build(const Inputs& in)
{
    const int type = NewType();
    const std::string name = m_var ? m_var->GetName() : m_name;
    const int16_t adr = m_internal ? int16_t(-1) : int16_t(in.wordNo);
    const uint8_t kind = m_internal && m_var ? m_var->GetSetpKind() : uint8_t(m_cls + 1), t = uint8_t(type);
    CTextPool* pool = m_prj->GetTextPool();
    const auto texts = [&in](CPrjVar& var) {
        for (size_t i = 0; i < in.texts.size(); ++i) var.SetStateTxt(int(i), in.texts[i].c_str());
    };
    const bool keepPlc = !in.binDouble || m_prj->GetDWordVars() != 0;
    const int32_t pMin = keepPlc ? int32_t(in.plcMin) : 0, pMax = keepPlc ? int32_t(in.plcMax) : 0;
    std::unique_ptr<CPrjVar> var;
    if (VfBcd(type)) {
        var = std::make_unique<CPrjVarBcd>(name, adr, kind, t, uint8_t(in.bcdDigits), int32_t(in.bcdMin),
                                           int32_t(in.bcdMax), Checked(kBcdHidden) ? 1 : 0);
    } else if (VfBinU(type)) {
        var = std::make_unique<CPrjVarBin>(name, adr, kind, t, uint8_t(in.binInt), uint8_t(in.binDec),
                                           int32_t(in.orvMin), int32_t(in.orvMax), pMin, pMax);
    } else if (VfBinS(type)) {
        var = std::make_unique<CPrjVarVbin>(name, adr, kind, t, uint8_t(in.binInt), uint8_t(in.binDec),
                                            int32_t(in.orvMin), int32_t(in.orvMax), pMin, pMax);
    } else if (type == 12) {
        var = std::make_unique<CPrjVarBit>(name, adr, kind, t, uint32_t(in.storedBit), pool);
        texts(*var);
    } else if (type == 14 || type == 26) {
        std::unique_ptr<CPrjVarString> s;
        if (m_pending && !m_var) {
            s.reset(m_pending.release());
            s->SetAdr(adr);
            s->SetSetpKind(kind);
            s->SetType(t);
        } else {
            s = std::make_unique<CPrjVarString>(name, adr, kind, t, pool);
        }
        s->SetTxtCount(int(in.texts.size()) - 1);
        texts(*s);
        var = std::move(s);
    } else if (type == 33) {
        var = std::make_unique<CPrjVarWord>(name, adr, kind, t, uint8_t(in.wordForm));
    } else if (type == 34) {
        var = std::make_unique<CPrjVarAscii>(name, adr, kind, t, uint8_t(in.asciiLen / 2));
    } else if (type == 36) {
        var = std::make_unique<CPrjVarTimer>(name, adr, kind, t, pool);
        texts(*var);
    } else if (const auto* old = dynamic_cast<const CPrjIntVarStr*>(m_var); old && VfIntStr(type)) {
        auto s = std::make_unique<CPrjIntVarStr>(name, old->GetFlags(), kind, t, int16_t(old->GetExtWord0()),
                                                 old->GetExtWord1(), pool);
        s->SetOrigName(old->GetOrigName());
        s->SetTxtCount(int(in.texts.size()) - 1);
        s->SetAttr32(old->GetAttr32());
        texts(*s);
        var = std::move(s);
    }
    return var;
}

bool CDlgVarForm::Apply(const Inputs& in)
{
    CVarAddress::Widen(in.items);
    bool changed = false;
    if (m_var) {
        LogLine(kLogDebug, "Vorhandene Variable wurde bearbeitet");
        if (InPlaceFits(in, *m_var)) {
            changed = ApplyInPlace(in, *m_var);
        } else if ((VfReplaceable(m_var->GetType()) || VfIntStr(m_var->GetType())) && m_bundle->charSet) {
            std::unique_ptr<CPrjVar> made = Build(in);
            if (made) {
                const uint16_t oldNo = static_cast<uint16_t>(m_var->GetAdr());
                CPrjVar* fresh = made.release();
                m_prj->ReplaceVar(m_var, fresh);
                m_var = fresh;
                const CDrvParItem* item = m_sps->GetItems().FindItem(oldNo);
                // A system word is only used: no other variable's use moves.
                if (m_intAdr && item && item->GetKind() == CDrvParItem::KindSys) m_sps->UseItem(*fresh);
                else if (m_intAdr) m_sps->MoveItemUse(oldNo, *fresh);
                changed = true;
            }
        }
    } else {
        LogLine(kLogDebug, "Neue Variable wurde bearbeitet");
        std::unique_ptr<CPrjVar> made = Build(in);
        if (made) {
            CPrjVar* fresh = made.release();
            const int at = m_prj->InsVar(fresh);
            const CPrjVarList* vars = m_prj->GetVarList();
            if (vars && at >= 0 && at < vars->GetCount() && vars->At(at) == fresh) {
                m_sps->UseItem(*fresh);
                changed = true;
            } else {
                VfFree(fresh);
            }
        }
    }
    if (m_var) {
        m_sps->SetItemName(*m_var);
        m_prj->SetCurVar(m_var->GetName());
    }
    m_prj->BindVarItems();
    return changed;
}

} // namespace orv

// Reads a project's driver file or one entry of a driver library, and checks its
// data range against the project's.
#include "image/drv/DrvFile.h"

#include "image/drv/DrvLayout.h"
#include "image/codec/MemoryGuard.h"
#include "image/codec/ReadWhole.h"
#include "image/codec/DosStamp.h"
#include "image/drv/DrvRange.h"
#include "image/drv/DrvXref.h"
#include "image/codec/FileFields.h"
#include "image/drv/HeaderFields.h"
#include "model/core/CatalogueIds.h"
#include "model/project/DrvCfg.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "platform/FileReplace.h"

#include <algorithm>

namespace orv {

namespace {

constexpr const char* kDrvFileModule = "Drvorv";
constexpr uint32_t kDrvFileIntVarFlags = 0x33FB;
constexpr size_t kMaxParName = 16;
constexpr int kMaxStateIdx = 255;

char CharAt(const std::string& text, size_t i)
{
    return i < text.size() ? text[i] : '\0';
}

bool Below(char a, char b)
{
    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
}

// 706 elements carry a class: 1 and 2 are the setpoint kinds 2 and 3.
uint8_t SetpKindOf(const DrvElement& element)
{
    return element.cls == 1 ? 2 : element.cls == 2 ? 3 : 1;
}

// The check counts every number parameter whose name begins "AK", "AL" or
// "AM".
char CheckedParamOf(const DrvElement& element)
{
    if (element.type != DrvElement::kNumber || element.name.size() < 2 || element.name[0] != 'A')
        return 0;
    const char c = element.name[1];
    return c == 'K' || c == 'L' || c == 'M' ? c : 0;
}

uint32_t& RangeValue(DrvRange& range, char which)
{
    return which == 'K' ? range.db : which == 'L' ? range.start : range.end;
}

} // namespace

CDrvFile::CDrvFile(const std::string& path, PrjBundle* bundle, DrvFamily family) : m_family(family)
{
    if (bundle) {
        m_prj = bundle->prjData;
        m_sps = bundle->spsPar;
        m_cfg = bundle->drvCfg;
    }
    if (m_prj)
        m_devType = m_prj->GetDevType();
    if (!ReadWholeInput(path, m_bytes, kDrvFileModule)) {
        SetError(kErrRead);
        return;
    }
    m_fileSize = static_cast<int32_t>(m_bytes.size());
    // An unreadable first entry leaves the length 0, which every walk refuses.
    static_cast<void>(SelectEntry(0));
}

bool CDrvFile::CheckError()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case kErrRead:
        ShowMessage(msg::kTreiberdateiKonnteNichtGelesenWerden);
        break;
    case kErrMissing:
        ShowMessage(msg::kTreiberNichtInDateiEnthalten, m_cfg ? m_cfg->GetDrvFileName() : std::string(),
                    m_cfg ? m_cfg->DrvLibName(m_devType) : std::string());
        break;
    case kErrLibRead:
    case kErrTarget:
        ShowMessage(msg::kProjekttreiberKonnteNichtAusTreiber);
        break;
    default:
        return false;
    }
    m_error.Clear();
    return false;
}

StepResult CDrvFile::SelectEntry(int32_t offset)
{
    m_entry = offset;
    m_entryLen = 0;
    BeReader file(m_bytes);
    const uint16_t length = file.U16(static_cast<uint64_t>(offset) + drvlayout::kLength);
    if (offset < 0 || !file.Ok())
        return -1;
    m_entryLen = m_family == DrvFamily::F706 ? 2 * int32_t{length} : int32_t{length};
    return 1;
}

DrvEntry CDrvFile::Entry() const
{
    return DrvEntry(std::string_view(m_bytes), m_family, m_entry, m_entryLen, m_devType);
}

StepResult CDrvFile::EntryName(const DrvEntry& entry, std::string& name) const
{
    std::string field;
    if (entry.Text(drvlayout::HeaderOf(m_family).fileNameAt, kFileNameField, field) != 1)
        return -1;
    name = TrimTrailingBlanks(field);
    return 1;
}

bool CDrvFile::IsValid()
{
    const DrvEntry entry = Entry();
    if (m_family == DrvFamily::F706) {
        uint16_t magic = 0;
        return entry.Word(drvlayout::k706Magic, magic) == 1 && magic == drvlayout::k706MagicValue;
    }
    uint8_t mark = 0;
    return entry.Byte(drvlayout::k043Mark, mark) == 1 && mark == drvlayout::k043MarkValue;
}

bool CDrvFile::NameMatches(int drvNo)
{
    std::string name;
    return m_cfg && EntryName(Entry(), name) == 1 && !name.empty() && name == m_cfg->DrvFileName(drvNo);
}

std::string CDrvFile::GetName()
{
    std::string name;
    if (Failed())
        return name;
    if (EntryName(Entry(), name) != 1)
        SetError(kErrRead);
    return name;
}

bool CDrvFile::VersionFits()
{
    if (!m_cfg)
        return true;
    const DrvEntry entry = Entry();
    const drvlayout::Header& layout = drvlayout::HeaderOf(m_family);
    std::string e;
    if (entry.Text(layout.versionAt + 5, 4, e) != 1)
        return false;
    const std::string& v = m_cfg->GetDrvVersion();
    if (CharAt(v, 0) != '\0' && !Below(CharAt(v, 0), e[0]) && CharAt(v, 1) == e[1] && !Below(CharAt(v, 2), e[2]) &&
        !Below(CharAt(v, 4), e[3]))
        return false;
    std::string k;
    if (entry.Text(layout.kindAt + 5, 3, k) != 1)
        return true;
    const std::string& ck = m_cfg->GetDrvKind();
    if (CharAt(ck, 0) != '\0' && (Below(CharAt(ck, 0), k[0]) || Below(CharAt(ck, 1), k[1]) || Below(CharAt(ck, 2), k[2])))
        return false;
    return true;
}

bool CDrvFile::ReadTexts(const DrvEntry& entry)
{
    const drvlayout::Header& layout = drvlayout::HeaderOf(m_family);
    const bool is706 = m_family == DrvFamily::F706;
    auto stamp = [&](int32_t at, std::string& text) {
        std::string bytes;
        if (entry.Text(at, is706 ? 3 : 2, bytes) != 1)
            return false;
        text = is706 ? HexStampText(bytes) : DosDateText(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]));
        return true;
    };
    std::string text;
    if (!stamp(layout.nameStampAt, text))
        return false;
    m_cfg->SetDrvName(text);
    if (EntryName(entry, text) != 1)
        return false;
    m_cfg->SetDrvFile(text);
    if (entry.Text(layout.versionAt + 5, 4, text) != 1)
        return false;
    m_cfg->SetDrvVersion(VersionTextOf(text));
    if (entry.Text(layout.kindAt + 5, 3, text) != 1)
        return false;
    m_cfg->SetDrvKind(text);
    if (!stamp(layout.dateStampAt, text))
        return false;
    m_cfg->SetDrvDate(text);
    return true;
}

void CDrvFile::StampRange(CPrjVar& var)
{
    const char which = RangeParamOf(var.GetName());
    if (!which || !m_sps || !HasRangeParams(m_family, m_cfg->GetDrvNo()))
        return;
    DrvRange range = DriverRangeFor(m_cfg->GetDrvNo(), *m_sps);
    const uint32_t value = RangeValue(range, which);
    if (static_cast<uint32_t>(var.GetExtWord1()) == value)
        return;
    var.SetExtWord1(static_cast<int32_t>(value));
    if (m_cfg->IsDrvLoaded())
        m_cfg->SetModified(true);
}

bool CDrvFile::ReadParam(const DrvEntry& entry, const DrvElement& element)
{
    const std::string name = element.name.substr(0, kMaxParName);
    const uint8_t setpKind = m_family == DrvFamily::F706 ? SetpKindOf(element) : 1;
    uint32_t setting = 0;
    if (ReadDrvSetting(entry, element, setting) != 1)
        return false;
    CPrjVar* var = nullptr;
    if (element.type == DrvElement::kNumber) {
        DrvNumber n;
        if (ReadDrvNumber(entry, element, n) != 1)
            return false;
        var = new CPrjIntVarNum(name, kDrvFileIntVarFlags, setpKind, DrvElement::kNumber, static_cast<int32_t>(n.first),
                                static_cast<int32_t>(setting), n.digits, n.decimals, static_cast<int32_t>(n.lower),
                                static_cast<int32_t>(n.upper));
        StampRange(*var);
    } else {
        uint32_t first = 0;
        uint16_t highest = 0;
        if ((element.firstAt >= 0 && entry.DWord(element.firstAt, first) != 1) ||
            ReadDrvHighest(entry, element, highest) != 1)
            return false;
        const int last = std::min<int>(highest, kMaxStateIdx);
        std::vector<std::string> texts(static_cast<size_t>(last) + 1);
        for (int i = 0; i <= last; ++i)
            if (ReadDrvChoiceText(entry, element, i, texts[static_cast<size_t>(i)]) != 1)
                return false;
        auto* str = new CPrjIntVarStr(name, kDrvFileIntVarFlags, setpKind, DrvElement::kChoice, static_cast<int32_t>(first),
                                      static_cast<int32_t>(setting), m_cfg->GetParList16());
        str->SetTxtCount(last);
        for (int i = 0; i <= last; ++i)
            str->SetStateTxt(i, texts[static_cast<size_t>(i)].c_str());
        var = str;
    }
    if (m_family == DrvFamily::F043)
        var->SetAttr32(static_cast<uint32_t>(element.valueAt));
    m_cfg->AddPar6(var);
    return true;
}

bool CDrvFile::ReadParams(const DrvEntry& entry)
{
    bool ok = true;
    const int walked = WalkDrvChain(entry, [&](const DrvElement& element) {
        if (element.type != DrvElement::kNumber && element.type != DrvElement::kChoice)
            return true;
        ok = ReadParam(entry, element);
        return ok;
    });
    return walked == 1 && ok;
}

void CDrvFile::ReadHeader()
{
    GuardMemory([this] { ReadHeaderSteps(); }, [this] { SetError(kErrRead); });
}

void CDrvFile::ReadHeaderSteps()
{
    if (!m_cfg || Failed())
        return;
    if (m_family == DrvFamily::F043)
        LogLine(kLogDebug, "read Driver");
    const DrvEntry entry = Entry();
    if (!ReadTexts(entry) || !ReadParams(entry)) {
        SetError(kErrRead);
        return;
    }
    int32_t x = 0;
    const int located = LocateXref(entry, x);
    if (located == 0) {
        m_cfg->SetFlag(CDrvCfg::kFlagXref, 0);
        m_cfg->SetFlag(CDrvCfg::kFlagRefList, 0);
        m_cfg->SetFlag(CDrvCfg::kFlagMultiPlc, 0);
        return;
    }
    if (located < 0 || ReadXref(entry, x, *m_cfg) != 1)
        SetError(kErrRead);
}

bool CDrvFile::CheckParams()
{
    if (!m_cfg || !m_sps || Failed())
        return true;
    const uint16_t drvNo = m_cfg->GetDrvNo();
    if (!HasRangeParams(m_family, drvNo))
        return true;
    const DrvEntry entry = Entry();
    DrvRange driver = DriverRangeFor(drvNo, *m_sps);
    bool found[3] = {false, false, false};
    bool valueUnreadable = false;
    const int walked = WalkDrvChain(entry, [&](const DrvElement& element) {
        const char which = CheckedParamOf(element);
        if (!which)
            return true;
        uint32_t value = 0;
        if (ReadDrvSetting(entry, element, value) != 1) {
            valueUnreadable = true;
            return false;
        }
        RangeValue(driver, which) = value;
        found[which == 'K' ? 0 : which == 'L' ? 1 : 2] = true;
        return true;
    });
    if (walked != 1 || valueUnreadable) {
        SetError(kErrRead);
        return valueUnreadable;
    }
    RangeComparison cmp = CompareRange(drvNo, *m_sps, driver);
    // A value the driver does not carry is taken as the project's.
    if (!found[0])
        cmp.driver.db = cmp.project.db;
    if (!found[1])
        cmp.driver.start = cmp.project.start;
    if (!found[2])
        cmp.driver.end = cmp.project.end;
    if (cmp.Equal())
        return true;
    return ConfirmRangeChange(static_cast<uint16_t>(cmp.driver.db), static_cast<uint16_t>(cmp.driver.start),
                              static_cast<uint16_t>(cmp.driver.end));
}

bool CDrvFile::ConfirmRangeChange(uint16_t db, uint16_t start, uint16_t end)
{
    if (!m_cfg)
        return true;
    const std::string range = RangeText(m_cfg->GetDrvNo(), m_sps ? m_sps->GetSpsType() : 0, db, start, end);
    if (range.empty())
        return true;
    return AskYesNo(msg::kSollDieImProjektVerwendete, range);
}

bool CDrvFile::FindEntry()
{
    bool found = false;
    GuardMemory([&] { found = FindEntrySteps(); }, [this] { SetError(kErrRead); });
    return found;
}

bool CDrvFile::FindEntrySteps()
{
    if (!m_cfg || Failed())
        return false;
    const int drvNo = m_cfg->GetDrvNo();
    for (int32_t offset = 0; offset < m_fileSize; offset += m_entryLen) {
        if (SelectEntry(offset) != 1 || m_entryLen <= 0) {
            // Back at the first entry; the walk has failed already.
            static_cast<void>(SelectEntry(0));
            SetError(kErrRead);
            return false;
        }
        if (NameMatches(drvNo) && IsValid())
            return true;
    }
    SetError(kErrMissing);
    return false;
}

void CDrvFile::MarkEntries(uint16_t devType)
{
    GuardMemory([&] { MarkEntriesSteps(devType); }, [this] { SetError(kErrRead); });
}

void CDrvFile::MarkEntriesSteps(uint16_t devType)
{
    if (!m_cfg || Failed())
        return;
    for (int32_t offset = 0; offset < m_fileSize; offset += m_entryLen) {
        if (SelectEntry(offset) != 1 || m_entryLen <= 0) {
            // Back at the first entry; the walk has failed already.
            static_cast<void>(SelectEntry(0));
            SetError(kErrRead);
            return;
        }
        std::string name;
        if (!IsValid() || EntryName(Entry(), name) != 1 || name.empty())
            continue;
        for (int drvNo = 0; drvNo < CDrvCfg::kLibDrivers; ++drvNo)
            if (name == m_cfg->DrvFileName(drvNo))
                m_cfg->SetDrvAvail(devType, drvNo, 1);
    }
}

void CDrvFile::ExtractEntry(const std::string& path, bool twoZeros)
{
    if (Failed())
        return;
    if (m_entryLen <= 0) {
        SetError(kErrLibRead);
        return;
    }
    BeReader file(m_bytes);
    const uint8_t* entry = file.Bytes(static_cast<uint64_t>(m_entry), static_cast<size_t>(m_entryLen));
    if (entry == nullptr) {
        SetError(kErrLibRead);
        return;
    }
    GuardMemory(
        [&] {
            std::string bytes(reinterpret_cast<const char*>(entry), static_cast<size_t>(m_entryLen));
            if (twoZeros)
                bytes.append(2, '\0');
            if (!orv::WriteFileReplacing(path, bytes))
                SetError(kErrTarget);
        },
        [this] { SetError(kErrTarget); });
}

CDrvFile706::CDrvFile706(const std::string& path, PrjBundle* bundle) : CDrvFile(path, bundle, DrvFamily::F706) {}

CDrvFile043::CDrvFile043(const std::string& path, PrjBundle* bundle) : CDrvFile(path, bundle, DrvFamily::F043) {}

CDrvLib706::CDrvLib706(const std::string& path, PrjBundle* bundle) : CDrvFile706(path, bundle) {}

bool CDrvLib706::Find()
{
    return FindEntry();
}

void CDrvLib706::MarkPresent(uint16_t devType)
{
    MarkEntries(devType);
}

void CDrvLib706::Extract(const std::string& path)
{
    ExtractEntry(path, false);
}

CDrvLib043::CDrvLib043(const std::string& path, PrjBundle* bundle) : CDrvFile043(path, bundle) {}

bool CDrvLib043::Find()
{
    return FindEntry();
}

void CDrvLib043::MarkPresent(uint16_t devType)
{
    MarkEntries(devType);
}

void CDrvLib043::Extract(const std::string& path)
{
    const PanelRow* row = FindPanel(DevType());
    ExtractEntry(path, row && row->family == Family::F118);
}

} // namespace orv

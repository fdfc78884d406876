// The decompiler base: bounded reads, signature check, variable and softkey
// inserts and the driver blocks that every family's decompiler shares.
#include "image/decompile/Deco.h"

#include "image/drv/DrvLayout.h"
#include "image/codec/ImgLayout.h"
#include "image/codec/ReadWhole.h"
#include "image/drv/DrvXref.h"
#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/CharSet.h"
#include "model/core/CheckedFormat.h"
#include "model/project/DrvCfg.h"
#include "model/project/DrvParColl.h"
#include "model/project/DrvParItem.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsDef.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"

#include <cstring>
#include <memory>

namespace orv {

namespace {

// The fields of the block's head that both record forms store.
int ReadHeadWords(BeReader& file, uint64_t block, uint32_t recSizeAt, CDrvCfg& cfg, uint16_t& count,
                  uint16_t& recSize)
{
    count = file.U16(block + drvlayout::kBlockCount);
    for (int i = 0; i < CDrvCfg::kLimitCount && file.Ok(); ++i) {
        const uint16_t limit = file.U16(block + drvlayout::kBlockLimits + 2 * static_cast<uint64_t>(i));
        if (file.Ok())
            cfg.SetAdrLimit(static_cast<CDrvCfg::AdrLimit>(i), limit);
    }
    recSize = file.U16(block + recSizeAt);
    if (!file.Ok())
        return -1;
    cfg.SetRecSize(recSize);
    return 1;
}

template <class List, class Entry>
void ReplaceAt(List& list, int index, std::unique_ptr<Entry> entry)
{
    list.Delete(list.ItemAt(index));
    list.Adopt(std::move(entry));
}

constexpr uint32_t kRecordBase = drvlayout::kBlockRecords;
constexpr uint32_t kExtRecordBase = drvlayout::kBlockExtRecords;
constexpr int kFixedRefs = 30;

} // namespace

CDeco::CDeco(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
             const std::string& fktPath, PrjBundle* bundle, const char* module)
    : m_workspace(workspace), m_drvPath(drvPath), m_fktPath(fktPath)
{
    if (bundle != nullptr) {
        m_prj = bundle->prjData;
        m_sps = bundle->spsPar;
        m_drv = bundle->drvCfg;
        m_charSet = bundle->charSet;
    }
    if (!ReadWholeInput(imagePath, m_image, module))
        SetError(kErrImage);
}

void CDeco::SetError(uint16_t error, uint16_t word)
{
    m_error.Set(error, error == kErrWord ? word : 0);
}

bool CDeco::CheckError()
{
    switch (m_error.Code()) {
    case 0:
        return true;
    case kErrImage:
    case kErrImageAlt:
        ShowMessage(msg::kDieRueckgeleseneBinaerdateiKannNicht);
        break;
    case kErrDrv:
        ShowMessage(msg::kTreiberdateiKannNichtGeoeffnetWerden_15205);
        break;
    case kErrMemory:
        ShowMessage(msg::kNichtGenuegendFreierArbeitsspeicherFuer_15602);
        break;
    case kErrIntVar:
        ShowMessage(msg::kInterneVariableIstNichtIn, m_errName.c_str());
        break;
    case kErrRead:
        ShowMessage(msg::kDatenWurdenNichtVollstaendigAusgewertet);
        break;
    case kErrWord:
        ShowMessage(msg::kVerwendeteSPSWortAdresseIst, int{m_error.Word()});
        break;
    case kErrFkt:
        break;
    default:
        return false;
    }
    m_error.Clear();
    return false;
}

DecoFile::DecoFile(const std::string& path, const char* module)
{
    m_open = ReadWholeInput(path, m_bytes, module);
}

bool DecoFile::Read(uint32_t offset, void* buffer, uint16_t length) const
{
    return length == 0 || Reader().Block(offset, buffer, length);
}

bool DecoFile::Word(uint32_t offset, uint16_t& value) const
{
    return Reader().Get(offset, value);
}

bool DecoFile::DWord(uint32_t offset, uint32_t& value) const
{
    return Reader().Get(offset, value);
}

StepResult CDeco::ReadBlock(uint32_t offset, void* buffer, uint16_t length)
{
    if (length == 0 || Image().Block(offset, buffer, length))
        return 1;
    SetError(kErrRead);
    return -1;
}

template <class Number>
StepResult CDeco::ReadNumber(uint32_t offset, Number& value)
{
    if (Image().Get(offset, value))
        return 1;
    SetError(kErrRead);
    return -1;
}

StepResult CDeco::ReadByte(uint32_t offset, uint8_t& value)
{
    return ReadNumber(offset, value);
}

StepResult CDeco::ReadWord(uint32_t offset, uint16_t& value)
{
    return ReadNumber(offset, value);
}

StepResult CDeco::ReadDWord(uint32_t offset, uint32_t& value)
{
    return ReadNumber(offset, value);
}

StepResult CDeco::ReadPointer(uint32_t offset, uint32_t& value)
{
    if (ReadDWord(offset, value) != 1)
        return -1;
    if (value == 0 || Holds(value, 1))
        return 1;
    SetError(kErrRead);
    return -1;
}

StepResult CDeco::ReadSigned48(uint32_t offset, int64_t& value)
{
    BeReader image = Image();
    const int64_t number = image.S48(offset);
    if (!image.Ok()) {
        SetError(kErrRead);
        return -1;
    }
    value = number;
    return 1;
}

StepResult CDeco::ReadString(uint32_t at, size_t max, bool convert, std::string& text)
{
    BeReader image = Image();
    text = image.String(at, max);
    if (convert)
        for (char& c : text)
            c = static_cast<char>(PanelChar(static_cast<uint8_t>(c)));
    if (image.Ok())
        return 1;
    SetError(kErrRead);
    return -1;
}

uint8_t CDeco::PanelChar(uint8_t byte) const
{
    return m_charSet->ToPanelChar(byte, 0);
}

CPrjVar* CDeco::FindVar(std::string_view name) const
{
    CPrjVar* var = m_prj->GetVarList() ? m_prj->GetVarList()->FindByName(name) : nullptr;
    if (var == nullptr && m_prj->GetFwVarList() != nullptr)
        var = m_prj->GetFwVarList()->FindByName(name);
    return var;
}

void CDeco::DiscardVar(std::unique_ptr<CPrjVar>& var)
{
    if (var)
        var->FreeKindData();
    var.reset();
}

StepResult CDeco::InsertVar(std::unique_ptr<CPrjVar>& var)
{
    const int index = m_prj->InsVar(var.get());
    if (Taken(m_prj->GetVarList(), index, var) == 1)
        return 1;
    DiscardVar(var);
    return -1;
}

StepResult CDeco::ReadKeyPair(const CPrjSkActList& acts, CPrjSkTxt& text, int key, uint32_t pair)
{
    uint16_t press = 0;
    uint16_t release = 0;
    if (ReadWord(pair, press) != 1 || ReadWord(pair + 2, release) != 1)
        return -1;
    CPrjSkAct* pressAct = press ? acts.FindByNum(press) : nullptr;
    CPrjSkAct* releaseAct = release ? acts.FindByNum(release) : nullptr;
    if ((press && !pressAct) || (release && !releaseAct))
        return -1;
    text.SetActs(key, pressAct, releaseAct);
    return 1;
}

StepResult CDeco::InsertSkTxt(std::unique_ptr<CPrjSkTxt> text)
{
    const int index = m_prj->InsSkTxt(text.get());
    if (Taken(m_prj->GetSkTxtList(), index, text) != 1)
        return -1;
    Count(DecoKind::SkTexts);
    return 1;
}

StepResult CDeco::CheckWordAddrs(uint16_t first, uint16_t count)
{
    if (m_sps == nullptr) {
        SetError(kErrRead);
        return -1;
    }
    for (uint32_t word = first; word < uint32_t{first} + count; ++word) {
        const CDrvParItem* item = m_sps->GetItems().FindItem(static_cast<uint16_t>(word));
        if (item == nullptr || item->GetKind() == CDrvParItem::KindSys) {
            SetError(kErrWord, static_cast<uint16_t>(word));
            return -1;
        }
    }
    return 1;
}

void CDeco::Count(DecoKind kind)
{
    if (m_workspace == nullptr)
        return;
    CMemInfo::Counts& c = m_workspace->MemInfo().counts;
    uint16_t* counters[] = {&c.vars,      &c.varTexts,   &c.opTexts,     &c.opRows,     &c.skTexts,
                            &c.msgTexts,  &c.msgRows,    &c.rcpTexts,    &c.rcpRows,    &c.histTexts,
                            &c.histRows,  &c.hlpTexts,   &c.hlpRows,     &c.skActions,  &c.opPrnTexts,
                            &c.opPrnRows, &c.menus,      &c.menuNodes,   &c.timeSwitches, &c.timeValues};
    ++*counters[static_cast<int>(kind)];
}

uint32_t CDeco::HexDigitsAsDecimal(uint32_t value)
{
    return imglayout::Bcd::Decode(value);
}

void CDeco::NameLetterCounter()
{
    if (++m_letters[1] > 'Z') {
        m_letters[1] = 'A';
        ++m_letters[0];
    }
}

std::string CDeco::GeneratedName() const
{
    return std::string(m_letters.begin(), m_letters.end());
}

void CDeco::SetMask(const uint8_t* bytes, int size)
{
    m_maskSize = size;
    std::memcpy(m_mask.data(), bytes, static_cast<size_t>(size));
}

bool CDeco::BitTest(int bit) const
{
    if (bit < 0 || bit >= 8 * m_maskSize)
        return false;
    return (m_mask[static_cast<size_t>(m_maskSize - 1 - bit / 8)] >> (bit % 8)) & 1;
}

void CDeco::ResetFrontEnd()
{
    m_signature = 0;
    m_newFormat = 0;
    m_textEnd = 0xFFFF;
    m_letters = {'A', '@'};
}

StepResult CDeco::CheckSignature()
{
    char text[10] = {};
    if (ReadBlock(imglayout::kHdrToolVersion, text, 9) != 1)
        return -1;
    m_signature = std::strncmp(text, "PORV", 4) == 0 ? 1 : 0;
    const bool complete = std::strlen(text) == 9;
    if (complete && std::strncmp(text, "ORVPRO", 6) == 0) {
        const auto major = static_cast<signed char>(text[6]);
        const auto minor = static_cast<signed char>(text[8]);
        if (major > '1' || (major == '1' && minor >= '4'))
            m_newFormat = 1;
    }
    // Images of this tool carry its own version text.
    if (std::strcmp(text, "Q32r11000") == 0)
        m_newFormat = 1;
    uint8_t mask[4];
    if (ReadBlock(imglayout::kHdrFlags, mask, 4) != 1)
        return -1;
    SetMask(mask, 4);
    return 1;
}

StepResult CDeco::FindTextAreaEnd(bool family043)
{
    if (ReadWord(imglayout::kHdrLength, m_textEnd) != 1)
        return -1;
    m_lengthWord = m_textEnd;
    if (m_signature == 1)
        return 1;
    auto lower = [this](uint16_t value) {
        if (value != 0 && value < m_textEnd)
            m_textEnd = value;
    };
    for (uint32_t at : {imglayout::kHdrDescr, imglayout::kHdrMnuNames}) {
        uint16_t value = 0;
        if (ReadWord(at, value) != 1)
            return -1;
        lower(value);
    }
    if (!family043)
        return 1;
    for (int m = imglayout::kAMnuNumMin; m <= imglayout::kAMnuNumMax; ++m) {
        uint16_t value = 0;
        if (ReadWord(imglayout::AMnuSlot(m), value) != 1)
            return -1;
        if (m_newFormat && value > 2)
            value = static_cast<uint16_t>(value - 2);
        lower(value);
    }
    return 1;
}

StepResult CDeco::ReadDrvParams(BeReader file, uint32_t block, uint16_t recordError)
{
    if (m_drv == nullptr)
        return 1;
    char mark[4];
    if (!file.Block(uint64_t{block} + drvlayout::kBlockMark, mark, 4)) {
        SetError(recordError);
        return -1;
    }
    const bool valid = std::memcmp(mark, "QVL", 3) == 0;
    m_drv->SetFlag(CDrvCfg::kFlagXref, valid ? 1 : 0);
    if (!valid)
        return 1;
    m_drv->SetFlag(CDrvCfg::kFlagRefList, mark[3] == 'S' ? 1 : 0);
    m_drv->SetFlag(CDrvCfg::kFlagMultiPlc, mark[3] == 'E' ? 1 : 0);
    if (mark[3] == 'S')
        return ReadShortForm(file, block);
    if (ReadLongForm(file, block, mark[3] == 'E', recordError) != 1)
        return -1;
    return mark[3] == 'E' ? ReadDefs(file, block) : StepResult{1};
}

StepResult CDeco::ReadShortForm(BeReader& file, uint32_t block)
{
    CDrvTab6List* list = m_drv->GetParItems2();
    if (list == nullptr || list->GetLimit() == 0)
        return 1;
    uint16_t count = 0;
    uint16_t recSize = 0;
    if (ReadHeadWords(file, block, drvlayout::kBlockRecSize, *m_drv, count, recSize) != 1) {
        SetError(kErrDrv);
        return -1;
    }
    for (int k = 0; k < kFixedRefs && k < list->GetCount(); ++k) {
        const uint16_t value = file.U16(uint64_t{block} + kRecordBase + 4 * static_cast<uint64_t>(k));
        if (!file.Ok()) {
            SetError(kErrDrv);
            return -1;
        }
        const CDrvTabEntry6& old = *list->ItemAt(k);
        ReplaceAt(*list, k,
                  std::make_unique<CDrvTabEntry6>(old.GetKey(), old.GetByte1(), value, old.GetByte2(),
                                                  old.GetVal1(), old.GetVal2()));
    }
    DrvRefState state;
    for (uint32_t k = kFixedRefs; k < count; k += 2) {
        const int index = static_cast<int>((k - kFixedRefs) / 2 + kFixedRefs);
        if (index >= list->GetCount())
            break;
        uint8_t rec[kRefRecordSize];
        if (!file.Block(uint64_t{block} + kRecordBase + uint64_t{recSize} * k, rec, kRefRecordSize)) {
            SetError(kErrDrv);
            return -1;
        }
        ReplaceAt(*list, index,
                  std::unique_ptr<CDrvTabEntry6>(DecodeRefRecord(list->ItemAt(index)->GetKey(), rec, state)));
    }
    return 1;
}

StepResult CDeco::ReadLongForm(BeReader& file, uint32_t block, bool extended, uint16_t recordError)
{
    CDrvTab5List* list = m_drv->GetParItems();
    if (list == nullptr || list->GetLimit() == 0)
        return 1;
    uint16_t count = 0;
    uint16_t recSize = 0;
    if (ReadHeadWords(file, block, extended ? drvlayout::kBlockExtRecSize : drvlayout::kBlockRecSize, *m_drv, count,
                      recSize) != 1) {
        SetError(recordError);
        return -1;
    }
    const uint64_t base = uint64_t{block} + (extended ? kExtRecordBase : kRecordBase);
    for (int k = 0; k < count && k < list->GetCount(); ++k) {
        uint8_t rec[DrvTab5Record::kSize];
        if (!file.Block(base + uint64_t{recSize} * static_cast<uint64_t>(k), rec, DrvTab5Record::kSize)) {
            SetError(recordError);
            return -1;
        }
        const DrvTab5Record r = DecodeTab5Record(rec);
        ReplaceAt(*list, k,
                  std::make_unique<CDrvTabEntry5>(r.plc, list->ItemAt(k)->GetKey(), r.area, r.db, r.word));
    }
    return 1;
}

StepResult CDeco::ReadDefs(BeReader& file, uint32_t block)
{
    CSpsDefList* defs = m_drv->GetParItems3();
    if (defs == nullptr || defs->GetLimit() <= 0)
        return 1;
    defs->DeleteAll();
    for (uint32_t k = 0; k < CSpsDefList::kMaxPlcs; ++k) {
        uint8_t d[4];
        if (!file.Block(uint64_t{block} + drvlayout::kBlockDefs + 4 * uint64_t{k}, d, 4)) {
            SetError(kErrDrv);
            return -1;
        }
        if (d[0] == 0)
            continue;
        const std::string name = FormatText("%s%u", ResourceTXT(res::kSPS_1128), k + 1);
        defs->Adopt(std::make_unique<CSpsDef>(d[0], d[1], d[2], d[3], name.c_str()));
    }
    return 1;
}

} // namespace orv

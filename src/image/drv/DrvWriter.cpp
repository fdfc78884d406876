// Writes the driver file in memory and replaces it whole, so a failure leaves
// the file as it was.
#include "image/drv/DrvWriter.h"

#include "image/codec/BeReader.h"
#include "image/codec/CheckWord.h"
#include "image/drv/DrvChain.h"
#include "image/drv/DrvLayout.h"
#include "image/drv/DrvXref.h"
#include "image/codec/FileFields.h"
#include "image/codec/ImageBuffer.h"
#include "image/codec/ReadWhole.h"
#include "model/core/CatalogueIds.h"
#include "model/project/DrvCfg.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"
#include "platform/FileReplace.h"

#include <algorithm>

namespace orv {

namespace {

constexpr const char* kDrvWriterModule = "Drvorv";

} // namespace

CDrvWriter::CDrvWriter(const std::string& path, PrjBundle* bundle, DrvFamily family) : m_family(family), m_path(path)
{
    if (bundle) {
        m_cfg = bundle->drvCfg;
        if (bundle->prjData)
            m_devType = bundle->prjData->GetDevType();
    }
    if (!ReadWholeInput(path, m_bytes, kDrvWriterModule))
        Fail();
}

void CDrvWriter::Save(bool checkWord)
{
    if (!Ready())
        return;
    ImageBuffer file(m_bytes);
    // Replaced whole: a failure leaves the file as it was.
    if ((checkWord && !StampCheckWord(file)) || !orv::WriteFileReplacing(m_path, file.Bytes()))
        Fail();
}

bool CDrvWriter::CheckError()
{
    if (!m_error.Failed())
        return true;
    if (m_error.Code() == kErrFile) {
        ShowMessage(msg::kTreiberdateiKonnteNichtGeaendertWerden);
        m_error.Clear();
    }
    return false;
}

DrvEntry CDrvWriter::Entry()
{
    BeReader file(m_bytes);
    const uint16_t length = file.U16(drvlayout::kLength);
    const int32_t bytes = m_family == DrvFamily::F706 ? 2 * int32_t{length} : int32_t{length};
    return DrvEntry(m_bytes, m_family, 0, bytes, m_devType);
}

void CDrvWriter::WriteCopyName(int32_t offset, char pad)
{
    if (!Ready())
        return;
    if (Entry().PutBlock(offset, PadField(CopyNameOf(m_cfg->GetDrvPath()), kFileNameField, pad)) != 1)
        Fail();
}

void CDrvWriter::WriteParams()
{
    if (!Ready())
        return;
    const CPrjVarList* vars = m_cfg->GetParList6();
    if (!vars)
        return;
    const DrvEntry entry = Entry();
    bool ok = true;
    const int walked = WalkDrvChain(entry, [&](const DrvElement& element) {
        const CPrjVar* var = vars->FindByName(element.name);
        if (!var || var->GetType() != element.type)
            return true;
        const uint32_t value = static_cast<uint32_t>(var->GetExtWord1());
        bool fits = false;
        if (element.type == DrvElement::kNumber) {
            DrvNumber n;
            ok = ReadDrvNumber(entry, element, n) == 1;
            fits = n.lower <= value && value <= n.upper;
        } else if (element.type == DrvElement::kChoice) {
            uint16_t highest = 0;
            ok = ReadDrvHighest(entry, element, highest) == 1;
            fits = value <= highest;
        }
        if (ok && fits)
            ok = WriteDrvSetting(entry, element, value) == 1;
        return ok;
    });
    if (walked != 1 || !ok)
        Fail();
}

void CDrvWriter::WriteTables(int32_t x)
{
    if (Ready() && WriteXref(Entry(), x, *m_cfg) != 1)
        Fail();
}

CDrvWriter706::CDrvWriter706(const std::string& path, PrjBundle* bundle) : CDrvWriter(path, bundle, DrvFamily::F706)
{
}

void CDrvWriter706::Update()
{
    if (!Ready())
        return;
    WriteCopyName(drvlayout::k706.copyNameAt, '\0');
    WriteParams();
    if (Ready() && Cfg().GetFlag(CDrvCfg::kFlagXref)) {
        int32_t x = 0;
        const int located = LocateXref(Entry(), x);
        if (located < 0)
            Fail();
        else if (located > 0)
            WriteTables(x);
    }
    Save(true);
}

CDrvWriter043::CDrvWriter043(const std::string& path, PrjBundle* bundle, LocalClock clock)
    : CDrvWriter(path, bundle, DrvFamily::F043), m_clock(std::move(clock))
{
}

void CDrvWriter043::Update()
{
    if (!Ready())
        return;
    if (Cfg().GetModCount() != 0) {
        const std::tm now = m_clock ? m_clock() : std::tm{};
        const DrvEntry entry = Entry();
        if (entry.PutWord(drvlayout::k043ChangeTime, EncodeDosTime(now)) != 1 ||
            entry.PutWord(drvlayout::k043ChangeDate, EncodeDosDate(now)) != 1)
            Fail();
    }
    WriteCopyName(drvlayout::k043.copyNameAt, ' ');
    WriteParams();
    if (Ready() && Cfg().GetParList6() && Cfg().GetFlag(CDrvCfg::kFlagXref)) {
        int32_t x = 0;
        if (LocateXref(Entry(), x) != 1)
            Fail();
        else
            WriteTables(x);
    }
    Save(false);
}

} // namespace orv

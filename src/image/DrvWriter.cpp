#include "image/DrvWriter.h"

#include "image/BinIo.h"
#include "image/CheckWord.h"
#include "image/DrvChain.h"
#include "image/DrvXref.h"
#include "image/FileFields.h"
#include "image/ImageBuffer.h"
#include "image/ReadWhole.h"
#include "model/DrvCfg.h"
#include "model/MessageBoxes.h"
#include "model/PrjBundle.h"
#include "model/PrjData.h"
#include "model/PrjVar.h"
#include "model/PrjVarList.h"
#include "platform/FileReplace.h"

#include <algorithm>

namespace {

constexpr const char* kModule = "Drvorv";

// A stream over a file held in memory that reads and overwrites its bytes
// but never grows it: a driver entry is changed only in place.
struct MemoryFile {
    std::string* bytes;
    size_t pos = 0;

    static ssize_t Read(void* cookie, char* buf, size_t size)
    {
        auto* f = static_cast<MemoryFile*>(cookie);
        const size_t n = f->pos < f->bytes->size() ? std::min(size, f->bytes->size() - f->pos) : 0;
        f->bytes->copy(buf, n, f->pos);
        f->pos += n;
        return static_cast<ssize_t>(n);
    }

    static ssize_t Write(void* cookie, const char* buf, size_t size)
    {
        auto* f = static_cast<MemoryFile*>(cookie);
        if (f->pos > f->bytes->size() || size > f->bytes->size() - f->pos)
            return -1;
        f->bytes->replace(f->pos, size, buf, size);
        f->pos += size;
        return static_cast<ssize_t>(size);
    }

    static int Seek(void* cookie, off64_t* offset, int whence)
    {
        auto* f = static_cast<MemoryFile*>(cookie);
        const off64_t from = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off64_t>(f->pos)
                                                                         : static_cast<off64_t>(f->bytes->size());
        if (*offset < -from)
            return -1;
        *offset += from;
        f->pos = static_cast<size_t>(*offset);
        return 0;
    }

    static int Close(void* cookie)
    {
        delete static_cast<MemoryFile*>(cookie);
        return 0;
    }
};

std::FILE* OpenMemoryFile(std::string& bytes)
{
    auto* file = new MemoryFile{&bytes};
    std::FILE* stream = ::fopencookie(file, "r+", {&MemoryFile::Read, &MemoryFile::Write, &MemoryFile::Seek,
                                                   &MemoryFile::Close});
    if (!stream)
        delete file;
    return stream;
}

} // namespace

CDrvWriter::CDrvWriter(const std::string& path, PrjBundle* bundle, DrvFamily family)
    : m_family(family), m_path(path)
{
    if (bundle) {
        m_cfg = bundle->drvCfg;
        if (bundle->prjData)
            m_devType = bundle->prjData->GetDevType();
    }
    if (!ReadWholeInput(path, m_bytes, kModule)) {
        Fail();
        return;
    }
    m_stream.reset(OpenMemoryFile(m_bytes));
    if (!m_stream)
        Fail();
}

void CDrvWriter::Save(bool checkWord)
{
    if (!Ready())
        return;
    if (std::fflush(m_stream.get()) != 0) {
        Fail();
        return;
    }
    ImageBuffer file(m_bytes);
    if ((checkWord && !StampCheckWord(file)) || !orv::WriteFileReplacing(m_path, file.Bytes()))
        Fail();
}

bool CDrvWriter::CheckError()
{
    if (m_error == 0)
        return true;
    if (m_error == kErrFile) {
        ShowMessage(16103);
        m_error = 0;
    }
    return false;
}

DrvEntry CDrvWriter::Entry() const
{
    uint16_t length = 0;
    const auto size = static_cast<int32_t>(m_bytes.size());
    int32_t bytes = 0;
    if (size > 0 && ReadWordAt(m_stream.get(), 0, length) == 1)
        bytes = m_family == DrvFamily::F706 ? 2 * int32_t{length} : int32_t{length};
    return DrvEntry(m_stream.get(), m_family, 0, std::min(bytes, size), m_devType);
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
    WriteCopyName(26, '\0');
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
        if (entry.PutWord(16, EncodeDosTime(now)) != 1 || entry.PutWord(18, EncodeDosDate(now)) != 1)
            Fail();
    }
    WriteCopyName(3, ' ');
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

// Reads and checks a special-function file's header; an installed file may name
// itself in another case.
#include "image/drv/FktFile.h"

#include "image/codec/CheckWord.h"
#include "image/codec/FileErrorReport.h"
#include "image/codec/FileFields.h"
#include "image/drv/HeaderFields.h"
#include "image/codec/ImageBuffer.h"
#include "image/codec/ReadWhole.h"
#include "model/core/CatalogueIds.h"
#include "model/project/FktCfg.h"
#include "model/core/FrameState.h"
#include "model/core/Log.h"
#include "model/project/PrjBundle.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileLookup.h"
#include "platform/FileReplace.h"

namespace orv {

namespace {

constexpr const char* kFktFileModule = "Fktorv";

constexpr FktLayout kLayout706{6, 26, 64, true, 40, 20, 3, true};
constexpr FktLayout kLayout014{29, 3, 46, false, 18, 44, 0, false};
constexpr FktLayout kLayout043{29, 3, 46, false, 18, 44, 1, false};
constexpr FktLayout kLayout047{29, 3, 46, false, 18, 44, 2, false};

CFktCfg* CfgOf(PrjBundle* bundle)
{
    return bundle ? bundle->fktCfg : nullptr;
}

std::string StdFilePath(int group)
{
    const CFrameState* frame = GetMainFrame();
    const CWorkspaceState* workspace = frame ? frame->GetWorkspace() : nullptr;
    return workspace ? workspace->GetStdFktPath(group) : std::string();
}

char FktFileCharAt(const std::string& text, size_t i)
{
    return i < text.size() ? text[i] : '\0';
}

bool FktFileBelow(char a, char b)
{
    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
}

} // namespace

CFktFile::CFktFile(const std::string& path, PrjBundle* bundle, const FktLayout& layout)
    : m_layout(layout), m_cfg(CfgOf(bundle))
{
    if (!m_cfg)
        return;
    if (!ReadWholeInput(path, m_bytes, kFktFileModule) || m_bytes.empty())
        Fail();
}

bool CFktFile::CheckError()
{
    return ReportFileError(m_error, kErrFile, msg::kSonderfunktionsdateiKonnteNichtGelesen);
}

bool CFktFile::IsStdFile()
{
    if (!Ready())
        return false;
    const std::string stdPath = StdFilePath(m_layout.stdGroup);
    if (stdPath.empty())
        return false;
    std::string stored;
    if (ReadTextField(File(), m_layout.stdNameAt, kFileNameField, stored) != 1)
        return false;
    // An installed file may carry its name in another case than the name
    // stored inside it.
    return orv::EqualNoCase(CutAtBlank(stored), CopyNameOf(stdPath));
}

bool CFktFile::NeedsReplace()
{
    if (!Ready())
        return false;
    std::string field;
    if (ReadTextField(File(), m_layout.versionAt + 5, 4, field) != 1)
        return false;
    const std::string& v = m_cfg->GetVersion();
    return v.empty() || FktFileBelow(FktFileCharAt(v, 0), field[0]) || FktFileCharAt(v, 1) != field[1] || FktFileBelow(FktFileCharAt(v, 2), field[2]) ||
           FktFileBelow(FktFileCharAt(v, 4), field[3]);
}

void CFktFile::ReadHeader()
{
    if (!Ready())
        return;
    const BeReader s = File();
    auto stamp = [&](uint32_t offset, std::string& text) {
        return m_layout.hexStamps ? ReadHexStamp(s, offset, text) : ReadDosDate(s, offset, text);
    };
    std::string text;
    if (stamp(m_layout.nameStampAt, text) != 1)
        return Fail();
    m_cfg->SetName(text);
    if (ReadTextField(s, m_layout.stdNameAt, kFileNameField, text) != 1)
        return Fail();
    m_cfg->SetFile(CutAtBlank(text));
    if (ReadVersionText(s, m_layout.versionAt, text) != 1)
        return Fail();
    m_cfg->SetVersion(text);
    if (stamp(m_layout.dateStampAt, text) != 1)
        return Fail();
    m_cfg->SetDate(text);
}

CFktFile014::CFktFile014(const std::string& path, PrjBundle* bundle) : CFktFile(path, bundle, kLayout014) {}
CFktFile043::CFktFile043(const std::string& path, PrjBundle* bundle) : CFktFile(path, bundle, kLayout043) {}
CFktFile047::CFktFile047(const std::string& path, PrjBundle* bundle) : CFktFile(path, bundle, kLayout047) {}
CFktFile706::CFktFile706(const std::string& path, PrjBundle* bundle) : CFktFile(path, bundle, kLayout706) {}

bool CFktFile706::IsValid()
{
    if (!Ready())
        return false;
    BeReader file = File();
    return file.U16(4) == 466 && file.Ok();
}

CFktWriter::CFktWriter(const std::string& path, PrjBundle* bundle, const FktLayout& layout)
    : m_layout(layout), m_cfg(CfgOf(bundle)), m_path(path)
{
    if (!m_cfg)
        return;
    if (!ReadWholeInput(path, m_bytes, kFktFileModule))
        m_error.Set(kErrFile);
}

bool CFktWriter::CheckError()
{
    return ReportFileError(m_error, kErrFile, msg::kSonderfunktionsdateiKonnteNichtGeaendert);
}

void CFktWriter::Update()
{
    if (!m_cfg || m_error.Failed())
        return;
    ImageBuffer file(m_bytes);
    const std::string field = PadField(CopyNameOf(m_cfg->GetPath()), kFileNameField, ' ');
    if (!file.PatchBytes(static_cast<size_t>(m_layout.copyNameAt), field) ||
        (m_layout.checkWord && !StampCheckWord(file)) || !orv::WriteFileReplacing(m_path, file.Bytes()))
        m_error.Set(kErrFile);
}

CFktWriter014::CFktWriter014(const std::string& path, PrjBundle* bundle) : CFktWriter(path, bundle, kLayout014) {}
CFktWriter043::CFktWriter043(const std::string& path, PrjBundle* bundle) : CFktWriter(path, bundle, kLayout043) {}
CFktWriter047::CFktWriter047(const std::string& path, PrjBundle* bundle) : CFktWriter(path, bundle, kLayout047) {}
CFktWriter706::CFktWriter706(const std::string& path, PrjBundle* bundle) : CFktWriter(path, bundle, kLayout706) {}

} // namespace orv

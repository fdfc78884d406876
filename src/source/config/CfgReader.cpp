// Reads the tool configuration file section by section through the tokenizer;
// the first error stops every later read.
#include "source/config/CfgReader.h"

#include "model/core/CatalogueIds.h"
#include "model/project/DrvParItem.h"
#include "model/project/DrvTable.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/core/WorkspaceState.h"
#include "platform/FileLookup.h"
#include "source/config/CfgNames.h"

namespace orv {

namespace {

constexpr size_t kHeadlineLimit = 78;
constexpr size_t kPrinterSeqLimit = 255;
constexpr size_t kExtLength = 3;

// The simulation format codes; a LONG entry adds these to its two words.
constexpr uint8_t kLongHighWord = 64;
constexpr uint8_t kLongLowWord = 32;

} // namespace

CCfgReader::CCfgReader(CWorkspaceState& workspace, const PrjBundle& bundle)
    : CParser(workspace.GetIniFile(), kErrOpen, kLineLimit),
      m_workspace(workspace),
      m_root(bundle.prjData),
      m_sps(bundle.spsPar)
{
}

bool CCfgReader::CheckError()
{
    switch (GetError()) {
    case 0:
        return true;
    case kErrOpen:
        ShowMessage(msg::kInitialisierungsdateiKonnteNicht, GetFileName());
        break;
    case kErrDamaged:
        ShowMessage(msg::kInitialisierungsdateiIstBeschaedigtEs, GetFileName());
        break;
    default:
        return false;
    }
    return CParser::CheckError();
}

// ---- ENVIRONMENT ----

void CCfgReader::ReadEnvironment()
{
    if (GetError() != 0)
        return;
    EnvSettings& env = m_workspace.Env();
    env.palette = 0;
    env.requestInterval = 0;
    env.linkCom = 0;
    env.simCom = 0;
    env.lpt = 1;
    env.teleService = 1;
    env.paperLen = 60;
    env.leftMargin = 0;
    if (!SeekSection("ENVIRONMENT")) {
        SetError(kErrDamaged);
        return;
    }
    while (!IsEof()) {
        ReadLine();
        if (OpensSection(GetLine()))
            break;
        ReadEnvLine(env);
    }
}

void CCfgReader::ReadEnvLine(EnvSettings& env)
{
    FileTags& tags = m_workspace.Tags();
    uint16_t v = 0;
    // The bare flags stand alone; every other key is followed by '='.
    const auto value = [this] { return ExpectChar('='); };

    if (ExpectKeyword("PALETTE")) {
        if (value() && GetNum16(v, 0, 3) == 1)
            env.palette = v;
    } else if (ExpectKeyword("MOUSE_REVERSE")) {
        env.mouseReverse = 1;
    } else if (ExpectKeyword("ORV_LIGHT")) {
        env.orvLight = 1;
    } else if (ExpectKeyword("REQUEST_INTERVAL")) {
        if (value() && GetNum16(v, 0, 1000) == 1)
            env.requestInterval = v >= 1 && v <= 9 ? 10 : v;
    } else if (ExpectKeyword("LINK_COM")) {
        if (value() && GetNum16(v, 1, 4) == 1)
            env.linkCom = static_cast<uint16_t>(v - 1);
    } else if (ExpectKeyword("SIM_COM")) {
        if (value()) {
            if (ExpectWord("ARC"))
                env.simCom = kSimComArcnet;
            else if (GetNum16(v, 1, 4) == 1)
                env.simCom = static_cast<int16_t>(v - 1);
        }
    } else if (ExpectKeyword("LPT")) {
        if (value() && GetNum16(v, 0, 3) == 1)
            env.lpt = v;
    } else if (ExpectKeyword("TELESERVICE")) {
        if (value() && GetNum16(v, 0, 1) == 1)
            env.teleService = static_cast<uint8_t>(v);
    } else if (ExpectKeyword("ARC_IO_BASE")) {
        if (value() && GetHex16(v, 0, 0xFFFF) == 1)
            env.arcIoBase = v;
    } else if (ExpectKeyword("ARC_MEMORY_BASE")) {
        if (value() && GetHex16(v, 0, 0xFFFF) == 1)
            env.arcMemoryBase = v;
    } else if (ExpectKeyword("ARC_ORV_ID")) {
        if (value() && GetNum16(v, 0, 255) == 1)
            env.arcOrvId = v;
    } else if (ExpectKeyword("PAPERLEN")) {
        if (value() && GetNum16(v, 20, 120) == 1)
            env.paperLen = v;
    } else if (ExpectKeyword("LEFT_MARGIN")) {
        if (value() && GetNum16(v, 0, 30) == 1)
            env.leftMargin = v;
    } else if (ExpectKeyword("PRINT_HEAD")) {
        env.printHead = 1;
    } else if (ExpectKeyword("PRINTER_HEADLINE")) {
        // A line without a quoted value keeps the setting it had.
        static_cast<void>(ReadQuoted(env.printerHeadline, kHeadlineLimit));
    } else if (ExpectKeyword("PRINTER_INIT")) {
        static_cast<void>(ReadQuoted(env.printerInit, kPrinterSeqLimit));
    } else if (ExpectKeyword("PRINTER_END")) {
        static_cast<void>(ReadQuoted(env.printerEnd, kPrinterSeqLimit));
    } else if (ExpectKeyword("FORMFEED")) {
        env.formFeed = 1;
    } else if (ExpectKeyword("ASCII_PRINT")) {
        env.asciiPrint = 1;
    } else if (ExpectKeyword("EXT_SOURCE")) {
        ReadExtension(tags.source);
    } else if (ExpectKeyword("EXT_BACKUP")) {
        ReadExtension(tags.backup);
    } else if (ExpectKeyword("EXT_OLDSYNTAX")) {
        ReadExtension(tags.oldSyntax);
    } else if (ExpectKeyword("EXT_COMPILE")) {
        ReadExtension(tags.compile);
    } else if (ExpectKeyword("EXT_DRIVER")) {
        ReadExtension(tags.driver);
    } else if (ExpectKeyword("EXT_FUNCTION")) {
        ReadExtension(tags.function);
    } else if (ExpectKeyword("EXT_PRINTER")) {
        ReadExtension(tags.printer);
    } else if (ExpectKeyword("ORV_FILE")) {
        std::string path;
        if (!m_workspace.IsSimStart() && ReadQuoted(path, std::string::npos))
            m_workspace.SetPrjFile(path);
    } else if (ExpectKeyword("DESIGN")) {
        if (value())
            m_workspace.SetDesignFlag(ReadKeywordChars(kKeywordLimit) == kEditionWord ? 1 : 0);
    }
}

bool CCfgReader::ReadQuoted(std::string& text, size_t limit)
{
    if (!ExpectChar('=') || !ExpectChar('"'))
        return false;
    const std::string_view rest = Rest();
    text = rest.substr(0, std::min(rest.find('"'), limit));
    Consume(text.size());
    return true;
}

void CCfgReader::ReadExtension(std::string& ext)
{
    if (!ExpectChar('='))
        return;
    SkipBelow(33);
    const std::string_view value = Rest().substr(0, kExtLength);
    if (value.empty() || value.find_first_of("/\\") != std::string_view::npos)
        return;
    ext = value;
    Consume(value.size());
}

// ---- DEFAULT_DESCRIPTION ----

bool CCfgReader::ReadDescription(std::string& text)
{
    if (GetError() != 0)
        return false;
    if (!SeekSection("DEFAULT_DESCRIPTION")) {
        SetError(kErrDamaged);
        return false;
    }
    std::string descr;
    while (!IsEof()) {
        if (!ReadLine() || OpensSection(GetLine()))
            break;
        if (descr.size() + GetLine().size() + 2 > kDescrLimit)
            break;
        descr += GetLine();
        descr += "\r\n";
    }
    text = std::move(descr);
    return true;
}

// ---- CONFIGURATION ----

void CCfgReader::ReadConfiguration(CfgChoice& choice)
{
    if (GetError() != 0)
        return;
    if (!SeekSection("CONFIGURATION")) {
        SetError(kErrDamaged);
        return;
    }
    enum : unsigned { Orv = 1, Sps = 2, Drv = 4, Offset = 8, Length = 16, Db = 32 };
    constexpr unsigned kRequired = Orv | Sps | Drv | Offset | Length;
    CfgChoice read = choice;
    read.db = 0;
    unsigned found = 0;
    while (!IsEof() && found != (kRequired | Db)) {
        ReadLine();
        if (OpensSection(GetLine()))
            break;
        if (ExpectKeyword("ORV")) {
            if (ExpectChar('=') && ReadPanelId(read.devType))
                found |= Orv;
        } else if (ExpectKeyword("SPS")) {
            if (ExpectChar('=') && ReadSpsType(read.spsType))
                found |= Sps;
        } else if (ExpectKeyword("DRIVER")) {
            if (ExpectChar('=') && ReadDrvNo(read.drvNo))
                found |= Drv;
        } else if (ExpectKeyword("FUNCTION_ORV014")) {
            ReadFunctionFile(0);
        } else if (ExpectKeyword("FUNCTION_ORV043")) {
            ReadFunctionFile(1);
        } else if (ExpectKeyword("FUNCTION_ORV047")) {
            ReadFunctionFile(2);
        } else if (ExpectKeyword("FUNCTION_ORV706")) {
            ReadFunctionFile(3);
        } else if (ExpectKeyword("OFFSET")) {
            if (ExpectChar('=') && GetNum16(read.offset, 0, 65535) == 1)
                found |= Offset;
        } else if (ExpectKeyword("LENGTH")) {
            if (ExpectChar('=') && GetNum16(read.length, 0, 65535) == 1)
                found |= Length;
        } else if (ExpectKeyword("DB")) {
            if (ExpectChar('=') && GetNum16(read.db, 1, 255) == 1)
                found |= Db;
            else
                read.db = 0;
        }
    }
    if ((found & kRequired) != kRequired) {
        SetError(kErrDamaged);
        return;
    }
    // A variant is kept as its base panel with the project's variant.
    if (const HeldPanel held = HeldPanelOf(read.devType); held.variant) {
        read.devType = held.code;
        if (m_root)
            m_root->SetVariant(1);
    }
    choice = read;
}

bool CCfgReader::ReadPanelId(uint16_t& devType)
{
    for (const PanelRow& row : PanelRows()) {
        if (ExpectWord(row.configId)) {
            devType = row.code;
            return true;
        }
    }
    return false;
}

bool CCfgReader::ReadSpsType(uint16_t& spsType)
{
    for (uint16_t type = 0; type < CSpsPar::kTypeCount; ++type) {
        if (ExpectWord(GetSpsTypeKey(type))) {
            spsType = type;
            return true;
        }
    }
    return false;
}

bool CCfgReader::ReadDrvNo(uint16_t& drvNo)
{
    // The driver given by file name comes last: its key is written for it.
    for (uint16_t n = 0; n < kDrvCount; ++n) {
        if (ExpectWord(DrvIniKey(n))) {
            drvNo = n;
            return true;
        }
    }
    return false;
}

void CCfgReader::ReadFunctionFile(int group)
{
    if (!ExpectChar('='))
        return;
    SkipBelow(33);
    std::string_view name = Rest();
    while (!name.empty() && static_cast<unsigned char>(name.back()) < 33)
        name.remove_suffix(1);
    if (!orv::IsSafeFileName(name))
        return;
    const std::string cfgDir = m_workspace.GetCfgDir();
    const std::string file = std::string(name) + "." + m_workspace.Tags().function;
    m_workspace.SetStdFktPath(group, orv::FindPathNoCase(cfgDir, file).value_or(cfgDir + file));
}

// ---- SIMULATION_ ----

void CCfgReader::ReadSimulation()
{
    if (GetError() != 0 || !m_root || !m_sps)
        return;
    m_sps->GetSimWords().RemoveAll();
    if (!SeekSection(SimSectionName(m_root->GetDevType()))) {
        SetError(kErrDamaged);
        return;
    }
    while (!IsEof()) {
        ReadLine();
        if (OpensSection(GetLine()))
            break;
        bool ok = true;
        if (ExpectKeyword("WORD"))
            ok = ReadSimWord();
        else if (ExpectKeyword("LONG"))
            ok = ReadSimLong();
        if (!ok) {
            SetError(kErrDamaged);
            return;
        }
    }
}

uint8_t CCfgReader::ReadSimFormat()
{
    // DEZV before DEZ, which is its prefix.
    static constexpr std::pair<std::string_view, uint8_t> kFormats[] = {
        {"BIN", 1}, {"HEX", 2}, {"DEZV", 8}, {"DEZ", 4}, {"ASCII", 16},
    };
    for (const auto& [word, code] : kFormats) {
        if (ExpectKeyword(word))
            return code;
    }
    return 0;
}

bool CCfgReader::ReadSimWord()
{
    uint16_t n = 0;
    if (!ExpectChar('=') || GetNum16(n, 0, 255) != 1)
        return false;
    // Format and value may be left off.
    if (!ExpectChar(','))
        return true;
    const uint8_t format = ReadSimFormat();
    if (format == 0)
        return false;
    uint16_t value = 0;
    const bool hasValue = ExpectChar(',');
    if (hasValue && GetNum16(value, 0, 65535) != 1)
        return false;
    CDrvParItem* item = m_sps->GetItems().FindItem(n);
    if (!item)
        return true;
    item->SetSimFmt(format);
    if (hasValue)
        item->SetSimValue(value);
    AddSimWord(item);
    return true;
}

bool CCfgReader::ReadSimLong()
{
    uint16_t n = 0;
    uint32_t value = 0;
    if (!ExpectChar('=') || GetNum16(n, 0, 254) != 1 || !ExpectChar(','))
        return false;
    const uint8_t format = ReadSimFormat();
    if (format == 0 || !ExpectChar(',') || GetNum32(value, 0, UINT32_MAX) != 1)
        return false;
    CDrvParItem* high = m_sps->GetItems().FindItem(n);
    CDrvParItem* low = m_sps->GetItems().FindItem(static_cast<uint16_t>(n + 1));
    if (!high || !low)
        return true;
    high->SetSimFmt(static_cast<uint8_t>(kLongHighWord + format));
    high->SetSimValue(static_cast<uint16_t>(value >> 16));
    low->SetSimFmt(static_cast<uint8_t>(kLongLowWord + format));
    low->SetSimValue(static_cast<uint16_t>(value & 0xFFFF));
    AddSimWord(high);
    AddSimWord(low);
    return true;
}

void CCfgReader::AddSimWord(CObj* item)
{
    CColl& words = m_sps->GetSimWords();
    if (words.IndexOf(item) < 0)
        words.Insert(item);
}

} // namespace orv

#include "image/Deco043.h"
#include "image/ImgLayout.h"

#include "model/CharDef.h"
#include "model/Log.h"
#include "model/PrjData.h"
#include "platform/FileReplace.h"

#include <array>
#include <new>

namespace {

constexpr const char* kModule = "Deco043";

} // namespace

CDeco043::CDeco043(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDeco(workspace, imagePath, drvPath, fktPath, bundle, kModule)
{
    ResetFrontEnd();
    if (Failed())
        return;
    CutDriver();
    if (!Failed())
        CheckFkt();
    if (!Failed())
        DecodeDataSet();
}

void CDeco043::CutDriver()
{
    LogLine(kLogInfo, "Decompile Driver");
    uint16_t b = 0;
    if (Holds(imglayout::kHdrLength, 2))
        ReadWord(imglayout::kHdrLength, b);
    uint16_t length = 0;
    if (!Holds(b + 2, 2) || ReadWord(b + 2u, length) != 1 || !Holds(b + 2, length)) {
        SetError(kErrImage);
        return;
    }
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[length == 0 ? 1 : length]);
    if (!bytes) {
        LogLine(kLogErrors, "LZ Error malloc");
        SetError(kErrRead);
        return;
    }
    if (ReadBlock(b + 2u, bytes.get(), length) != 1)
        return;
    // Written whole or not at all: a failed cut-out leaves no partial file.
    if (!orv::WriteFileReplacing(DrvPath(), std::string_view(bytes.get(), length))) {
        SetError(kErrDrv);
        return;
    }
    LogLine(kLogDebug, "Open %s %s OK", kModule, DrvPath().c_str());
    char name[12];
    char version[9];
    uint16_t x = 0;
    uint16_t y = 0;
    if (!Holds(b + 31, sizeof name) || !Holds(b + 48, sizeof version) || !Holds(b + 67, 2)) {
        SetError(kErrImage);
        return;
    }
    ReadBlock(b + 31u, name, sizeof name);
    ReadBlock(b + 48u, version, sizeof version);
    ReadWord(b + 67u, x);
    if (!Holds(int64_t{b} + x, 2)) {
        SetError(kErrImage);
        return;
    }
    ReadWord(uint32_t{b} + x, y);
    ReadDrvParams(Image(), ImageSize(), uint32_t{b} + y + 2);
}

void CDeco043::CheckFkt()
{
    LogLine(kLogInfo, "Decompile Sonderfunktion");
    if (FktPath().empty())
        return;
    uint16_t b = 0;
    uint16_t d = 0;
    uint16_t closing = 0;
    if (ImageSize() >= 4)
        ReadWord(imglayout::kHdrLength, b);
    if (ImageSize() >= int64_t{b} + 4)
        ReadWord(b + 2u, d);
    if (ImageSize() >= int64_t{b} + d + 4)
        ReadWord(uint32_t{b} + d + 2, closing);
    if (closing != 0)
        SetError(kErrRead);
}

void CDeco043::DecodeDataSet()
{
    LogLine(kLogInfo, "Decompile Datensatz");
    // Without them nothing can be decoded, and an empty project is no
    // success.
    if (m_prj == nullptr || m_sps == nullptr || m_charSet == nullptr) {
        SetError(kErrRead);
        return;
    }
    struct Step {
        int (CDeco043::*run)();
        const char* failure;
    };
    const bool printer = m_prj->GetDevType() == 47;
    const Step steps[] = {
        {&CDeco043::CheckSignatureStep, "Error decompileDatensatzKopf"},
        {&CDeco043::TextAreaEndStep, "Error ermittleMaxTextAdresse"},
        {printer ? &CDeco043::DecodePrinter : nullptr, "decompileDruckerParameter"},
        {&CDeco043::DecodeDescription, "Error decompileBeschreibung"},
        {&CDeco043::DecodeVars, "Error decompileVariable ();"},
        {&CDeco043::DecodeOpTexts, "Error decompileBedientexte ();"},
        {&CDeco043::DecodeSkActs, "Error decompileSoftkeyAktionen ();"},
        {&CDeco043::DecodeSkTexts, "Error decompileSoftkeytexte ();"},
        {&CDeco043::DecodeMsgTexts, "Error decompileMeldetexte ();"},
        {&CDeco043::DecodeHelpTexts, "Error decompileHilfstexte ();"},
        {&CDeco043::DecodeMenus, "Error decompileMenues ();"},
        {&CDeco043::DecodeChars, "Error decompileZeichenDefinition ();"},
        {&CDeco043::DecodeCycleTime, "Error decompileZeitVereinbarung ();"},
    };
    for (const Step& step : steps) {
        if (step.run == nullptr)
            continue;
        if ((this->*step.run)() != 1 || Failed()) {
            SetError(kErrRead);
            LogLine(kLogErrors, "%s", step.failure);
            return;
        }
    }
}

int CDeco043::CheckSignatureStep()
{
    return CheckSignature();
}

int CDeco043::TextAreaEndStep()
{
    return FindTextAreaEnd(true);
}

int CDeco043::DecodePrinter()
{
    uint16_t p = 0;
    if (ReadWord(imglayout::kHdrPrinter, p) != 1)
        return -1;
    if (p == 0)
        return 1;
    std::array<uint16_t, 8> w{};
    for (size_t i = 0; i < w.size(); ++i)
        if (ReadWord(p + 2u * static_cast<uint32_t>(i), w[i]) != 1)
            return -1;
    m_prj->SetPrnTimeout(w[0]);
    m_prj->SetPrnIfc(static_cast<uint8_t>(w[1]));
    m_prj->SetPrnHandshake(static_cast<uint8_t>(w[2]));
    m_prj->SetPrnDirection(static_cast<uint8_t>(w[3]));
    m_prj->SetPrnBaud(static_cast<uint8_t>(w[4]));
    m_prj->SetPrnDataBits(static_cast<uint8_t>(w[5]));
    m_prj->SetPrnStopBits(static_cast<uint8_t>(w[6]));
    m_prj->SetPrnParity(static_cast<uint8_t>(w[7]));
    uint8_t n = 0;
    if (ReadByte(p + 16u, n) != 1)
        return -1;
    if (n > imglayout::kPrnInitMax)
        n = imglayout::kPrnInitMax;
    std::string init;
    for (uint8_t i = 0; i < n; ++i) {
        uint8_t byte = 0;
        if (ReadByte(p + 17u + i, byte) != 1)
            return -1;
        static constexpr char kHex[] = "0123456789ABCDEF";
        init += kHex[byte >> 4];
        init += kHex[byte & 0xF];
    }
    m_prj->SetPrnInit(init);
    for (int i = 0; i < 8; ++i) {
        uint8_t c = 0;
        if (ReadByte(p + 33u + static_cast<uint32_t>(i), c) != 1)
            return -1;
        m_prj->SetPrnSubst(i, c);
    }
    return 1;
}

int CDeco043::DecodeDescription()
{
    uint16_t at = 0;
    if (ReadWord(imglayout::kHdrDescr, at) != 1)
        return -1;
    if (at == 0)
        return 1;
    std::string text;
    if (ReadString(at, 1023, false, text) != 1)
        return -1;
    m_prj->SetDescr(text);
    return 1;
}

int CDeco043::DecodeChars()
{
    for (uint8_t code = 0; code <= imglayout::kAUserCharMax; ++code) {
        CCharDef::Rows rows{};
        if (ReadBlock(imglayout::UserCharRow(code, 0), rows.data(), CCharDef::kRows) != 1)
            return -1;
        bool empty = true;
        for (uint8_t r : rows)
            empty = empty && r == 0;
        if (empty)
            continue;
        auto def = std::make_unique<CCharDef>(code, rows);
        CCharDefColl* coll = m_prj->GetCharDefColl();
        const int index = m_prj->InsCharDef(def.get());
        if (coll == nullptr || coll->At(index) != def.get())
            return -1;
        def.release();
    }
    return 1;
}

int CDeco043::DecodeCycleTime()
{
    uint8_t value = 0;
    if (ReadByte(imglayout::kHdrCycleTime, value) != 1)
        return -1;
    m_prj->SetCycleTime(value);
    return 1;
}

int CDeco043::ReadString(uint32_t at, size_t max, bool convert, std::string& text)
{
    text.clear();
    for (size_t i = 0; i < max; ++i) {
        uint8_t c = 0;
        if (ReadByte(at + static_cast<uint32_t>(i), c) != 1)
            return -1;
        if (c == 0)
            break;
        text += static_cast<char>(convert ? PanelChar(c) : c);
    }
    return 1;
}

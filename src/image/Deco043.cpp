#include "image/Deco043.h"
#include "image/ImgLayout.h"

#include "model/Log.h"
#include "model/PrjData.h"
#include "platform/FileReplace.h"

#include <new>

namespace {

constexpr const char* kModule = "Deco043";

} // namespace

CDeco043::CDeco043(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDecoAB(workspace, imagePath, drvPath, fktPath, bundle, kModule, false)
{
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
    if (!HasProject())
        return;
    const PanelRow* row = m_prj->GetPanel().Row();
    const bool printer = row && row->printer;
    RunSteps<CDeco043>({
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
    });
}

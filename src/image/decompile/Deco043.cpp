// Cuts the driver out of a 043 family image into the project's driver file and
// decodes the data set through the shared 043/118 family decoders.
#include "image/decompile/Deco043.h"
#include "image/drv/DrvLayout.h"
#include "image/codec/FileFields.h"
#include "image/codec/ImgLayout.h"

#include "model/core/Log.h"
#include "model/project/PrjData.h"
#include "platform/FileReplace.h"

namespace orv {


namespace {

constexpr const char* kDeco043Module = "Deco043";

} // namespace

CDeco043::CDeco043(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDeco043_118(workspace, imagePath, drvPath, fktPath, bundle, kDeco043Module, false)
{
    if (Failed())
        return;
    Guarded([this] {
        CutDriver();
        if (!Failed())
            CheckFkt();
        if (!Failed())
            DecodeDataSet();
    });
}

void CDeco043::CutDriver()
{
    LogLine(kLogInfo, "Decompile Driver");
    BeReader image = Image();
    // The driver entry follows the data set, whose length less 2 the
    // header's length word holds.
    const uint64_t at = uint64_t{image.U16(imglayout::kHdrLength)} + 2;
    const uint16_t length = image.U16(at + drvlayout::kLength);
    const uint8_t* entry = image.Bytes(at, length);
    if (entry == nullptr || !image.Ok()) {
        SetError(kErrImage);
        return;
    }
    // Written whole or not at all: a failed cut-out leaves no partial file.
    if (!orv::WriteFileReplacing(DrvPath(), std::string_view(reinterpret_cast<const char*>(entry), length))) {
        SetError(kErrDrv);
        return;
    }
    LogLine(kLogDebug, "Open %s %s OK", kDeco043Module, DrvPath().c_str());
    const drvlayout::Header& header = drvlayout::k043;
    constexpr uint16_t kVersionSize = 9;
    const uint16_t x = image.U16(at + drvlayout::k043ParPtr);
    if (!image.Holds(at + header.fileNameAt, kFileNameField) || !image.Holds(at + header.versionAt, kVersionSize) ||
        !image.Ok()) {
        SetError(kErrImage);
        return;
    }
    // The word before the place x points at holds the parameter block's
    // offset.
    const uint16_t y = image.U16(at + x - 2);
    if (!image.Ok()) {
        SetError(kErrImage);
        return;
    }
    // A failure is kept in the error slot, which the caller reads.
    static_cast<void>(ReadDrvParams(Image(), static_cast<uint32_t>(at + y)));
}

void CDeco043::CheckFkt()
{
    LogLine(kLogInfo, "Decompile Sonderfunktion");
    if (FktPath().empty())
        return;
    uint16_t b = 0;
    uint16_t d = 0;
    uint16_t closing = 0;
    // The size tests keep every read inside the image.
    if (ImageSize() >= 4)
        static_cast<void>(ReadWord(imglayout::kHdrLength, b));
    if (ImageSize() >= int64_t{b} + 4)
        static_cast<void>(ReadWord(b + 2u, d));
    if (ImageSize() >= int64_t{b} + d + 4)
        static_cast<void>(ReadWord(uint32_t{b} + d + 2, closing));
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

} // namespace orv

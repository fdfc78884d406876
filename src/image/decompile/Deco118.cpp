// Decodes a 118 family first image with its date/time and recipe blocks through
// the shared 043/118 family decoders.
#include "image/decompile/Deco118.h"
#include "image/drv/DrvLayout.h"
#include "image/codec/ImgLayout.h"

#include "model/core/Catalogues.h"
#include "model/core/Log.h"
#include "model/project/PrjData.h"
#include "model/project/PrjVar.h"
#include "model/project/PrjVarList.h"

namespace orv {


namespace {

constexpr const char* kDeco118Module = "Deco_orv";

constexpr uint16_t kDrvNameSize = 12;
constexpr uint16_t kDrvVersionSize = 9;

// Names of the interface variable groups that the blocks place.
constexpr uint16_t kDateGroupName = 1174;
constexpr uint16_t kRcpNumGroupName = 1206;
// Date modes 1 (US) and 2 (MIL); 0 is the default.
constexpr uint16_t kDateModeMax = 2;
// The weekday names show two characters.
constexpr uint8_t kWeekdayWidth = 2;

} // namespace

CDeco118::CDeco118(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                   const std::string& fktPath, PrjBundle* bundle)
    : CDeco043_118(workspace, imagePath, drvPath, fktPath, bundle, kDeco118Module, true)
{
    if (Failed())
        return;
    Guarded([this] {
        ReadDriver();
        if (!Failed())
            DecodeDataSet();
    });
}

void CDeco118::ReadDriver()
{
    DecoFile drv(DrvPath(), kDeco118Module);
    char name[kDrvNameSize + 1] = {};
    char version[kDrvVersionSize] = {};
    uint16_t parPtr = 0;
    if (!drv.IsOpen() || !drv.Read(drvlayout::k043.fileNameAt, name, kDrvNameSize) ||
        !drv.Read(drvlayout::k043.versionAt, version, kDrvVersionSize) || !drv.Word(drvlayout::k043ParPtr, parPtr)) {
        SetError(kErrDrv);
        return;
    }
    for (char& c : name)
        if (c == ' ')
            c = '\0';
    const char shown[] = {version[5], version[6], version[7], '.', version[8], '\0'};
    LogLine(kLogInfo, "DECOMPILE -> %s %s", name, shown);
    // The word before the pointed-at place holds the block's offset; a
    // pointer below 2 points before the file.
    uint16_t block = 0;
    if (parPtr < 2 || !drv.Word(parPtr - 2u, block)) {
        SetError(kErrDrv);
        return;
    }
    // A failure is kept in the error slot, which the caller reads.
    static_cast<void>(ReadDrvParams(drv.Reader(), block, kErrDrv));
}

void CDeco118::DecodeDataSet()
{
    if (!HasProject())
        return;
    RunSteps<CDeco118>({
        {&CDeco118::CheckSignatureStep, "Error decompileDatensatzKopf"},
        {&CDeco118::TextAreaEndStep, "Error ermittleMaxTextAdresse"},
        {&CDeco118::DecodePrinter, "decompileDruckerParameter"},
        {&CDeco118::DecodeDescription, "Error decompileBeschreibung"},
        {&CDeco118::DecodeVars, "Error decompileVariable ();"},
        {&CDeco118::DecodeSkActs, "Error decompileSoftkeyAktionen ();"},
        {&CDeco118::DecodeSkTexts, "Error decompileSoftkeytexte ();"},
        {&CDeco118::DecodeOpTexts, "Error decompileBedientexte ();"},
        {&CDeco118::DecodeMsgTexts, "Error decompileMeldetexte ();"},
        {&CDeco118::DecodeRcpTexts, "Error decompileRezepttexte ();"},
        {&CDeco118::DecodeHelpTexts, "Error decompileHilfstexte ();"},
        {&CDeco118::DecodeMenus, "Error decompileMenues ();"},
        {&CDeco118::DecodeChars, "Error decompileZeichenDefinition ();"},
        {&CDeco118::DecodeCycleTime, "Error decompileZeitVereinbarung ();"},
        {&CDeco118::DecodeClock, "Error decompileUhrzeitDatum ();"},
        {&CDeco118::DecodeRcpBlock, "Error decompileRezeptBlock ();"},
    });
}

void CDeco118::PlaceBlock(const char* varName, uint16_t first, bool dateTime)
{
    if (CPrjVar* var = FindVar(varName))
        var->SetAdr(static_cast<int16_t>(first));
    const CPrjKomVarList* groups = m_prj->GetKomVarList();
    const CPrjVar* group =
        groups != nullptr ? groups->FindByName(ResourceTXT(dateTime ? kDateGroupName : kRcpNumGroupName)) : nullptr;
    const auto oldFirst = static_cast<uint16_t>(group != nullptr ? group->GetAdr() : 0);
    if (dateTime)
        m_prj->MakeDateTimeVars(first, oldFirst);
    else
        m_prj->MakeRcpNumVars(first, oldFirst);
}

StepResult CDeco118::DecodeClock()
{
    uint16_t block = 0;
    if (ReadWord(imglayout::kBDateBlock, block) != 1)
        return -1;
    if (block != 0) {
        uint16_t first = 0;
        uint16_t mode = 0;
        if (ReadWord(block, first) != 1 || ReadWord(block + 2u, mode) != 1)
            return -1;
        PlaceBlock("[Z24]", first, true);
        if (mode <= kDateModeMax)
            m_prj->SetDateMode(mode);
    }
    // The set weekday keeps its own maximum width and shows two
    // characters; the current weekday takes two as its maximum.
    struct Names {
        const char* var;
        uint32_t slots;
        bool keepsMaxWidth;
    };
    const Names lists[] = {{"[Z21]", imglayout::kBWeekdays1, true}, {"[Z22]", imglayout::kBWeekdays2, false}};
    for (const Names& list : lists) {
        CPrjVar* var = FindVar(list.var);
        if (var == nullptr)
            continue;
        const uint8_t maxWidth = var->GetMaxWidth();
        for (int i = 0; i < imglayout::kBWeekdays; ++i) {
            std::string text;
            if (ReadCounted(list.slots + imglayout::kBWeekdaySlot * static_cast<uint32_t>(i), text) != 1)
                return -1;
            var->SetStateTxt(i, text.c_str());
            Count(DecoKind::VarTexts);
            if (list.keepsMaxWidth) {
                var->SetMaxWidth(maxWidth);
                var->SetWidth(kWeekdayWidth);
            } else {
                var->SetMaxWidth(kWeekdayWidth);
            }
        }
    }
    return 1;
}

StepResult CDeco118::DecodeRcpBlock()
{
    uint16_t block = 0;
    if (ReadWord(imglayout::kBRcpBlock, block) != 1)
        return -1;
    if (block == 0)
        return 1;
    uint16_t first = 0;
    if (ReadWord(block, first) != 1)
        return -1;
    PlaceBlock("[Z25]", first, false);
    return 1;
}

} // namespace orv

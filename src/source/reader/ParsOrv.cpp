// The project source parser's frame: description, header and statement loop,
// with the first error ending the parse.
#include "source/reader/ParsOrv.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/project/CharSet.h"
#include "model/core/CheckedFormat.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/MsgTxt.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsDef.h"
#include "model/project/SpsPar.h"
#include "model/core/UiServices.h"
#include "platform/FileReplace.h"
#include "source/reader/OrvModels.h"
#include "source/reader/SrcKeywords.h"

#include <array>
#include <cctype>
#include <new>

namespace orv {

namespace {

// The family flags that the character tests of quoted texts get: the low
// byte for the 043 family panels, the high byte for the 118 family.
uint16_t FamilyFlagsOf(uint16_t srcType)
{
    const PanelRow* row = FindPanel(srcType);
    return row ? row->textCharFlags : 0;
}

std::string_view SkipBelow33(std::string_view line)
{
    size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) < 33)
        ++i;
    return line.substr(i);
}

// A description line gets a line break before every 77th character.
constexpr size_t kDescrBreak = 77;

} // namespace

CParsOrv::CParsOrv(const std::string& fileName, bool load, const PrjBundle& bundle, ParseCancelFn cancel)
    : CParser(fileName, ErrOpen),
      m_prj(bundle.prjData),
      m_sps(bundle.spsPar),
      m_drvCfg(bundle.drvCfg),
      m_charSet(bundle.charSet),
      m_load(load),
      m_family(FamilyFlagsOf(m_prj != nullptr ? m_prj->GetSrcDevType() : 0)),
      m_cancel(std::move(cancel))
{
    if (m_load && m_prj != nullptr && m_prj->GetHistTxtList() != nullptr) {
        if (auto* hist = static_cast<CHistTxt*>(m_prj->GetHistTxtList()->GetTemplate()))
            m_prj->DelHistTxt(hist);
    }
}

CParsOrv::~CParsOrv() = default;

PanelType CParsOrv::Cur() const
{
    return m_prj->GetPanel();
}

PanelType CParsOrv::Src() const
{
    return PanelType(m_prj->GetSrcDevType(), false);
}

int CParsOrv::DspWidth() const
{
    return Cur().IsNarrow() ? 20 : 40;
}

bool CParsOrv::ReadLine()
{
    const bool got = CParser::ReadLine();
    const uint16_t line = GetLineNo();
    if (line % 20 == 0 && line != m_lastPolled && m_cancel && !m_cancelled) {
        m_lastPolled = line;
        if (m_cancel(line)) {
            m_cancelled = true;
            ResetContext();
            ClearProject();
            SetError(ErrCancelled);
        }
    }
    return got;
}

// --- Errors -----------------------------------------------------------------

void CParsOrv::ReportError(uint16_t state, const std::string& text, std::string_view logPrefix)
{
    if (GetError() != 0)
        return;
    SetError(state);
    m_errorText = text;
    LogAppend(kLogErrors, std::string(logPrefix) + text);
}

int CParsOrv::SignError(char c)
{
    Rewind();
    ReportError(ErrSyntax, FormatText("%s '%c' %s", resErrorText(xerr::kZeichen), c, resErrorText(xerr::kErwartet)), "ERROR Sign:");
    return -1;
}

int CParsOrv::KeywordError(std::string_view keyword)
{
    Rewind();
    const std::string kw(keyword);
    ReportError(ErrSyntax, FormatText("%s '%s' %s", resErrorText(xerr::kSchluesselwort), kw.c_str(), resErrorText(xerr::kErwartet)),
                "ERROR Keyword:");
    return -1;
}

int CParsOrv::TextError(const std::string& text)
{
    Rewind();
    ReportError(ErrSyntax, text, "ERROR:");
    return -1;
}

int CParsOrv::XError(uint16_t n)
{
    if (GetError() != 0 && GetError() != ErrXError)
        return -1;
    m_errorText.clear();
    if (GetError() == 0) {
        SetError(ErrXError, n);
        Rewind();
    }
    LogLine(kLogDebug, "Parser xerror:%d", n);
    LogAppend(kLogErrors, XErrorText(n));
    return -1;
}

std::string CParsOrv::XErrorText(uint16_t n) const
{
    // The panels of the 118 family share one text that names the panel.
    if (n == 546) {
        const PanelRow* row = Cur().Row();
        const char* name = !row ? "" : row->nameText != 0 ? ResourceTXT(row->nameText) : row->name;
        return CheckedFormat(resErrorText(n), name);
    }
    return resErrorText(n);
}

// --- Description --------------------------------------------------------------

void CParsOrv::ReadDescription()
{
    if (m_prj == nullptr || GetError() != 0)
        return;
    try {
        ReadDescriptionLines();
    } catch (const std::bad_alloc&) {
        SetError(ErrMemory);
    }
}

void CParsOrv::ReadDescriptionLines()
{
    if (m_load)
        m_prj->SetDescr("");
    bool block = false;
    for (;;) {
        ReadLine();
        if (m_cancelled)
            return;
        const std::string_view text = SkipBelow33(GetLine());
        if (!StartsWith(text, kw::kDescriptionEnd)) {
            if (StartsWith(text, kw::kDescription)) {
                block = true;
                break;
            }
            if (OrvModelAt(text) != 0 || OrvOldModelAt(text))
                break;
        }
        if (IsEof())
            break;
    }
    if (!block) {
        RestartFile();
        return;
    }
    // Nothing limits a description: the writer writes it verbatim and the
    // project may carry a long one, so it is read whole.
    std::string descr;
    for (;;) {
        if (IsEof()) {
            KeywordError(kw::kDescriptionEnd);
            return;
        }
        ReadLine();
        if (m_cancelled)
            return;
        const std::string& line = GetLine();
        if (StartsWith(SkipBelow33(line), kw::kDescriptionEnd))
            break;
        if (IsEof() && line.empty()) {
            KeywordError(kw::kDescriptionEnd);
            return;
        }
        for (size_t i = 0; i < line.size(); ++i) {
            if (i > 0 && i % kDescrBreak == 0)
                descr += "\r\n";
            descr += line[i];
        }
        descr += "\r\n";
    }
    if (m_load)
        m_prj->SetDescr(descr);
}

// --- Parse ----------------------------------------------------------------------

void CParsOrv::Parse()
{
    if (m_prj == nullptr || m_sps == nullptr || GetError() != 0)
        return;
    try {
        m_state = StateHeader;
        int result = 1;
        while (result == 1 && m_state != StateDone && !IsEof()) {
            ReadLine();
            if (m_cancelled)
                return;
            if (!AtSeparator())
                result = Step();
        }
        // A file that ends early gets the error of the step it was in.
        if (result == 1 && m_state != StateDone) {
            ReadLine();
            if (m_cancelled)
                return;
            result = Step();
        }
        m_parseFailed = result == -1;
    } catch (const std::bad_alloc&) {
        ResetContext();
        SetError(ErrMemory);
    }
}

StepResult CParsOrv::Step()
{
    switch (m_state) {
    case StateHeader:
        return StepHeader();
    case StateBegin:
        if (!ExpectKeyword(kw::kBegin))
            return KeywordError(kw::kBegin);
        m_state = StateStatements;
        return 1;
    case StateStatements:
        return Dispatch();
    default:
        return 1;
    }
}

StepResult CParsOrv::StepHeader()
{
    for (const PanelRow& row : PanelRows()) {
        if (ExpectKeyword(row.sourceKeyword)) {
            m_state = StateBegin;
            return 1;
        }
    }
    for (const auto kw : kOrvOldModels) {
        if (ExpectKeyword(kw)) {
            m_state = StateBegin;
            return 1;
        }
    }
    const PanelType cur = Cur();
    static constexpr std::array<std::pair<uint16_t, uint16_t>, 11> kMissing{{
        {14, 424},
        {36, 425},
        {43, 426},
        {755, 428},
        {47, 427},
        {118, 433},
        {163, 434},
        {167, 435},
        {473, 431},
        {477, 432},
        {706, 429},
    }};
    for (const auto& [type, xerror] : kMissing)
        if (cur.Is(type))
            return XError(xerror);
    // Any other panel takes the line as its header.
    m_state = StateBegin;
    return 1;
}

StepResult CParsOrv::Dispatch()
{
    static constexpr std::array<Handler, 11> kAnywhere{
        &CParsOrv::DoAction, &CParsOrv::DoSkOp,  &CParsOrv::DoState, &CParsOrv::DoPlc,
        &CParsOrv::DoWord,   &CParsOrv::DoText,  &CParsOrv::DoHText, &CParsOrv::DoPrnText,
        &CParsOrv::DoNode,   &CParsOrv::DoSchedule, &CParsOrv::DoSchedWeek,
    };
    for (const Handler h : kAnywhere) {
        const int result = (this->*h)();
        if (result != 0)
            return result;
    }
    const std::string_view rest = SkipBelow33(Rest());
    const char first = rest.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
    std::vector<Handler> handlers;
    switch (first) {
    case 'C':
        handlers = {&CParsOrv::DoChar, &CParsOrv::DoCycleTime, &CParsOrv::DoComList};
        break;
    case 'D':
        handlers = {&CParsOrv::DoDefOpText,    &CParsOrv::DoDefMsgText,    &CParsOrv::DoDefRecText,
                    &CParsOrv::DoDefHistText,  &CParsOrv::DoDefHlpText,    &CParsOrv::DoDefOpPrnText,
                    &CParsOrv::DoDefMsgPrnText, &CParsOrv::DoDMode,        &CParsOrv::DoDefSoftkey,
                    &CParsOrv::DoDataSize};
        break;
    case 'F':
        handlers = {&CParsOrv::DoFormular, &CParsOrv::DoFuncKey};
        break;
    case 'H':
        handlers = {&CParsOrv::DoHistText, &CParsOrv::DoHlpText};
        break;
    case 'I':
        handlers = {&CParsOrv::DoInternVar};
        break;
    case 'M':
        handlers = {&CParsOrv::DoMenu, &CParsOrv::DoMultiExt, &CParsOrv::DoMsgText, &CParsOrv::DoMsgPrnText,
                    &CParsOrv::DoMsgMode};
        break;
    case 'O':
        handlers = {&CParsOrv::DoOpText, &CParsOrv::DoOpPrnText};
        break;
    case 'P':
        handlers = {&CParsOrv::DoPosPrnStatus, &CParsOrv::DoPosDateTime, &CParsOrv::DoPosRecBlock,
                    &CParsOrv::DoPrMode,       &CParsOrv::DoPrChar,      &CParsOrv::DoPrInit};
        break;
    case 'R':
        handlers = {&CParsOrv::DoRecText, &CParsOrv::DoRecipeSize};
        break;
    case 'S':
        handlers = {&CParsOrv::DoSoftkey};
        break;
    case 'T':
        handlers = {&CParsOrv::DoTimer};
        break;
    case 'V':
        handlers = {&CParsOrv::DoVar};
        break;
    default:
        break;
    }
    handlers.push_back(&CParsOrv::DoEnd);
    for (const Handler h : handlers) {
        const int result = (this->*h)();
        if (result != 0)
            return result;
    }
    return 0;
}

StepResult CParsOrv::DoEnd()
{
    if (!ExpectKeyword(kw::kEnd))
        return XError(xerr::kVereinbarungOderEndeENDErwartet);
    ResetContext();
    m_state = StateDone;
    return 1;
}

// --- Context --------------------------------------------------------------------

void CParsOrv::ClearProject()
{
    if (m_prj != nullptr)
        m_prj->Clear();
    if (m_sps != nullptr)
        m_sps->ResetItems();
    if (m_charSet != nullptr)
        m_charSet->ClearUserChars();
}

uint16_t CParsOrv::GetErrorColumn() const
{
    const uint16_t column = GetColumn();
    if (m_parseFailed && column != 0 && Rest().empty())
        return static_cast<uint16_t>(column - 1);
    return column;
}

// --- Finish ---------------------------------------------------------------------

void CParsOrv::LoadParsedFileIntoEditor()
{
    std::string text;
    if (!orv::ReadWholeFile(GetFileName(), text)) {
        ShowMessage(msg::kDateiKannNichtGeoeffnetWerden, GetFileName());
        return;
    }
    GetUiServices().LoadSourceEditor(text, GetLineNo(), GetErrorColumn());
}

bool CParsOrv::Finish()
{
    switch (GetError()) {
    case 0:
        if (!m_load && m_prj != nullptr)
            m_prj->SetModified(true);
        return true;
    case ErrOpen:
        ShowMessage(msg::kEinzulesendeDateiKannNichtGeoeffnet);
        CheckError();
        return false;
    case ErrXError:
        m_errorText = XErrorText(GetXError());
        [[fallthrough]];
    case ErrSyntax:
        ResetContext();
        CloseFile();
        ClearProject();
        if (AskYesNo(msg::kSyntaxfehlerZeileZeichenEditieren, static_cast<int>(GetLineNo()), static_cast<int>(GetErrorColumn())))
            LoadParsedFileIntoEditor();
        return true;
    case ErrMemory:
        ShowMessage(msg::kNichtGenuegendFreierArbeitsspeicherFuer_15106);
        CheckError();
        return true;
    default:
        CheckError();
        return true;
    }
}

} // namespace orv

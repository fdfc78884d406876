// Shared 043/118 family decoding of the signature, printer block, description, user
// characters and cycle time.
#include "image/decompile/Deco043_118.h"
#include "image/compile/CompParts.h"
#include "image/codec/ImgLayout.h"

#include "model/project/CharDef.h"
#include "model/core/Log.h"
#include "model/project/PrjData.h"

#include <array>

namespace orv {

CDeco043_118::CDeco043_118(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
                 const std::string& fktPath, PrjBundle* bundle, const char* module, bool is118Family)
    : CDeco(workspace, imagePath, drvPath, fktPath, bundle, module), m_is118Family(is118Family)
{
    ResetFrontEnd();
}

bool CDeco043_118::HasProject()
{
    if (m_prj != nullptr && m_sps != nullptr && m_charSet != nullptr)
        return true;
    SetError(kErrRead);
    return false;
}

void CDeco043_118::StepFailed(const char* failure)
{
    SetError(kErrRead);
    LogLine(kLogErrors, "%s", failure);
}

StepResult CDeco043_118::CheckSignatureStep()
{
    if (CheckSignature() != 1)
        return -1;
    if (m_is118Family && BitTest(static_cast<int>(imglayout::kBFlagDWordVars)))
        m_prj->SetDWordVars(1);
    return 1;
}

StepResult CDeco043_118::TextAreaEndStep()
{
    return FindTextAreaEnd(!m_is118Family);
}

StepResult CDeco043_118::DecodePrinter()
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
    char init[imglayout::kPrnInitMax];
    if (ReadBlock(p + 17u, init, n) != 1)
        return -1;
    m_prj->SetPrnInit(HexDigits(std::string_view(init, n)));
    for (int i = 0; i < 8; ++i) {
        uint8_t c = 0;
        if (ReadByte(p + 33u + static_cast<uint32_t>(i), c) != 1)
            return -1;
        m_prj->SetPrnSubst(i, c);
    }
    return 1;
}

StepResult CDeco043_118::DecodeDescription()
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

StepResult CDeco043_118::DecodeChars()
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
        const int index = m_prj->InsCharDef(def.get());
        if (Taken(m_prj->GetCharDefColl(), index, def) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco043_118::DecodeCycleTime()
{
    uint8_t value = 0;
    if (ReadByte(imglayout::kHdrCycleTime, value) != 1)
        return -1;
    m_prj->SetCycleTime(value);
    return 1;
}

} // namespace orv

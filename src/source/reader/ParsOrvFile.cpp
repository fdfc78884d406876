// Finds the panel a source file is written for without parsing it, so the right
// project can be set up before the statements are read.
#include "source/reader/ParsOrvFile.h"

#include "model/core/CatalogueIds.h"
#include "model/project/CharSet.h"
#include "model/core/Log.h"
#include "model/core/MessageBoxes.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "source/reader/OrvModels.h"
#include "source/reader/Parser.h"
#include "source/reader/SrcKeywords.h"

#include <string_view>

namespace orv {

namespace {

// Control characters before the first word of a line are ignored.
std::string_view SkipControls(std::string_view line)
{
    size_t i = 0;
    while (i < line.size() && static_cast<unsigned char>(line[i]) < 32)
        ++i;
    return line.substr(i);
}

} // namespace

CParsOrvFile::CParsOrvFile(const std::string& fileName, const PrjBundle& bundle)
    : m_bundle(bundle), m_fileName(fileName)
{
    if (!m_file.Open(fileName) || !m_file.Rewind()) {
        m_error.Set(ErrOpen);
        return;
    }
    LogLine(kLogDebug, "Open %s %s OK", "Pars_orv", fileName.c_str());
}

bool CParsOrvFile::CheckError()
{
    if (!m_error.Failed())
        return true;
    if (m_error.Code() == ErrOpen) {
        ShowMessage(msg::kEinzulesendeDateiKannNichtGeoeffnet);
        m_error.Clear();
    }
    return false;
}

uint16_t CParsOrvFile::GetModel(bool reset)
{
    uint16_t model = 0;
    if (!m_error.Failed() && m_file.Rewind()) {
        std::string line;
        bool inDescription = false;
        while (model == 0 && m_file.Read(line, CParser::kLineLimit)) {
            const std::string_view text = SkipControls(line);
            if (inDescription) {
                inDescription = !StartsWith(text, kw::kDescriptionEnd);
                continue;
            }
            if (StartsWith(text, kw::kDescription)) {
                inDescription = !StartsWith(text, kw::kDescriptionEnd);
                continue;
            }
            model = OrvModelAt(text);
        }
    }
    CPrjData* prj = m_bundle.prjData;
    if (reset && prj != nullptr) {
        if (model != 0) {
            prj->Clear();
            // Clearing keeps the message mode, but a file without MSGMODE
            // means mode 0: the writer leaves the statement out for it.
            prj->SetMsgMode(0);
            if (m_bundle.spsPar != nullptr)
                m_bundle.spsPar->ResetItems();
            if (m_bundle.charSet != nullptr)
                m_bundle.charSet->ClearUserChars();
        }
        prj->SetPath(m_fileName);
    }
    return model;
}

} // namespace orv

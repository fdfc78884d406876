#include "support/ParseRun.h"

namespace orv {

ParseOutcome ParseInto(ProjectWorld& p, const TempDir& dir, const std::string& text, bool load)
{
    dir.Write("P.ORV", text);
    CParsOrvLoad parser(dir.File("P.ORV"), load, p.bundle);
    parser.ReadDescription();
    parser.Parse();
    ParseOutcome out;
    out.error = parser.GetError();
    out.xerror = parser.GetXError();
    out.line = parser.GetLineNo();
    out.column = parser.GetErrorColumn();
    out.errorText = parser.GetErrorText();
    return out;
}

uint16_t ColumnOf(std::string_view line, std::string_view anchor)
{
    const size_t at = line.rfind(anchor);
    return at == std::string_view::npos ? 0 : static_cast<uint16_t>(at + 1);
}

} // namespace orv

#include "support/SourceTextBuilder.h"

#include <cstdio>

namespace orv {

SourceTextBuilder& SourceTextBuilder::Line(std::string_view line)
{
    m_lines.emplace_back(line);
    return *this;
}

SourceTextBuilder& SourceTextBuilder::Lines(std::initializer_list<std::string_view> lines)
{
    for (const auto line : lines)
        Line(line);
    return *this;
}

SourceTextBuilder& SourceTextBuilder::Header(uint16_t srcType)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "ORV%03u_PARAMETER, TEST", static_cast<unsigned>(srcType));
    return Line(buf);
}

SourceTextBuilder& SourceTextBuilder::Ends(LineEnd end)
{
    m_end = end;
    return *this;
}

SourceTextBuilder& SourceTextBuilder::NoFinalLineEnd()
{
    m_finalEnd = false;
    return *this;
}

std::string SourceTextBuilder::Build() const
{
    const std::string_view eol = m_end == LineEnd::CrLf ? "\r\n" : "\n";
    std::string text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        text += m_lines[i];
        if (i + 1 < m_lines.size() || m_finalEnd)
            text += eol;
    }
    return text;
}

std::string ProjectSource(uint16_t srcType, std::initializer_list<std::string_view> statements)
{
    return SourceTextBuilder().Header(srcType).Begin().Lines(statements).End().Build();
}

} // namespace orv

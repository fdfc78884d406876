#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// Builds the text of a project source file line by line:
// SourceTextBuilder().Header(43).Begin().Line("END").Build().
class SourceTextBuilder {
public:
    enum class LineEnd { CrLf, Lf };

    SourceTextBuilder& Line(std::string_view line);
    SourceTextBuilder& Lines(std::initializer_list<std::string_view> lines);
    // The header line naming the panel, as the writer puts it.
    SourceTextBuilder& Header(uint16_t srcType);
    SourceTextBuilder& Begin() { return Line("BEGIN"); }
    SourceTextBuilder& End() { return Line("END"); }
    SourceTextBuilder& Ends(LineEnd end);
    // The last line without its line end.
    SourceTextBuilder& NoFinalLineEnd();

    std::string Build() const;

private:
    std::vector<std::string> m_lines;
    LineEnd m_end = LineEnd::CrLf;
    bool m_finalEnd = true;
};

// Header, BEGIN, the statements and END: header on line 1, BEGIN on line
// 2, so that statement i stands on line i + 3.
std::string ProjectSource(uint16_t srcType, std::initializer_list<std::string_view> statements);

} // namespace orv

// printf-style formatting for formats that come from tables, checked against
// their arguments so a bad catalogue text can never read a wrong argument.
#pragma once

#include <array>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

namespace orv {

// Longest formatted text; longer results are cut.
inline constexpr std::size_t kMaxFormatted = 511;

// Printed in place of a conversion that cannot be filled safely.
inline constexpr std::string_view kFormatMarker = "<?>";

// One argument of a checked format, remembering its kind and width so that a
// conversion can be checked against it.
class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Floating, Text };

    template <class T>
        requires std::is_integral_v<T>
    FormatArg(T value)  // NOLINT: implicit on purpose
        : m_kind(std::is_signed_v<T> ? Kind::Signed : Kind::Unsigned), m_bits(sizeof(T) * 8)
    {
        if constexpr (std::is_signed_v<T>)
            m_int = static_cast<std::uint64_t>(static_cast<std::int64_t>(value));
        else
            m_int = static_cast<std::uint64_t>(value);
    }
    template <class T>
        requires std::is_enum_v<T>
    FormatArg(T value) : FormatArg(static_cast<std::underlying_type_t<T>>(value))
    {
    }
    FormatArg(double value) : m_kind(Kind::Floating), m_float(value) {}
    FormatArg(const char* text) : m_kind(Kind::Text), m_text(text ? text : ""), m_null(text == nullptr) {}
    FormatArg(std::nullptr_t) : FormatArg(static_cast<const char*>(nullptr)) {}
    FormatArg(std::string_view text) : m_kind(Kind::Text), m_text(text) {}
    FormatArg(const std::string& text) : m_kind(Kind::Text), m_text(text) {}

    Kind GetKind() const { return m_kind; }
    int Bits() const { return m_bits; }
    std::uint64_t RawInt() const { return m_int; }
    double Float() const { return m_float; }
    std::string_view Text() const { return m_text; }
    bool IsNullText() const { return m_null; }

private:
    Kind m_kind;
    int m_bits = 64;
    std::uint64_t m_int = 0;
    double m_float = 0.0;
    std::string_view m_text;
    bool m_null = false;
};

// printf-style formatting of a format that comes from a table. A conversion
// whose argument is missing or of another kind, "%n", a '*' width or
// precision, "%p", an unknown conversion and a null text print the marker
// instead; extra arguments are ignored. The result is cut at kMaxFormatted.
std::string CheckedFormatArgs(const char* format, const FormatArg* args, std::size_t count);

template <class... Args>
std::string CheckedFormat(const char* format, const Args&... args)
{
    const std::array<FormatArg, sizeof...(Args)> packed{FormatArg(args)...};
    return CheckedFormatArgs(format, packed.data(), packed.size());
}

// printf-style formatting of a literal format, cut at kMaxFormatted; the
// compiler checks the arguments of callers that carry the attribute.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatTextV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

} // namespace orv

// Parses each conversion of a table format and fills it only when the argument
// fits; anything else prints a marker instead of reading memory it does not own.
#include "model/core/CheckedFormat.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace orv {

namespace {

// Widths and precisions beyond this cannot show in a cut result anyway.
constexpr int kMaxFieldWidth = 1024;

// One parsed conversion: "%[flags][width][.precision][length]conversion".
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    int stars = 0;      // '*' widths or precisions, each taking an argument
    int lengthBits = 64;  // "h" 16, "hh" 8, otherwise the argument's own width
    char conversion = '\0';
};

int ParseNumber(const char*& p)
{
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        value = std::min(value * 10 + (*p - '0'), kMaxFieldWidth);
        ++p;
    }
    return value;
}

// Parses after the '%'; leaves `p` after the conversion character.
Conversion ParseConversion(const char*& p)
{
    Conversion s;
    while (*p && std::strchr("-+ #0", *p)) s.flags += *p++;
    if (*p == '*') {
        ++s.stars;
        ++p;
    } else {
        s.width = *p >= '0' && *p <= '9' ? ParseNumber(p) : -1;
    }
    if (*p == '.') {
        ++p;
        if (*p == '*') {
            ++s.stars;
            ++p;
        } else {
            s.precision = ParseNumber(p);
        }
    }
    if (p[0] == 'h' && p[1] == 'h') {
        s.lengthBits = 8;
        p += 2;
    } else if (*p == 'h') {
        s.lengthBits = 16;
        ++p;
    } else {
        while (*p && std::strchr("lLqjzt", *p)) ++p;
    }
    if (*p) s.conversion = *p++;
    return s;
}

// The conversion's argument as printf would see it: promoted to at least
// int width with its value kept, then read at the conversion's width.
std::uint64_t Narrowed(const FormatArg& arg, int lengthBits, bool asSigned)
{
    std::uint64_t v = arg.RawInt();  // already extended by the argument's signedness
    int bits = std::min(std::max(arg.Bits(), 32), lengthBits);
    if (bits >= 64) return v;
    std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
    v &= mask;
    if (asSigned && (v >> (bits - 1)) != 0) v |= ~mask;
    return v;
}

std::string NumericFormat(const Conversion& s, const char* length)
{
    std::string format = "%" + s.flags;
    if (s.width >= 0) format += std::to_string(s.width);
    if (s.precision >= 0) format += "." + std::to_string(s.precision);
    return format + length + s.conversion;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
// The conversion is rebuilt from parsed parts and its argument type fixed by the
// length modifier chosen here, so the non-literal format is safe.
template <class T>
void AppendNumeric(std::string& out, const std::string& format, T value)
{
    char buf[kMaxFormatted + 1];
    int n = std::snprintf(buf, sizeof buf, format.c_str(), value);
    if (n > 0) out.append(buf, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buf - 1));
}
#pragma GCC diagnostic pop

void AppendText(std::string& out, const Conversion& s, std::string_view text)
{
    if (s.precision >= 0 && text.size() > static_cast<std::size_t>(s.precision)) text = text.substr(0, s.precision);
    std::size_t pad = s.width > 0 && static_cast<std::size_t>(s.width) > text.size() ? s.width - text.size() : 0;
    bool left = s.flags.find('-') != std::string::npos;
    if (!left) out.append(pad, ' ');
    out.append(text);
    if (left) out.append(pad, ' ');
}

bool IsInteger(const FormatArg& a)
{
    return a.GetKind() == FormatArg::Kind::Signed || a.GetKind() == FormatArg::Kind::Unsigned;
}

// Appends one conversion; false when the marker belongs in its place.
bool AppendConversion(std::string& out, const Conversion& s, const FormatArg* arg)
{
    if (s.stars > 0 || !arg) return false;
    switch (s.conversion) {
    case 'd':
    case 'i':
        if (!IsInteger(*arg)) return false;
        AppendNumeric(out, NumericFormat(s, "ll"), static_cast<long long>(Narrowed(*arg, s.lengthBits, true)));
        return true;
    case 'u':
    case 'o':
    case 'x':
    case 'X':
        if (!IsInteger(*arg)) return false;
        AppendNumeric(out, NumericFormat(s, "ll"),
                      static_cast<unsigned long long>(Narrowed(*arg, s.lengthBits, false)));
        return true;
    case 'c': {
        if (!IsInteger(*arg)) return false;
        Conversion plain = s;
        plain.precision = -1;
        AppendNumeric(out, NumericFormat(plain, ""), static_cast<int>(static_cast<unsigned char>(arg->RawInt())));
        return true;
    }
    case 's':
        if (arg->GetKind() != FormatArg::Kind::Text || arg->IsNullText()) return false;
        AppendText(out, s, arg->Text());
        return true;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        if (arg->GetKind() != FormatArg::Kind::Floating) return false;
        AppendNumeric(out, NumericFormat(s, ""), arg->Float());
        return true;
    default:
        return false;
    }
}

bool TakesArgument(char conversion)
{
    return conversion != '\0' && std::strchr("diouxXcsfFeEgGaApn", conversion) != nullptr;
}

}  // namespace

std::string CheckedFormatArgs(const char* format, const FormatArg* args, std::size_t count)
{
    std::string out;
    if (!format) return std::string(kFormatMarker);
    std::size_t next = 0;
    for (const char* p = format; *p && out.size() < kMaxFormatted;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        ++p;
        if (*p == '%') {
            out += *p++;
            continue;
        }
        Conversion s = ParseConversion(p);
        // Arguments are consumed as printf would, so that one bad conversion
        // does not shift the ones after it.
        next += static_cast<std::size_t>(s.stars);
        const FormatArg* arg = nullptr;
        if (TakesArgument(s.conversion)) {
            arg = next < count ? &args[next] : nullptr;
            ++next;
        }
        if (!AppendConversion(out, s, arg)) out += kFormatMarker;
    }
    if (out.size() > kMaxFormatted) out.resize(kMaxFormatted);
    return out;
}

std::string FormatTextV(const char* format, va_list args)
{
    if (!format) return std::string();
    char buf[kMaxFormatted + 1];
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    if (n <= 0) return std::string();
    return std::string(buf, std::min<std::size_t>(static_cast<std::size_t>(n), kMaxFormatted));
}

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

} // namespace orv

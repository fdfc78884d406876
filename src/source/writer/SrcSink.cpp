// The writer's shared sink; the first error stops every later record and a
// line is never cut short on its way out.
#include "source/writer/SrcSink.h"

#include "model/project/CharSet.h"
#include "model/core/Log.h"

#include <cstdarg>
#include <cstdio>
#include <utility>

namespace orv {

namespace {

constexpr std::string_view kSeparator =
    " ____________________________________________________________________________\r\n\r\n";

} // namespace

CSrcSink::CSrcSink(std::string target, const CCharSet* charSet) : m_out(std::move(target)), m_charSet(charSet) {}

bool CSrcSink::Open()
{
    if (m_out.Open())
        return true;
    m_error.Set(kErrOpen);
    return false;
}

void CSrcSink::Check(bool ok)
{
    if (!ok)
        m_error.Set(kErrWrite);
}

void CSrcSink::Printf(const char* format, ...)
{
    if (!Ok())
        return;
    char buf[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (n < 0) {
        Check(false);
        return;
    }
    // Every line format of the writer fits; a longer result is a fault of
    // the caller, not of the medium, and is still written whole.
    if (static_cast<size_t>(n) >= sizeof buf) {
        std::string big(static_cast<size_t>(n) + 1, '\0');
        va_start(args, format);
        std::vsnprintf(big.data(), big.size(), format, args);
        va_end(args);
        big.resize(static_cast<size_t>(n));
        Check(m_out.Put(big));
        return;
    }
    Check(m_out.Put(std::string_view(buf, static_cast<size_t>(n))));
}

void CSrcSink::Put(std::string_view bytes)
{
    if (Ok())
        Check(m_out.Put(bytes));
}

void CSrcSink::TextChar(uint8_t ch)
{
    if (Ok())
        Check(m_charSet && m_charSet->WriteSrcChar(ch, m_out.File()) >= 0);
}

void CSrcSink::TextChars(std::string_view text, size_t max)
{
    for (size_t i = 0; i < text.size() && i < max && text[i] != '\0'; ++i)
        TextChar(static_cast<uint8_t>(text[i]));
}

void CSrcSink::PrnByte(uint8_t ch)
{
    if (Ok())
        Check(WriteSrcByte(ch, m_out.File()) >= 0);
}

void CSrcSink::HexPairs(std::string_view hex, size_t maxPairs)
{
    for (size_t i = 0; i + 1 < hex.size() && i / 2 < maxPairs; i += 2)
        Printf("$%c%c", hex[i], hex[i + 1]);
}

void CSrcSink::EndRecord()
{
    if (Ok())
        Check(m_out.Flush());
}

void CSrcSink::Separator()
{
    if (!m_firstSection) {
        m_firstSection = true;
        return;
    }
    Put(kSeparator);
}

void CSrcSink::LeaveOut(const char* format, ...)
{
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    LogLine(kLogInfo, "%s %s", "Restorv", buf);
    ++m_leftOut;
}

bool CSrcSink::Commit()
{
    if (!Ok())
        return false;
    Check(m_out.Commit());
    return Ok();
}

} // namespace orv

// What the project source writer's sections share while a file is written:
// output, first error and the count of what was left out.
#pragma once

#include "model/core/ErrorSlot.h"
#include "source/writer/SrcOut.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class CCharSet;

// What the project source writer's sections share while a file is written:
// the output, the 16-bit error state (the first error wins and stops every
// later record), the section separator and the count of what had to be left
// out or changed so that the file reads back.
class CSrcSink {
public:
    static constexpr uint16_t kErrOpen = 11;
    static constexpr uint16_t kErrWrite = 18;

    CSrcSink(std::string target, const CCharSet* charSet);

    bool Open();
    bool Ok() const { return !m_error.Failed(); }
    uint16_t GetError() const { return m_error.Code(); }
    void SetError(uint16_t code) { m_error.Set(code); }
    void ClearError() { m_error.Clear(); }

    const CCharSet* GetCharSet() const { return m_charSet; }

    // Each sets the write error on a failure and does nothing once the
    // error state is set.
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Put(std::string_view bytes);
    // A text character through the character set, at most max of them.
    void TextChars(std::string_view text, size_t max);
    // Every byte of a printer text passes; the source escapes are kept.
    void PrnByte(uint8_t ch);
    void TextChar(uint8_t ch);
    // "$" and the two characters of each whole pair, at most maxPairs.
    void HexPairs(std::string_view hex, size_t maxPairs);
    // Ends a record: its bytes go to the file layer.
    void EndRecord();

    // Writes nothing the first time, then the separator line and an empty
    // line.
    void Separator();

    // Logs what the writer leaves out or changes, and counts it.
    void LeaveOut(const char* format, ...) __attribute__((format(printf, 2, 3)));
    int GetLeftOut() const { return m_leftOut; }

    // Replaces the target with what was written; the write error when that
    // fails.
    bool Commit();

private:
    void Check(bool ok);

    CSrcOut m_out;
    const CCharSet* m_charSet;
    ErrorSlot m_error;
    bool m_firstSection = false;
    int m_leftOut = 0;
};

} // namespace orv

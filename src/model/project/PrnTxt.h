// Printer texts: the rows an operator or a message sends to the panel's printer.
#pragma once

#include "model/project/NumList.h"

#include <cstdint>

namespace orv {

// A printer text: up to 126 rows of printer lines.
class CPrnTxt : public CRowEntry<CPrnTxtLin, 126> {
public:
    using CRowEntry::CRowEntry;
};

// A printer text that an operator prints.
class COpPrnTxt : public CPrnTxt {
public:
    using CPrnTxt::CPrnTxt;
};

class COpPrnTxtRange : public COpPrnTxt, public CNumRange {
public:
    COpPrnTxtRange(int32_t lowest, int32_t highest);
};

// A printer text printed with a message; its byte value is written as two
// hex digits.
class CMsgPrnTxt : public CPrnTxt {
public:
    CMsgPrnTxt(int32_t num, uint8_t value) : CPrnTxt(num), m_value(value) {}

    uint8_t GetValue() const { return m_value; }

private:
    uint8_t m_value;
};

class CMsgPrnTxtRange : public CMsgPrnTxt, public CNumRange {
public:
    CMsgPrnTxtRange(int32_t lowest, int32_t highest, uint8_t value);
};

// The printer-text lists are filled by the source reader and the image
// read-back only: no new entries, renumbering or free-number search.
class CPrnTxtList : public CNumListBase<CPrnTxt> {
public:
    using CNumListBase::CNumListBase;
};

class COpPrnTxtList : public CPrnTxtList {
public:
    using CPrnTxtList::CPrnTxtList;
};

class CMsgPrnTxtList : public CPrnTxtList {
public:
    using CPrnTxtList::CPrnTxtList;
};

} // namespace orv

#pragma once

#include "model/CharSet.h"
#include "model/PrjData.h"
#include "model/SpsPar.h"
#include "support/FrameFixture.h"

#include <cstdint>
#include <string>
#include <vector>

// A frame with a project bundle as the compilers take it: character set,
// project root and PLC parameters, of one panel type, and the panel memory
// that family A offers.
class CompFixture : public FrameFixture {
public:
    explicit CompFixture(uint16_t devType = 43);

    void SetDevType(uint16_t devType);
    std::vector<int> BoxIds() const;
    std::vector<std::string> LogLines() const;
    // The log lines after the first line equal to header.
    std::vector<std::string> LogLinesAfter(const std::string& header) const;

    CCharSet charSet{&bundle, 0};
    CPrjData prj{&bundle};
    CSpsPar sps{&bundle};
};

// Big-endian numbers of an image read at literal offsets.
unsigned ByteAt(const std::string& image, size_t at);
unsigned WordAt(const std::string& image, size_t at);
uint32_t DWordAt(const std::string& image, size_t at);

// Word 0 = length / 2 of an even file; byte 3 and the bytes at 7, 14, ...
// sum to 0 modulo 256; byte 2 is the XOR of those bytes.
void ExpectFamilyCCheckWord(const std::string& image);

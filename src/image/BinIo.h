#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Every multi-byte number in the panel-side files is stored high byte first.
// These are the only places that know it.

// The n (1..4) bytes at p as one number, high byte first.
uint32_t GetBigEndian(const uint8_t* p, size_t n);
// value's low n (1..4) bytes at p, high byte first.
void PutBigEndian(uint8_t* p, size_t n, uint32_t value);

// Byte-exact access to an open binary stream. Offsets count from the start
// of the file. Each function gives 1 on success and -1 on failure: a null
// stream, a failed seek, or fewer bytes moved than asked. A read fills its
// destination only after all its bytes arrived.
int ReadByteAt(std::FILE* stream, int32_t offset, uint8_t& value);
int ReadWordAt(std::FILE* stream, int32_t offset, uint16_t& value);
int ReadDWordAt(std::FILE* stream, int32_t offset, uint32_t& value);
int ReadBlockAt(std::FILE* stream, int32_t offset, void* buffer, uint16_t length);

int WriteByteAt(std::FILE* stream, int32_t offset, uint8_t value);
int WriteWordAt(std::FILE* stream, int32_t offset, uint16_t value);
int WriteDWordAt(std::FILE* stream, int32_t offset, uint32_t value);
int WriteBlockAt(std::FILE* stream, int32_t offset, const void* buffer, uint16_t length);

// At the end of the file, wherever the stream stood before.
int AppendByte(std::FILE* stream, uint8_t value);
int AppendWord(std::FILE* stream, uint16_t value);
int AppendDWord(std::FILE* stream, uint32_t value);
int AppendBlock(std::FILE* stream, const void* buffer, uint16_t length);

// The size of the file behind the stream, or -1.
int32_t StreamSize(std::FILE* stream);

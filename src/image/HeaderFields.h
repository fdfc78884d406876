#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Readers of the header fields that driver and special-function files share.
// Each gives 1, or -1 on a failed read, leaving text unchanged.

// length bytes as they are stored.
int ReadTextField(std::FILE* stream, int32_t offset, uint16_t length, std::string& text);
// Three bytes shown "%02X.%02X.%02X", the last byte first.
int ReadHexStamp(std::FILE* stream, int32_t offset, std::string& text);
// The DOS date stored high byte first, shown "day.month.year".
int ReadDosDate(std::FILE* stream, int32_t offset, std::string& text);
// Characters 5, 6, 7, a point and character 8 of the field at offset.
int ReadVersionText(std::FILE* stream, int32_t fieldOffset, std::string& text);

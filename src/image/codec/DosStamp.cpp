// Encodes and decodes DOS date and time words; the clock is injected so tests
// stamp a fixed time.
#include "image/codec/DosStamp.h"

#include "model/core/CheckedFormat.h"

namespace orv {

DosDate DecodeDosDate(uint8_t h, uint8_t l)
{
    DosDate date;
    date.day = l & 31u;
    date.month = ((h & 1u) * 8u) + ((l >> 5) & 7u);
    date.year = 1980u + (h >> 1);
    return date;
}

std::string DosDateText(uint8_t h, uint8_t l)
{
    const DosDate date = DecodeDosDate(h, l);
    return FormatText("%u.%u.%u", date.day, date.month, date.year);
}

uint16_t EncodeDosDate(const std::tm& local)
{
    const unsigned year = local.tm_year >= 80 ? static_cast<unsigned>(local.tm_year - 80) : 0u;
    return static_cast<uint16_t>(((year & 0x7Fu) << 9) | ((static_cast<unsigned>(local.tm_mon + 1) & 0xFu) << 5) |
                                 (static_cast<unsigned>(local.tm_mday) & 0x1Fu));
}

uint16_t EncodeDosTime(const std::tm& local)
{
    return static_cast<uint16_t>(((static_cast<unsigned>(local.tm_hour) & 0x1Fu) << 11) |
                                 ((static_cast<unsigned>(local.tm_min) & 0x3Fu) << 5) |
                                 ((static_cast<unsigned>(local.tm_sec) / 2u) & 0x1Fu));
}

LocalClock SystemLocalClock()
{
    return [] {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        return local;
    };
}

} // namespace orv

// DOS date and time words of the panel-side files, for the writers that stamp
// them and the readers that show them.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace orv {

// DOS date and time words as the panel-side files hold them.
struct DosDate {
    unsigned day = 0;
    unsigned month = 0;
    unsigned year = 0;
};

// h is the first stored byte, l the second.
DosDate DecodeDosDate(uint8_t h, uint8_t l);
// "day.month.year", the numbers without leading zeros.
std::string DosDateText(uint8_t h, uint8_t l);

// Year - 1980 in the top 7 bits, month in the next 4, day in the low 5.
uint16_t EncodeDosDate(const std::tm& local);
// Hour in the top 5 bits, minute in the next 6, seconds / 2 in the low 5.
uint16_t EncodeDosTime(const std::tm& local);

// The source of the local time for stamps; tests fix it.
using LocalClock = std::function<std::tm()>;
LocalClock SystemLocalClock();

} // namespace orv

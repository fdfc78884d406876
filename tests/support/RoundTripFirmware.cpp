// Firmware variables the golden sources of the round trips name.
#include "support/RoundTripFirmware.h"

#include "tools/cfggen/FwBuilders.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace orv {

Fw706Image& AddRoundTripVars(Fw706Image& img, bool countedHex)
{
    auto num = [&img](const char* name, int32_t lower, int32_t upper) {
        Fw706Entry e = Fw706Var(name, 134);
        e.digits = 3;
        e.lower = lower;
        e.upper = upper;
        img.Add(e);
    };
    auto states = [&img](const char* name, std::vector<FwText> texts) {
        Fw706Entry e = Fw706Var(name, 142);
        e.states = std::move(texts);
        img.Add(e);
    };
    num("[Z005]", 1, 255);
    num("[Z006]", 1, 255);
    num("[Z100]", 0, 255);
    states("[Z018]", {"1", "2", "3", "4", "5", "6", "7"});
    states("[Z027]", {"1200", "2400", "4800", "9600", "19200"});
    states("[Z028]", {"N", "E", "O"});
    states("[Z029]", {"7", "8"});
    states("[Z030]", {"1", "2"});
    states("[Z031]", {"V24", "TTY"});
    states("[Z084]", {" "});
    Fw706Entry date = Fw706Var("[Z016]", 251);
    img.Add(date);
    Fw706Entry hex = Fw706Var("[Z078]", 249);
    hex.raw = countedHex ? std::string("\x01\x1B", 2) : std::string("\x1B", 1) + '\0';
    // Printer rows may show it.
    hex.v = Fw706Image::Adr(0x100);
    hex.flags = 0xFFFF;
    img.Add(hex);
    return img;
}

Fw118Image& AddRoundTripVars(Fw118Image& img)
{
    // Numbers of this kind carry their display width; these flags let an
    // internal variable stand in every kind of text.
    constexpr uint8_t kWidthKind = 28;
    constexpr uint8_t kDateKind = 46;
    constexpr uint32_t kInTexts = 0x33FB;
    for (int number = 15; number <= 26; ++number) {
        const bool weekday = number == 21 || number == 22;
        Fw118Entry e = Fw118Var(number, weekday ? 14 : number == 24 ? kDateKind : kWidthKind);
        e.width = number == 23 ? 8 : 2;
        e.flags = kInTexts;
        if (weekday)
            e.states = {"MO", "DI", "MI", "DO", "FR", "SA", "SO"};
        img.Add(e);
    }
    return img;
}

} // namespace orv

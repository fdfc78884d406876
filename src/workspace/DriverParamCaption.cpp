// The captions of the driver parameters "AA".."BZ". Codes without a caption
// of their own show the code itself, so a new driver's parameter is still
// named in the lists.
#include "workspace/DriverParamCaption.h"

#include <array>

namespace orv {

namespace {

struct CaptionRow {
    std::string_view code;
    std::string_view caption;
};

// "DIL 5:On  6:..." keeps the two blanks the panel manuals print.
constexpr std::array<CaptionRow, 35> kCaptions = {{
    {"AA", "Timeout"},
    {"AB", "Wiederholungen"},
    {"AC", "DIL 5:Off 6:Off"},
    {"AD", "DIL 5:On  6:Off"},
    {"AE", "DIL 5:Off 6:On"},
    {"AF", "DIL 5:On  6:On"},
    {"AG", "Sende-Empfangsfach"},
    {"AH", "Stationsnummer ORV"},
    {"AI", "Dialog Bausteinnummer"},
    {"AJ", "Aufgaben pro Paket"},
    {"AK", "Datenbaustein Nummer"},
    {"AL", "Startadresse"},
    {"AM", "Endadresse"},
    {"AN", "CPU Steckplatznummer"},
    {"AO", "Stationsnummer SPS"},
    {"AP", "Schleife Nummer"},
    {"AQ", "Ger\xE4t Nummer"},
    {"AR", "Verz\xF6gerung"},
    {"AS", "Parit\xE4t"},
    {"BA", "Datenwortbereich"},
    {"BB", "Timeout MPI"},
    {"BC", "Direkttastenworte"},
    {"BD", "Tastenbyte 0"},
    {"BE", "Tastenbyte 1"},
    {"BF", "Tastenbyte 2"},
    {"BG", "Tastenbyte 3"},
    {"BH", "Tastenbyte 4"},
    {"BI", "Direkttastenbyte"},
    {"BJ", "Knotenadresse SPS"},
    {"BK", "Knotenadresse EIN"},
    {"BL", "Knotenadresse AUS"},
    {"BM", "Knotenadresse Direkttastenbyte"},
    {"BN", "CRC-Check"},
    {"BQ", "HSA"},
    {"BR", "Startkonf."},
}};

bool IsDriverParamCode(std::string_view code)
{
    return code.size() == 2 && (code[0] == 'A' || code[0] == 'B') && code[1] >= 'A' && code[1] <= 'Z';
}

} // namespace

std::string DriverParamCaption(std::string_view code)
{
    if (!IsDriverParamCode(code)) {
        return {};
    }
    for (const auto& row : kCaptions) {
        if (row.code == code) {
            return std::string(row.caption);
        }
    }
    return std::string(code);
}

} // namespace orv

// Looks catalogue numbers up in the generated tables; an unknown number falls
// back to the catalogue's out-of-range text so no caller meets a null.
#include "model/core/Catalogues.h"

#include "model/core/TextTableData.h"

namespace orv {

namespace {

const char* Lookup(const char* const* table, unsigned last, std::uint16_t number, const char* outOfRange)
{
    if (number == 0 || number > last || table[number] == nullptr) return outOfRange;
    return table[number];
}

}  // namespace

const char* ResourceTXT(std::uint16_t number)
{
    return Lookup(texttables::kResourceTXT, texttables::kResourceTXTLast, number,
                  "ResourceTXT String index out of bounds");
}

const char* resErrorText(std::uint16_t number)
{
    return Lookup(texttables::kresErrorText, texttables::kresErrorTextLast, number,
                  "INTERNAL ERROR (should not occur): resErrorText( uErrorTextNumber) out of bounds");
}

const char* resError2(std::uint16_t number)
{
    return Lookup(texttables::kresError2, texttables::kresError2Last, number,
                  "INTERNAL ERROR (should not occur): resError2 out of bounds");
}

const char* ResKonstText(std::uint16_t number)
{
    return Lookup(texttables::kResKonstText, texttables::kResKonstTextLast, number,
                  "ResKonstText String not yet implemented");
}

} // namespace orv

// Printer texts of the project model.
#include "model/project/PrnTxt.h"

namespace orv {

COpPrnTxtRange::COpPrnTxtRange(int32_t lowest, int32_t highest) : COpPrnTxt(-1), CNumRange(lowest, highest) {}

CMsgPrnTxtRange::CMsgPrnTxtRange(int32_t lowest, int32_t highest, uint8_t value)
    : CMsgPrnTxt(-1, value), CNumRange(lowest, highest)
{
}

} // namespace orv

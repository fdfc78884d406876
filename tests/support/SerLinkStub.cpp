// Stand-ins for the serial link library, built in three variants: with all
// three exports, without orvlink_rec, and with none of them.
#include "serlink/orvlink.h"

extern "C" {

#if !defined(ORV_STUB_NO_EXPORTS)
__attribute__((visibility("default"))) uint16_t orvlink_start(uint16_t port, uint16_t fast)
{
    return static_cast<uint16_t>(100 + port * 2 + (fast ? 1 : 0));
}

__attribute__((visibility("default"))) uint16_t orvlink_end(void)
{
    return 0;
}
#endif

#if !defined(ORV_STUB_NO_EXPORTS) && !defined(ORV_STUB_NO_REC)
__attribute__((visibility("default"))) uint16_t orvlink_rec(char* command, char* answer)
{
    if (answer != nullptr)
        answer[0] = '\0';
    return command != nullptr ? 0 : 21;
}
#endif

// Something to export when none of the three is.
__attribute__((visibility("default"))) int orvlink_stub_marker(void)
{
    return 1;
}

}

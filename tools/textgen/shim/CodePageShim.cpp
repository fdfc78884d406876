#include "platform/CodePage.h"
#include <iconv.h>
namespace orv {
std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossy) {
    std::string out;
    iconv_t cd = iconv_open(cp == CodePage::Cp437 ? "IBM437" : "CP1252", "UTF-8");
    std::string in(utf8);
    char* ip = in.data(); size_t il = in.size();
    while (il > 0) {
        char buf[8]; char* op = buf; size_t ol = sizeof buf;
        size_t before = il;
        size_t r = iconv(cd, &ip, &il, &op, &ol);
        out.append(buf, op - buf);
        if (r == (size_t)-1 && il == before) { out += '?'; if (lossy) *lossy = true; ++ip; --il; }
    }
    iconv_close(cd);
    return out;
}
}

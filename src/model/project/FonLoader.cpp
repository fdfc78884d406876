// Loads the startup fonts in their fixed order and fills the character set as
// each arrives; the first failure stops the rest and is named to the caller.
#include "model/project/FonLoader.h"

#include "model/project/CharSet.h"
#include "model/project/Fon.h"
#include "platform/FileLookup.h"

namespace orv {

bool LoadPanelFonts(const std::string& dir, CFon& alt, CFon& f706, CFon& intFont, CCharSet& charSet,
                    std::string& failedPath)
{
    struct Font {
        const char* fileName;
        CFon& fon;
        CharGroup group;
    };
    const Font fonts[] = {
        {"ALT.FON", alt, CharGroup::Alt},
        {"706.FON", f706, CharGroup::F706},
        {"INT.FON", intFont, CharGroup::Int},
    };
    for (const Font& f : fonts) {
        const std::string path = orv::FindPathNoCase(dir, f.fileName).value_or(dir + f.fileName);
        if (f.fon.Load(path) != 1) {
            failedPath = path;
            return false;
        }
        f.fon.GetBitmaps(charSet.FillFontBuffer(f.group));
    }
    return true;
}

} // namespace orv

// fontgen GLYPH-FILE OUT-DIR...: writes every font of the glyph file into each
// output directory. A malformed glyph file stops it with the line at fault.

#include "tools/fontgen/FonBuilder.h"
#include "tools/fontgen/GlyphFile.h"
#include "platform/FileReplace.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace orv;

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fontgen GLYPH-FILE OUT-DIR...\n");
        return 2;
    }
    const std::string source = argv[1];
    std::string text;
    if (!orv::ReadWholeFile(source, text)) {
        std::fprintf(stderr, "fontgen: cannot read %s\n", source.c_str());
        return 1;
    }

    GlyphFile glyphs;
    GlyphFileError error;
    if (!ParseGlyphFile(text, glyphs, error)) {
        std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), error.line, error.message.c_str());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        std::error_code ec;
        fs::create_directories(argv[i], ec);
        for (const FontSection& font : glyphs.fonts) {
            const fs::path target = fs::path(argv[i]) / font.fileName;
            if (!orv::WriteFileReplacing(target.string(), BuildFonFile(glyphs.MakeDesc(font)))) {
                std::fprintf(stderr, "fontgen: cannot write %s\n", target.c_str());
                return 1;
            }
        }
    }
    return 0;
}

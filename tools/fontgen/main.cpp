// fontgen GLYPH-FILE OUT-DIR...: writes every font of the glyph file into each
// output directory. A malformed glyph file stops it with the line at fault.

#include "tools/fontgen/FonBuilder.h"
#include "tools/fontgen/GlyphFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

// Writes beside the target and renames, so a failed run leaves no half file.
bool WriteReplacing(const fs::path& target, const std::string& bytes)
{
    const fs::path temp = target.string() + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ec;
            fs::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec)
        fs::remove(temp, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fontgen GLYPH-FILE OUT-DIR...\n");
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fontgen: cannot read %s\n", source.c_str());
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    orv::GlyphFile glyphs;
    orv::GlyphFileError error;
    if (!orv::ParseGlyphFile(text, glyphs, error)) {
        std::fprintf(stderr, "%s:%d: %s\n", source.c_str(), error.line, error.message.c_str());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        std::error_code ec;
        fs::create_directories(argv[i], ec);
        for (const orv::FontSection& font : glyphs.fonts) {
            const fs::path target = fs::path(argv[i]) / font.fileName;
            if (!WriteReplacing(target, orv::BuildFonFile(glyphs.MakeSpec(font)))) {
                std::fprintf(stderr, "fontgen: cannot write %s\n", target.c_str());
                return 1;
            }
        }
    }
    return 0;
}

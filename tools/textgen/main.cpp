// Turns the text data files into C++ constant tables; fails with
// "file:line: message" on stderr for every fault in the data.

#include "IdNames.h"
#include "TableEmitter.h"
#include "TextData.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Usage()
{
    std::cerr << "usage: textgen catalogue NAME LAST cp1252|cp437 INPUT OUTPUT\n"
                 "       textgen langstrings NAME INPUT OUTPUT\n"
                 "       textgen ids OUTPUT SPACE:lang:INPUT|SPACE:NAME:LAST:cp1252|cp437:INPUT ...\n";
    return 2;
}

bool ReadFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    content = buf.str();
    return !in.bad();
}

// Leaves an unchanged output alone so that its users are not rebuilt.
bool WriteIfChanged(const std::string& path, const std::string& text)
{
    std::string old;
    if (ReadFile(path, old) && old == text) return true;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// A failed run leaves no stale table behind; only a regular file is removed.
void RemoveOutput(const std::string& output)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(output, ec)) std::filesystem::remove(output, ec);
}

int Finish(const textgen::Diagnostics& diags, const std::string& output, const std::string& text)
{
    if (!diags.Empty()) {
        for (const auto& d : diags.Items()) std::cerr << d.Text() << '\n';
        RemoveOutput(output);
        return 1;
    }
    if (!WriteIfChanged(output, text)) {
        std::cerr << output << ": cannot write\n";
        RemoveOutput(output);
        return 1;
    }
    return 0;
}

std::string BaseName(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ParseLast(const std::string& text, unsigned& last)
{
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    last = static_cast<unsigned>(std::stoul(text));
    return last >= 1 && last <= 0xFFFF;
}

// Splits "a:b:rest" into count fields, the last taking the rest.
bool SplitFields(const std::string& arg, std::size_t count, std::vector<std::string>& fields)
{
    fields.clear();
    std::size_t from = 0;
    while (fields.size() + 1 < count) {
        const std::size_t colon = arg.find(':', from);
        if (colon == std::string::npos) return false;
        fields.push_back(arg.substr(from, colon - from));
        from = colon + 1;
    }
    fields.push_back(arg.substr(from));
    for (const auto& f : fields)
        if (f.empty()) return false;
    return true;
}

// Reads the catalogue that a command-line argument names into the id space; false on a malformed argument.
bool ReadIdSpace(const std::string& arg, textgen::IdSpace& space, textgen::Diagnostics& diags)
{
    std::vector<std::string> f;
    textgen::IdNamer namer;
    std::string content;
    if (SplitFields(arg, 3, f) && f[1] == "lang") {
        if (!ReadFile(f[2], content)) diags.Add(f[2], 0, "cannot read");
        textgen::LangStringData data;
        data.Read(BaseName(f[2]), content, diags);
        for (const auto& [id, entry] : data.Entries())
            namer.Add(id, orv::ToUtf8(entry.text[textgen::LangDe], orv::CodePage::Cp1252), entry.given);
        space = {f[0], "std::uint32_t", "Language strings (" + BaseName(f[2]) + ")", {}};
    } else if (unsigned last = 0; SplitFields(arg, 5, f) && ParseLast(f[2], last) &&
                                  (f[3] == "cp1252" || f[3] == "cp437")) {
        if (!ReadFile(f[4], content)) diags.Add(f[4], 0, "cannot read");
        const orv::CodePage cp = f[3] == "cp437" ? orv::CodePage::Cp437 : orv::CodePage::Cp1252;
        textgen::CatalogueData data(f[1], last, cp);
        data.Read(BaseName(f[4]), content, diags);
        for (const auto& [number, text] : data.Texts()) {
            const auto given = data.GivenNames().find(number);
            namer.Add(number, orv::ToUtf8(text, cp), given == data.GivenNames().end() ? "" : given->second);
        }
        space = {f[0], "std::uint16_t", "Entries of " + f[1] + " (" + BaseName(f[4]) + ")", {}};
    } else {
        return false;
    }
    std::vector<std::string> clashes;
    space.names = namer.Names(clashes);
    for (const auto& clash : clashes) diags.Add(space.catalogue, 0, clash);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return Usage();
    const std::string mode = argv[1];
    textgen::Diagnostics diags;
    std::string content;

    if (mode == "catalogue" && argc == 7) {
        const std::string name = argv[2], cpName = argv[4], input = argv[5], output = argv[6];
        unsigned last = 0;
        if (!ParseLast(argv[3], last) || (cpName != "cp1252" && cpName != "cp437")) return Usage();
        if (!ReadFile(input, content)) {
            std::cerr << input << ": cannot read\n";
            return 1;
        }
        textgen::CatalogueData data(name, last, cpName == "cp437" ? orv::CodePage::Cp437 : orv::CodePage::Cp1252);
        data.Read(input, content, diags);
        return Finish(diags, output, textgen::EmitCatalogue(data, BaseName(input)));
    }
    if (mode == "langstrings" && argc == 5) {
        const std::string name = argv[2], input = argv[3], output = argv[4];
        if (!ReadFile(input, content)) {
            std::cerr << input << ": cannot read\n";
            return 1;
        }
        textgen::LangStringData data;
        data.Read(input, content, diags);
        return Finish(diags, output, textgen::EmitLangStrings(data, name, BaseName(input)));
    }
    if (mode == "ids" && argc >= 4) {
        const std::string output = argv[2];
        std::vector<textgen::IdSpace> spaces;
        std::string sources;
        for (int i = 3; i < argc; ++i) {
            textgen::IdSpace space;
            if (!ReadIdSpace(argv[i], space, diags)) return Usage();
            spaces.push_back(std::move(space));
            sources += (i > 3 ? ", " : "") + BaseName(argv[i]);
        }
        return Finish(diags, output, textgen::EmitIdHeader(spaces, sources));
    }
    return Usage();
}

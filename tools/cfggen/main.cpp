// Builds the shipped configuration from the SQL in the repository:
// cfggen SCHEMA.sql CONTENT.sql PROGDIR [OUTDIR...]; each directory gets
// "startsel.db", the program directory also CFG/ORV/ made from it.
#include "tools/cfggen/ShippedFiles.h"
#include "workspace/SelDb.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace orv;

namespace {

bool ReadText(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream buf;
    buf << in.rdbuf();
    text = buf.str();
    return true;
}

// Written to a temporary name and renamed, so that a failed run leaves no
// half-made database.
bool Build(const std::string& sql, const std::filesystem::path& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const std::filesystem::path tmp = dir / "startsel.db.tmp";
    std::filesystem::remove(tmp, ec);
    std::string error;
    {
        orv::CSelDb db;
        if (!db.Create(tmp.string()) || !db.ExecScript(sql, &error)) {
            std::fprintf(stderr, "cfggen: %s: %s\n", tmp.c_str(), error.c_str());
            return false;
        }
    }
    std::filesystem::rename(tmp, dir / "startsel.db", ec);
    if (ec) {
        std::fprintf(stderr, "cfggen: %s\n", ec.message().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: cfggen SCHEMA.sql CONTENT.sql OUTDIR...\n");
        return 2;
    }
    std::string schema;
    std::string content;
    if (!ReadText(argv[1], schema) || !ReadText(argv[2], content)) {
        std::fprintf(stderr, "cfggen: cannot read the SQL\n");
        return 1;
    }
    // One transaction: the file is written once, the same way each run.
    const std::string sql = "BEGIN;\n" + schema + content + "COMMIT;\n";
    for (int i = 3; i < argc; ++i)
        if (!Build(sql, argv[i]))
            return 1;
    orv::CSelDb db;
    const std::string dir = std::string(argv[3]) + "/";
    if (!db.Open(dir + "startsel.db"))
        return 1;
    std::string error;
    if (!orv::WriteShippedFiles(db, dir, error)) {
        std::fprintf(stderr, "cfggen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

#include "RoundTripKit.h"

#include "source/reader/ParsOrvLoad.h"
#include "source/writer/RestOrv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {

namespace {

// The fixture's project written as the save command does; the file's bytes.
std::string SaveSource(DecoWorld& f, const std::string& name)
{
    {
        CRestOrv w(f.dir.File(name), &f.bundle);
        w.WriteDescription();
        w.WriteAll();
        EXPECT_TRUE(w.Finish());
    }
    return f.dir.Read(name);
}

} // namespace

std::string Golden(const std::string& name)
{
    std::ifstream in(std::string(ORV_TEST_DATA_DIR) + "/roundtrip/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint16_t PanelOf(const std::string& bytes)
{
    const size_t at = bytes.find("_PARAMETER");
    return at == std::string::npos || at < 3 ? 0 : static_cast<uint16_t>(std::stoi(bytes.substr(at - 3, 3)));
}

std::string ExpectedS2(const std::string& golden, const std::string& s1)
{
    std::string lossy = golden;
    lossy.replace(lossy.size() - 3, 3, "s2");
    const std::string expected = Golden(lossy);
    return expected.empty() ? s1 : expected;
}

RoundTripOutcome GoldenRoundTrip(DecoWorld& f, const std::string& source, const std::function<void()>& compile,
                                 const std::function<void()>& decompile)
{
    RoundTripOutcome out;
    f.dir.Write("P.ORV", source);
    {
        CParsOrvLoad parser(f.dir.File("P.ORV"), true, f.bundle);
        parser.ReadDescription();
        parser.Parse();
        EXPECT_EQ(parser.GetError(), 0) << parser.GetLineNo() << ": " << parser.GetXError() << " "
                                        << parser.GetErrorText();
    }
    out.s1 = SaveSource(f, "S1.ORV");
    compile();
    f.prj.Clear();
    decompile();
    out.s2 = SaveSource(f, "S2.ORV");
    return out;
}

} // namespace orv

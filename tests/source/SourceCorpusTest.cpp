#include "model/DrvCfg.h"
#include "source/RestOrv.h"
#include "ParseRun.h"
#include "support/ParserProject.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(std::string(ORV_TEST_DATA_DIR) + "/source"))
        if (e.path().extension() == ".orv")
            files.push_back(e.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// The panel type that the header line names ("ORVnnn_PARAMETER").
uint16_t PanelOf(const std::string& bytes)
{
    const size_t at = bytes.find("_PARAMETER");
    if (at == std::string::npos || at < 3)
        return 0;
    return static_cast<uint16_t>(std::stoi(bytes.substr(at - 3, 3)));
}

// Writes the project of the bundle as the save command does.
std::string WriteBack(PrjBundle& bundle, const TempDir& dir)
{
    const std::string path = dir.File("W.ORV");
    {
        CRestOrv w(path, &bundle);
        w.WriteDescription();
        w.WriteAll();
        EXPECT_TRUE(w.Finish());
        EXPECT_EQ(w.GetLeftOut(), 0);
    }
    return dir.Read("W.ORV");
}

struct DrvHolder {
    explicit DrvHolder(PrjBundle& bundle) : drv(nullptr, &bundle) { bundle.drvCfg = &drv; }
    CDrvCfg drv;
};

class SourceCorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SourceCorpusTest, ReadThenWriteGivesTheSameBytes)
{
    const std::string bytes = ReadBytes(GetParam());
    const uint16_t panel = PanelOf(bytes);
    ASSERT_NE(panel, 0);
    TempDir dir;
    auto p = ParserProjectBuilder(panel).Build();
    DrvHolder drv(p->bundle);
    const ParseOutcome read = ParseInto(*p, dir, bytes);
    ASSERT_EQ(read.error, 0) << read.line << ": " << read.errorText;
    EXPECT_TRUE(p->ui.CallsOf(UiCall::Kind::Question).empty());
    EXPECT_EQ(WriteBack(p->bundle, dir), bytes);
}

TEST_P(SourceCorpusTest, NothingOfAnEarlierProjectLeaks)
{
    const std::string bytes = ReadBytes(GetParam());
    const uint16_t panel = PanelOf(bytes);
    TempDir dir;
    auto p = ParserProjectBuilder(43).Build();
    DrvHolder drv(p->bundle);
    ASSERT_EQ(ParseInto(*p, dir, ReadBytes(std::string(ORV_TEST_DATA_DIR) + "/source/plant043.orv")).error, 0);
    const bool variant = panel == 755;
    p->prj->SetDevType(variant ? 47 : panel);
    p->prj->SetVariant(variant ? 1 : 0);
    p->charSet->SetDevType(variant ? 47 : panel);
    p->prj->Clear();
    const ParseOutcome read = ParseInto(*p, dir, bytes);
    ASSERT_EQ(read.error, 0) << read.line << ": " << read.errorText;
    EXPECT_EQ(WriteBack(p->bundle, dir), bytes);
}

INSTANTIATE_TEST_SUITE_P(SourceCorpusTest, SourceCorpusTest, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) {
                             return std::filesystem::path(info.param).stem().string();
                         });

} // namespace

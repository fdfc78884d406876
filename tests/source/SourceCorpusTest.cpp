#include "SourceRoundTrip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(std::string(ORV_TEST_DATA_DIR) + "/source"))
        if (e.path().extension() == ".orv")
            files.push_back(e.path().filename().string());
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

// Every line of a golden file ends in CR LF.
TEST(SourceCorpusTest, FilesKeepTheirLineEnds)
{
    for (const std::string& file : CorpusFiles()) {
        const std::string bytes = ReadSourceData(file);
        ASSERT_GE(bytes.size(), 2u) << file;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << file;
        size_t lf = 0;
        size_t crlf = 0;
        for (size_t i = 0; i < bytes.size(); ++i) {
            lf += bytes[i] == '\n';
            crlf += bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r';
        }
        EXPECT_EQ(lf, crlf) << file;
    }
}

class SourceCorpusTest : public ::testing::TestWithParam<std::string> {};

TEST_P(SourceCorpusTest, ReadThenWriteGivesTheSameBytes)
{
    const std::string bytes = ReadSourceData(GetParam());
    const uint16_t panel = PanelOf(bytes);
    ASSERT_NE(panel, 0);
    TempDir dir;
    RoundTripProject project(panel);
    const ParseOutcome read = ReadSource(project, dir, bytes);
    ASSERT_EQ(read.error, 0) << "line " << read.line << ": " << read.xerror << " " << read.errorText;
    EXPECT_TRUE(project.p->ui.CallsOf(UiCall::Kind::Question).empty());
    int leftOut = -1;
    EXPECT_EQ(WriteSource(project, dir, &leftOut), bytes);
    EXPECT_EQ(leftOut, 0);
}

// The bundle held the 043 example before it was switched to the file's
// panel: nothing of that project (such as its message mode) may leak.
TEST_P(SourceCorpusTest, NothingOfAnEarlierProjectLeaks)
{
    const std::string bytes = ReadSourceData(GetParam());
    const uint16_t panel = PanelOf(bytes);
    TempDir dir;
    RoundTripProject project(43);
    ASSERT_EQ(ReadSource(project, dir, ReadSourceData("plant043.orv")).error, 0);
    const bool variant = panel == 755;
    const uint16_t type = variant ? 47 : panel;
    project.panel = panel;
    project.Prj().SetDevType(type);
    project.Prj().SetVariant(variant ? 1 : 0);
    project.Prj().SetDsType(panel);
    project.p->charSet->SetDevType(type);
    project.p->charSet->FillFontBuffer(project.p->charSet->GetGroup());
    const ParseOutcome read = ReadSource(project, dir, bytes);
    ASSERT_EQ(read.error, 0) << "line " << read.line << ": " << read.xerror << " " << read.errorText;
    EXPECT_EQ(WriteSource(project, dir), bytes);
}

INSTANTIATE_TEST_SUITE_P(SourceCorpusTest, SourceCorpusTest, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) { return std::filesystem::path(info.param).stem().string(); });

} // namespace

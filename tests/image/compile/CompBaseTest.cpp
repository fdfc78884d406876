#include "CompWorld.h"

#include "image/compile/Comp.h"
#include "image/codec/ReadWhole.h"
#include "model/core/LangStrings.h"
#include "model/core/Log.h"
#include "model/project/Mnu.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/core/WorkspaceState.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

using namespace orv;

namespace {

// The base with its protected services opened for the tests.
class ProbeComp : public CComp {
public:
    using CComp::CComp;
    // The tests read the image once the compiler is gone, as after a
    // complete compile.
    ~ProbeComp() override { static_cast<void>(WriteOut()); }
    using CComp::AddBrokenMnu;
    using CComp::AppendByte;
    using CComp::AppendBytes;
    using CComp::AppendCounted;
    using CComp::AppendDWord;
    using CComp::AppendString;
    using CComp::AppendValue48;
    using CComp::AppendWord;
    using CComp::AppendZeros;
    using CComp::CopyDriverFile;
    using CComp::CopySpecialFile;
    using CComp::FeedCheckWord;
    using CComp::FitNames;
    using CComp::GetCheckWord;
    using CComp::GetNodeAdr;
    using CComp::NoteMessageWord;
    using CComp::ReadDWord;
    using CComp::ReadWord;
    using CComp::Reserve;
    using CComp::SetConflict;
    using CComp::SetError;
    using CComp::SetNodeAdr;
    using CComp::StampFamily706CheckWord;
    using CComp::UpdateFreeMemory;
    using CComp::WriteWord;
    using CComp::WrittenMnus;
    using CComp::WrittenVars;
};

class CompBase : public ::testing::Test, public CompWorld {
protected:
    std::unique_ptr<ProbeComp> Make(const std::string& drv = "", const std::string& fkt = "")
    {
        return std::make_unique<ProbeComp>(workspace, dir.File("OUT.BIN"), drv, fkt, bundle);
    }
    std::string Image() const { return dir.Read("OUT.BIN"); }
};

TEST_F(CompBase, WritePrimitivesAreBigEndianAndReadBack)
{
    dir.Write("P.DRV", std::string("\x00\x01\xFFrest", 7));
    {
        auto comp = Make(dir.File("P.DRV"));
        ASSERT_EQ(comp->GetError(), 0);
        EXPECT_EQ(comp->AppendByte(0x11), 1);
        EXPECT_EQ(comp->AppendWord(0x2233), 1);
        EXPECT_EQ(comp->AppendDWord(0x44556677), 1);
        EXPECT_EQ(comp->AppendString("AB"), 1);
        EXPECT_EQ(comp->AppendCounted("xyz"), 1);
        EXPECT_EQ(comp->AppendValue48(-300), 1);
        EXPECT_EQ(comp->WriteWord(1, 0xA1B2), 1);
        uint16_t word = 0;
        uint32_t dword = 0;
        EXPECT_EQ(comp->ReadWord(1, word), 1);
        EXPECT_EQ(comp->ReadDWord(3, dword), 1);
        EXPECT_EQ(word, 0xA1B2);
        EXPECT_EQ(dword, 0x44556677u);
        EXPECT_EQ(comp->CopyDriverFile(), 1);
        EXPECT_EQ(comp->GetLength(), 27u);
        EXPECT_EQ(comp->GetError(), 0);
    }
    EXPECT_EQ(Image(), std::string("\x11\xA1\xB2\x44\x55\x66\x77" "AB\0" "\x03xyz" "\xFF\xFF\xFF\xFF\xFE\xD4"
                                   "\x00\x01\xFFrest",
                                   27));
}

TEST_F(CompBase, ReserveMovesARecordToTheBoundary)
{
    struct Case {
        uint16_t devType;
        uint32_t length;
        uint32_t n;
        uint64_t expect;
    } const cases[] = {
        {43, 1042, 200, 1042},         // no move
        {43, 4054, 9, 4054},           // the last length that stays
        {43, 4054, 10, 4096},          // the first that moves
        {43, 4064, 0, 4096},           // zero bytes still keep the margin
        {43, 4053, 9, 4054},           // odd: padded first
        {706, 65470, 2, 65536},        // 706 family blocks and margin
        {706, 65470, 1, 65470},
    };
    workspace.MemInfo().freeData = 200000;
    for (const Case& c : cases) {
        SetDevType(c.devType);
        {
            auto comp = Make();
            ASSERT_EQ(comp->AppendZeros(c.length), 1);
            EXPECT_EQ(comp->Reserve(c.n), 1);
            EXPECT_EQ(comp->GetLength(), c.expect) << c.length << " + " << c.n;
        }
        EXPECT_EQ(Image(), std::string(c.expect, '\0'));
    }
}

TEST_F(CompBase, MemoryCheckKeepsTheImageBelowTheLimit)
{
    workspace.MemInfo().freeData = 100;
    auto comp = Make();
    EXPECT_EQ(comp->AppendZeros(99), 1);
    comp->UpdateFreeMemory();
    EXPECT_EQ(workspace.MemInfo().freeData, 1u);
    EXPECT_EQ(comp->GetError(), 0);

    EXPECT_EQ(comp->AppendByte(0), -1);
    EXPECT_EQ(comp->GetError(), CComp::kErrMemory);
    EXPECT_EQ(workspace.MemInfo().freeData, 0u);
    const std::vector<std::string> log = LogLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().rfind("Error ORV-Memory Comp_orv ", 0), 0u) << log.back();
}

TEST_F(CompBase, NodeTableIgnoresNumbersAbove255)
{
    auto comp = Make();
    comp->SetNodeAdr(255, 0x1234);
    comp->SetNodeAdr(256, 0x5678);
    EXPECT_EQ(comp->GetNodeAdr(255), 0x1234u);
    EXPECT_EQ(comp->GetNodeAdr(256), 0u);
    EXPECT_EQ(comp->GetNodeAdr(0), 0u);
}

TEST_F(CompBase, Family706CheckWordMakesTheSumsVanish)
{
    SetDevType(706);
    workspace.MemInfo().freeData = 200000;
    std::mt19937 random(1234);
    std::string bytes(5001, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    {
        auto comp = Make();
        ASSERT_EQ(comp->AppendBytes(bytes), 1);
        EXPECT_EQ(comp->StampFamily706CheckWord(), 1);
    }
    const std::string image = Image();
    ASSERT_EQ(image.size(), 5002u);
    EXPECT_EQ(WordAt(image, 0), 2501u);
    ExpectFamily706CheckWord(image);
}

TEST_F(CompBase, RecipeCheckWordShiftsWithFeedback)
{
    auto comp = Make();
    comp->FeedCheckWord(1);
    comp->FeedCheckWord(0);
    EXPECT_EQ(comp->GetCheckWord(), 0x0808);
    auto other = Make();
    other->FeedCheckWord(1);
    other->FeedCheckWord(2);
    other->FeedCheckWord(1);
    EXPECT_EQ(other->GetCheckWord(), 0x0241);
}

TEST_F(CompBase, ConstructorErrors)
{
    frame.SetLogLevel(kLogDebug);
    dir.Write("P.DRV", "drv");
    dir.Write("P.FKT", "fkt");
    EXPECT_EQ(ProbeComp(workspace, dir.File("missing/OUT.BIN"), "", "", bundle).GetError(), CComp::kErrOutput);
    EXPECT_EQ(Make(dir.File("NONE.DRV"), dir.File("P.FKT"))->GetError(), CComp::kErrDriver);
    for (const std::string& line : LogLines())
        EXPECT_EQ(line.find("P.FKT"), std::string::npos) << line;
    EXPECT_EQ(Make(dir.File("P.DRV"), dir.File("NONE.FKT"))->GetError(), CComp::kErrSpecial);
    EXPECT_EQ(Make()->GetError(), 0);
    auto both = Make(dir.File("P.DRV"), dir.File("P.FKT"));
    EXPECT_EQ(both->GetError(), 0);
    EXPECT_EQ(both->CopySpecialFile(), 1);
    EXPECT_EQ(both->CopyDriverFile(), 1);
    EXPECT_EQ(both->GetLength(), 6u);
}

TEST_F(CompBase, InputsAboveTheCapAreRefusedUnread)
{
    dir.Write("BIG.DRV", "");
    std::filesystem::resize_file(dir.File("BIG.DRV"), kMaxInputFileSize + 1);
    EXPECT_EQ(Make(dir.File("BIG.DRV"))->GetError(), CComp::kErrDriver);
    std::filesystem::resize_file(dir.File("BIG.DRV"), kMaxInputFileSize);
    EXPECT_EQ(Make("", dir.File("BIG.DRV"))->GetError(), 0);
}

TEST_F(CompBase, CheckErrorReportsAndClears)
{
    struct Case {
        uint16_t error;
        int box;  // 0: none
        int result;
        uint16_t after;
    } const cases[] = {
        {3, 15204, 0, 0},  {5, 15205, 0, 0},  {7, 15206, 0, 0},  {20, 15207, 0, 0},
        {23, 0, 0, 0},     {48, 15211, 0, 0}, {49, 15209, 0, 0}, {50, 15202, 0, 0},
        {51, 15202, 0, 0}, {53, 15217, 0, 0}, {99, 0, 0, 99},    {0, 0, 1, 0},
    };
    for (const Case& c : cases) {
        ui.ClearCalls();
        auto comp = Make();
        comp->SetConflict(12, "DB5.DBW8");
        comp->SetError(c.error);
        EXPECT_EQ(comp->CheckError(), c.result) << c.error;
        EXPECT_EQ(comp->GetError(), c.after) << c.error;
        EXPECT_EQ(BoxIds(), c.box ? std::vector<int>{c.box} : std::vector<int>{}) << c.error;
        if (c.error == 48) {
            ASSERT_EQ(ui.CallsOf(UiCall::Kind::Box).size(), 1u);
            EXPECT_NE(ui.CallsOf(UiCall::Kind::Box)[0].text.find("Rezeptnr. 12\nDB5.DBW8"), std::string::npos);
        }
    }
}

TEST_F(CompBase, SuccessReportsMessageWordUnusedVariablesAndBrokenMenus)
{
    sps.SetCaption(0, "DB");
    auto* used = new CPrjVarWord("Used", 3, 1, 32, 0);
    used->IncUse();
    ASSERT_EQ(prj.InsVar(used), 0);
    prj.InsVar(new CPrjVarWord("Zeta", 5, 1, 32, 0));
    prj.InsVar(new CPrjVarWord("Alpha", 6, 1, 32, 0));
    auto* menuA = new CPrjMnu(2, "MenuA", 0x30FF);
    auto* menuB = new CPrjMnu(3, "MenuB", 0x30FF);
    prj.InsMnu(menuA);
    prj.InsMnu(menuB);
    {
        auto comp = Make();
        comp->NoteMessageWord(9);
        comp->NoteMessageWord(7);
        comp->NoteMessageWord(8);
        comp->AddBrokenMnu(menuB);
        comp->AddBrokenMnu(menuA);
        EXPECT_EQ(comp->CheckError(), 1);
        EXPECT_TRUE(comp->GetBrokenMnus().empty());
    }
    EXPECT_EQ(BoxIds(), std::vector<int>{15216});
    const std::string expect = "DB " + sps.FmtAdr(sps.GetSpsAdr(7), sps.GetItems().FindItem(7));
    EXPECT_NE(ui.CallsOf(UiCall::Kind::Box)[0].text.find(expect), std::string::npos)
        << ui.CallsOf(UiCall::Kind::Box)[0].text;

    const std::vector<std::string> after = LogLinesAfter(LoadLangString(15200));
    ASSERT_GE(after.size(), 2u);
    EXPECT_EQ(after[0], "Alpha");
    EXPECT_EQ(after[1], "Zeta");
    EXPECT_EQ(LogLinesAfter(LoadLangString(15201)), (std::vector<std::string>{"MenuB", "MenuA"}));
    EXPECT_EQ(prj.GetVarList()->GetCount(), 3);
    EXPECT_EQ(prj.GetMnuList()->GetCount(), 2);
}

TEST_F(CompBase, NamesFitWhileTheReserveStaysFree)
{
    struct Case {
        uint32_t reserve;
        uint16_t level;
        unsigned mnuNames;
        unsigned descr;
        int box;
    } const cases[] = {
        // length 200, 2 variables, 1 menu, description of 9, limit 1000
        {0, 0, 232, 248, 0},
        {739, 0, 232, 248, 0},
        {740, 3, 232, 0, 15215},
        {750, 2, 0, 0, 15213},
        {766, 1, 0, 0, 15212},
    };
    prj.SetDescr("123456789");
    auto* varA = new CPrjVarWord("VarA", 3, 1, 32, 0);
    auto* varB = new CPrjVarWord("VarB-with-a-long-name", 4, 1, 32, 0);
    prj.InsVar(varA);
    prj.InsVar(varB);
    auto* menu = new CPrjMnu(2, "Menu", 0x30FF);
    prj.InsMnu(menu);
    varA->IncUse();
    varB->IncUse();
    varA->SetAttr32(130);
    varB->SetAttr32(140);
    for (const Case& c : cases) {
        ui.ClearCalls();
        workspace.MemInfo().freeData = 1000;
        {
            auto comp = Make();
            ASSERT_EQ(comp->AppendZeros(200), 1);
            comp->WrittenVars() = {varA, varB};
            comp->WrittenMnus() = {menu};
            EXPECT_EQ(comp->FitNames(c.reserve), 1);
            EXPECT_EQ(comp->GetNamesLevel(), c.level) << c.reserve;
            EXPECT_EQ(comp->CheckError(), 1);
        }
        const std::string image = Image();
        EXPECT_EQ(WordAt(image, 111), c.mnuNames) << c.reserve;
        EXPECT_EQ(WordAt(image, 113), c.descr) << c.reserve;
        EXPECT_EQ(BoxIds(), c.box ? std::vector<int>{c.box} : std::vector<int>{}) << c.reserve;
        if (c.level == 0) {
            EXPECT_EQ(WordAt(image, 132), 200u);
            EXPECT_EQ(WordAt(image, 142), 216u);
            EXPECT_EQ(image.substr(200, 16), std::string("VarA\0\0\0\0\0\0\0\0\0\0\0\0", 16));
            EXPECT_EQ(image.substr(216, 16), "VarB-with-a-long");
            EXPECT_EQ(image.substr(232, 16), std::string("Menu\0\0\0\0\0\0\0\0\0\0\0\0", 16));
            EXPECT_EQ(image.substr(248), std::string("123456789\0", 10));
        }
        if (c.level == 1 || c.level == 2) {
            const std::string text = ui.CallsOf(UiCall::Kind::Box)[0].text;
            EXPECT_NE(text.find(LoadLangString(15214)), std::string::npos) << text;
        }
    }
}

}  // namespace

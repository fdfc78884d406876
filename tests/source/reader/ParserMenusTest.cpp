#include "ParseCases.h"

#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"

#include <string>
#include <vector>

using namespace orv;

namespace {

class ParserMenusTest : public ParserStatementTest {
protected:
    CPrjMnu* Menu(int num) const { return p->prj->GetMnuList()->FindByNum(num); }
};

// Operator texts 1 and 2 and an open menu.
std::vector<std::string> WithMenu(std::vector<std::string> lines)
{
    std::vector<std::string> all{"OP_TEXT, 1", "TEXT, \"a\"", "OP_TEXT, 2", "TEXT, \"b\"", "MENU, M, 1"};
    all.insert(all.end(), lines.begin(), lines.end());
    return all;
}

TEST_F(ParserMenusTest, Refusals)
{
    const std::string node = "NODE, 1, 0, 0, 0, 0, 1";
    ExpectRefusals({
        {43, WithMenu({"END"}), 509, 5, ""},
        {43, WithMenu({"OP_TEXT, 3"}), 509, 5, ""},
        {43, {"OP_TEXT, 1", "TEXT, \"a\"", node}, 510, 2, ""},
        {43, WithMenu({node, "SOFTKEY, 1", "NODE, 2, 0, 0, 0, 0, 1"}), 510, 7, ""},
        {43, WithMenu({"NODE, 0, 0, 0, 0, 0, 1"}), 511, 5, "0, 0, 0, 0, 0"},
        {43, WithMenu({"NODE, 256, 0, 0, 0, 0, 1"}), 511, 5, "256"},
        {43, WithMenu({node, node}), 512, 6, "1, 0"},
        {43, WithMenu({"NODE, 1, 256, 0, 0, 0, 1"}), 513, 5, "256"},
        {43, WithMenu({"NODE, 3, 3, 0, 0, 0, 1"}), 514, 5, "3, 0"},
        {43, WithMenu({"NODE, 3, 0, 0, 0, 3, 1"}), 514, 5, "3, 1"},
        {43, WithMenu({"NODE, 1, 0, 256, 0, 0, 1"}), 515, 5, "256"},
        {43, WithMenu({"NODE, 1, 0, 0, 256, 0, 1"}), 516, 5, "256"},
        {43, WithMenu({"NODE, 1, 0, 0, 0, x, 1"}), 517, 5, "x"},
        {43, WithMenu({"NODE, 1, 0, 0, 0, 0, 128"}), 499, 5, "128"},
        {706, WithMenu({"NODE, 1, 0, 0, 0, 0, 256"}), 500, 5, "256"},
        {43, WithMenu({"NODE, 1, 0, 0, 0, 0, 3"}), 518, 5, "3"},
        {43, {"MENU, , 1"}, 519, 0, ", 1"},
        {43, WithMenu({node, "MENU, M, 2"}), 520, 6, "M"},
        {43, {"MENU, M, 0"}, 521, 0, "0"},
        {43, {"MENU, M, 128"}, 521, 0, "128"},
        {43, WithMenu({node, "MENU, N, 1"}), 522, 6, "1"},
        {43, WithMenu({"NODE, 1, 0 0, 0, 0, 1"}), 0, 5, "0, 0, 0, 1", "Zeichen ',' erwartet!"},
    });
}

TEST_F(ParserMenusTest, OptionMaskDefaultsByPanel)
{
    const std::vector<std::pair<uint16_t, uint16_t>> masks{{14, 0x30FF},  {36, 0x30FF},  {43, 0x30FF},
                                                           {47, 0x30FF},  {755, 0x30FF}, {118, 0x30FF},
                                                           {163, 0x30FF}, {167, 0x30FF}, {473, 0x303F},
                                                           {477, 0x303F}, {706, 0x303F}};
    for (const auto& [type, mask] : masks) {
        ASSERT_EQ(Run(type, WithMenu({"NODE, 1, 0, 0, 0, 0, 1", "MENU, N, 2, 12aB", "NODE, 1, 0, 0, 0, 0, 1",
                                      "MENU, O, 3, 12G4", "NODE, 1, 0, 0, 0, 0, 1"}))
                      .error,
                  0)
            << type;
        EXPECT_EQ(Menu(1)->GetMnuOpt(), mask) << type;
        EXPECT_EQ(Menu(2)->GetMnuOpt(), 0x12AB) << type;
        EXPECT_EQ(Menu(3)->GetMnuOpt(), mask) << type;
    }
}

TEST_F(ParserMenusTest, NodesLinksStartAndTextUse)
{
    ASSERT_EQ(Run(706, WithMenu({"NODE, 5, 2, 0, 7, 0, 1", "NODE, 2, 0, 5, 0, 9, 2", "NODE, 7, 0, 0, 0, 5, 1"}))
                  .error,
              0);
    const CPrjMnu* menu = Menu(1);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetName(), "M");
    const CPrjMnuNodeList* nodes = menu->GetSubList();
    ASSERT_EQ(nodes->GetCount(), 3);
    const CPrjMnuNode* first = nodes->FindByNum(5);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->IsStart(), 1);
    EXPECT_EQ(first->GetLeft(), 2);
    EXPECT_EQ(first->GetDown(), 7);
    EXPECT_EQ(nodes->FindByNum(2)->IsStart(), 0);
    EXPECT_EQ(nodes->FindByNum(2)->GetUp(), 9);
    EXPECT_EQ(nodes->FindStart(), first);
    const auto* text1 = static_cast<const CPrjOpTxt*>(p->prj->GetOpTxtList()->FindByNum(1));
    const auto* text2 = static_cast<const CPrjOpTxt*>(p->prj->GetOpTxtList()->FindByNum(2));
    EXPECT_EQ(text1->GetUseCount(), 2);
    EXPECT_EQ(text2->GetUseCount(), 1);
    EXPECT_EQ(first->GetOpTxt(), text1);
}

} // namespace

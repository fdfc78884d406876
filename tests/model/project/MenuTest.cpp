#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

struct NodeRow {
    uint8_t num, left, right, down, up, start;
};

// A menu of the given nodes, all showing one text.
std::unique_ptr<CPrjMnu> MakeMenu(const std::vector<NodeRow>& nodes, CPrjOpTxt* text = nullptr)
{
    auto menu = std::make_unique<CPrjMnu>(1, "M", 0x30FF);
    for (const NodeRow& n : nodes)
        EXPECT_TRUE(menu->InsNode(new CPrjMnuNode(n.num, n.left, n.right, n.down, n.up, text, n.start)));
    return menu;
}

std::vector<int> NodeNumbers(const CPrjMnuNodeList& list)
{
    std::vector<int> nums;
    for (int i = 0; i < list.GetCount(); ++i)
        nums.push_back(list.ItemAt(i)->GetNum());
    return nums;
}

std::vector<int> MenuNumbers(const CPrjMnuList& list)
{
    std::vector<int> nums;
    for (int i = 0; i < list.GetCount(); ++i)
        nums.push_back(list.ItemAt(i)->GetNum());
    return nums;
}

TEST(Menu, FindUnreachableFollowsLinksFromEveryStartNode)
{
    struct Case {
        const char* what;
        std::vector<NodeRow> nodes;
        int unreachable;  // 0: every node reached
    };
    const Case cases[] = {
        {"chain misses node 4", {{1, 0, 2, 0, 0, 1}, {2, 0, 0, 3, 0, 0}, {3, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 0}}, 4},
        {"node 3 leads up to 4", {{1, 0, 2, 0, 0, 1}, {2, 0, 0, 3, 0, 0}, {3, 0, 0, 0, 4, 0}, {4, 0, 0, 0, 0, 0}}, 0},
        {"links to no node and 0 are ignored", {{1, 9, 0, 0, 0, 1}, {2, 0, 0, 0, 1, 0}}, 2},
        {"no start node gives the first node", {{3, 0, 5, 0, 0, 0}, {5, 3, 0, 0, 0, 0}}, 3},
        {"two start nodes", {{1, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 0}, {3, 2, 0, 0, 0, 1}}, 0},
        {"a link back does not reach", {{1, 0, 0, 0, 0, 1}, {2, 1, 0, 0, 0, 0}}, 2},
        {"a cycle behind the start", {{1, 2, 0, 0, 0, 1}, {2, 0, 3, 0, 0, 0}, {3, 0, 0, 2, 0, 0}}, 0},
        {"node 255 by a long way", {{1, 0, 0, 0, 200, 1}, {200, 255, 0, 0, 0, 0}, {255, 0, 0, 0, 0, 0}}, 0},
        {"no nodes", {}, 0},
    };
    for (const Case& c : cases) {
        auto menu = MakeMenu(c.nodes);
        const CPrjMnuNode* found = menu->GetSubList()->FindUnreachable();
        EXPECT_EQ(found ? found->GetNum() : 0, c.unreachable) << c.what;
    }
}

TEST(Menu, FindStartAndFindByNum)
{
    auto menu = MakeMenu({{2, 0, 0, 0, 0, 0}, {4, 0, 0, 0, 0, 1}, {6, 0, 0, 0, 0, 1}});
    const CPrjMnuNodeList& nodes = *menu->GetSubList();
    ASSERT_NE(nodes.FindStart(), nullptr);
    EXPECT_EQ(nodes.FindStart()->GetNum(), 4);
    ASSERT_NE(nodes.FindByNum(6), nullptr);
    EXPECT_EQ(nodes.FindByNum(6)->GetNum(), 6);
    EXPECT_EQ(nodes.FindByNum(3), nullptr);
    EXPECT_EQ(nodes.FindByNum(258), nullptr);
}

TEST(Menu, DelNodeClearsEveryLinkToItAndReleasesItsText)
{
    CPrjOpTxt text(1);
    CPrjOpTxt other(2);
    auto menu = MakeMenu({{1, 2, 2, 0, 0, 1}, {3, 0, 0, 2, 2, 0}}, &other);
    auto* node2 = new CPrjMnuNode(2, 1, 2, 3, 0, &text, 0);  // a link to itself
    ASSERT_TRUE(menu->InsNode(node2));
    EXPECT_EQ(text.GetUseCount(), 1);

    CPrjMnuNodeList& nodes = *menu->GetSubList();
    nodes.DelNode(node2);
    EXPECT_EQ(text.GetUseCount(), 0);
    EXPECT_EQ(other.GetUseCount(), 2);
    EXPECT_EQ(NodeNumbers(nodes), (std::vector<int>{1, 3}));
    for (int i = 0; i < nodes.GetCount(); ++i)
        for (uint8_t link : nodes.ItemAt(i)->GetLinks())
            EXPECT_NE(link, 2) << "node " << int(nodes.ItemAt(i)->GetNum());

    nodes.SetCurIdx(1);
    nodes.DelNode(nodes.FindByNum(3));
    EXPECT_EQ(nodes.GetCurIdx(), 0);
    EXPECT_EQ(other.GetUseCount(), 1);
}

TEST(Menu, RenumberLeadsTheOtherNodesLinksToTheNewNumber)
{
    auto menu = MakeMenu({{1, 3, 0, 0, 3, 1}, {3, 0, 3, 1, 0, 0}, {5, 0, 0, 0, 3, 0}});
    CPrjMnuNodeList& nodes = *menu->GetSubList();
    CPrjMnuNode* node3 = nodes.FindByNum(3);
    ASSERT_TRUE(nodes.Renumber(node3, 7));
    EXPECT_EQ(NodeNumbers(nodes), (std::vector<int>{1, 5, 7}));
    const CPrjMnuNode* node1 = nodes.FindByNum(1);
    EXPECT_EQ(node1->GetLeft(), 7);
    EXPECT_EQ(node1->GetUp(), 7);
    EXPECT_EQ(nodes.FindByNum(5)->GetUp(), 7);
    EXPECT_EQ(node3->GetRight(), 3);  // its own links stay
    EXPECT_EQ(node3->GetDown(), 1);

    EXPECT_FALSE(nodes.Renumber(node3, 5));
    EXPECT_EQ(node3->GetNum(), 7);
    EXPECT_EQ(nodes.FindByNum(1)->GetLeft(), 7);
    EXPECT_EQ(NodeNumbers(nodes), (std::vector<int>{1, 5, 7}));
}

TEST(Menu, NodesCountTheTextTheyShow)
{
    CPrjOpTxt a(1);
    CPrjOpTxt b(2);
    {
        CPrjMnuNode node(1, 0, 0, 0, 0, &a, 5);
        EXPECT_EQ(node.IsStart(), 1);
        EXPECT_EQ(a.GetUseCount(), 1);
        node.SetOpTxt(&a);
        EXPECT_EQ(a.GetUseCount(), 1);
        node.SetOpTxt(&b);
        EXPECT_EQ(a.GetUseCount(), 0);
        EXPECT_EQ(b.GetUseCount(), 1);
        node.ReleaseOpTxt();
        EXPECT_EQ(node.GetOpTxt(), nullptr);
        EXPECT_EQ(b.GetUseCount(), 0);
        node.SetOpTxt(&b);
    }
    EXPECT_EQ(b.GetUseCount(), 0);  // released when the node went

    // A node the menu refuses is destroyed by its caller, which releases it.
    auto menu = MakeMenu({{1, 0, 0, 0, 0, 1}}, &a);
    auto* twin = new CPrjMnuNode(1, 0, 0, 0, 0, &a, 0);
    EXPECT_EQ(a.GetUseCount(), 2);
    EXPECT_FALSE(menu->InsNode(twin));
    delete twin;
    EXPECT_EQ(a.GetUseCount(), 1);
    EXPECT_FALSE(menu->InsNode(nullptr));
}

TEST(Menu, FreeingNodesAndMenusReleasesTheirTexts)
{
    CPrjOpTxt text(1);
    CPrjMnuList menus(4, 2);
    auto* m1 = new CPrjMnu(1, "Main", 0x30FF);
    auto* m2 = new CPrjMnu(2, "Service", 0x30FF);
    for (uint8_t n = 1; n <= 6; ++n)  // past the node list's first limit
        ASSERT_TRUE(m1->InsNode(new CPrjMnuNode(n, 0, 0, 0, 0, &text, n == 1)));
    ASSERT_TRUE(m2->InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, &text, 1)));
    menus.Insert(m1);
    menus.Insert(m2);
    EXPECT_EQ(text.GetUseCount(), 7);

    menus.DelMnu(m1);
    EXPECT_EQ(text.GetUseCount(), 1);
    EXPECT_EQ(MenuNumbers(menus), std::vector<int>{2});
    menus.FreeAllMnus();
    EXPECT_EQ(text.GetUseCount(), 0);
    EXPECT_EQ(menus.GetCount(), 0);

    CPrjMnu loose(3, "x", 0);
    ASSERT_TRUE(loose.InsNode(new CPrjMnuNode(1, 0, 0, 0, 0, &text, 1)));
    loose.FreeNodes();
    EXPECT_EQ(text.GetUseCount(), 0);
    EXPECT_EQ(loose.GetSubList(), nullptr);
    auto* late = new CPrjMnuNode(1, 0, 0, 0, 0, &text, 1);
    EXPECT_FALSE(loose.InsNode(late));  // no node list any more
    delete late;
    EXPECT_EQ(text.GetUseCount(), 0);
}

TEST(Menu, MenuListLookups)
{
    CPrjMnuList menus(4, 2);
    EXPECT_EQ(menus.GetHighest(), nullptr);
    menus.Insert(new CPrjMnu(9, "Nine", 0));
    menus.Insert(new CPrjMnu(3, "Three", 0));
    menus.Insert(new CPrjMnu(0, "Zero", 0));
    ASSERT_NE(menus.GetHighest(), nullptr);
    EXPECT_EQ(menus.GetHighest()->GetNum(), 9);
    ASSERT_NE(menus.FindByName("Three"), nullptr);
    EXPECT_EQ(menus.FindByName("Three")->GetNum(), 3);
    EXPECT_EQ(menus.FindByName("three"), nullptr);
    EXPECT_EQ(menus.FindByName("Thre"), nullptr);
    EXPECT_EQ(menus.FindByNum(9)->GetName(), "Nine");
    EXPECT_EQ(menus.FindByNum(4), nullptr);

    CPrjMnuList only0(4, 2);
    only0.Insert(new CPrjMnu(0, "Zero", 0));
    EXPECT_EQ(only0.GetHighest(), nullptr);
}

TEST(Menu, NamesKeepSixteenBytes)
{
    CPrjMnu menu(1, "ABCDEFGHIJKLMNOPQRST", 0x303F);
    EXPECT_EQ(menu.GetName(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(menu.GetMnuOpt(), 0x303F);
    menu.SetName("0123456789abcdefXYZ0");
    EXPECT_EQ(menu.GetName(), "0123456789abcdef");
    menu.SetMnuOpt(0x30FF);
    EXPECT_EQ(menu.GetMnuOpt(), 0x30FF);
}

TEST(Menu, RenumberAndRenameResortAndRefuseATakenKey)
{
    CPrjMnuList menus(4, 2);
    auto* a = new CPrjMnu(2, "A", 0);
    menus.Insert(a);
    menus.Insert(new CPrjMnu(5, "B", 0));
    menus.Insert(new CPrjMnu(8, "C", 0));

    EXPECT_TRUE(menus.Renumber(a, 6));
    EXPECT_EQ(MenuNumbers(menus), (std::vector<int>{5, 6, 8}));
    EXPECT_FALSE(menus.Renumber(a, 8));
    EXPECT_EQ(a->GetNum(), 6);
    EXPECT_EQ(MenuNumbers(menus), (std::vector<int>{5, 6, 8}));

    EXPECT_TRUE(menus.Rename(a, "Renamed"));
    EXPECT_EQ(menus.ItemAt(1), a);
    EXPECT_EQ(menus.FindByName("Renamed"), a);
    EXPECT_FALSE(menus.Rename(a, "C"));
    EXPECT_EQ(a->GetName(), "Renamed");
    // A long name is compared as the menu would keep it.
    menus.FindByNum(8)->SetName("ABCDEFGHIJKLMNOP");
    EXPECT_FALSE(menus.Rename(a, "ABCDEFGHIJKLMNOPQ"));
    EXPECT_EQ(menus.GetCount(), 3);

    menus.SetCurIdx(2);
    menus.DelMnu(menus.ItemAt(2));
    EXPECT_EQ(menus.GetCurIdx(), 1);
}

} // namespace

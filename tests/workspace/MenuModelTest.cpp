#include "workspace/MenuModel.h"

#include <functional>

#include <gtest/gtest.h>

namespace orv {
namespace {

std::vector<std::string> MenuModelTexts(const std::vector<MenuEntry>& entries)
{
    std::vector<std::string> out;
    for (const MenuEntry& e : entries)
        out.push_back(e.kind == MenuEntry::Kind::Separator ? "-" : e.text);
    return out;
}

TEST(workspace_menu_model, MainMenuHasTheBarAndNestedPopups)
{
    CMenuModel menu = LoadMainMenu();
    ASSERT_EQ(menu.Error(), "");
    EXPECT_EQ(MenuModelTexts(menu.Bar()), (std::vector<std::string>{"&Datei", "&Bearbeiten", "&Übertragen",
                                                           "&Projekt", "&Optionen", "&Ansicht", "&?"}));
    MenuEntry& edit = menu.Bar()[1];
    ASSERT_NE(CMenuModel::FindIn(edit, 33235), nullptr);
    EXPECT_EQ(CMenuModel::FindIn(edit, 33235)->text, "Störung");
    EXPECT_EQ(CMenuModel::FindIn(edit, 33227)->text, "&Bediendruckertexte");
    EXPECT_EQ(CMenuModel::FindIn(edit, 32798)->text, "&Softkeytexte");
    EXPECT_EQ(CMenuModel::FindIn(menu.Bar()[0], 32798), nullptr);
    EXPECT_EQ(menu.FindCommand(33261)->text, "&Debug");
    EXPECT_EQ(menu.FindCommand(33104), nullptr);
    EXPECT_EQ(menu.FindCommand(32810)->text, "Ö&ffnen...\tStrg+O");
}

TEST(workspace_menu_model, AcceleratorsAreExactlyTheTable)
{
    const CMenuModel menu = LoadMainMenu();
    std::vector<std::pair<uint32_t, std::string>> keys;
    std::function<void(const std::vector<MenuEntry>&)> walk = [&](const std::vector<MenuEntry>& entries) {
        for (const MenuEntry& e : entries) {
            for (const std::string& k : e.keys)
                keys.emplace_back(e.id, k);
            walk(e.children);
        }
    };
    walk(menu.Bar());
    for (const MenuAccel& a : menu.ExtraAccels())
        for (const std::string& k : a.keys)
            keys.emplace_back(a.id, k);
    const std::vector<std::pair<uint32_t, std::string>> expected = {
        {32809, "Ctrl+N"}, {32810, "Ctrl+O"}, {32812, "Ctrl+S"}, {57607, "Ctrl+P"},
        {57643, "Ctrl+Z"}, {57643, "Alt+Backspace"}, {57635, "Ctrl+X"}, {57635, "Shift+Del"},
        {57634, "Ctrl+C"}, {57634, "Ctrl+Ins"}, {57637, "Ctrl+V"}, {57637, "Shift+Ins"},
        {57680, "F6"}, {57681, "Shift+F6"}};
    EXPECT_EQ(keys, expected);
}

TEST(workspace_menu_model, MalformedResourceNamesTheLine)
{
    struct Case {
        const char* text;
        const char* error;
    } const cases[] = {
        {"item 1 \"a\"", "line 1: item outside a popup"},
        {"popup \"a\"\n  item x \"b\"\nend", "line 2: item needs an id, a quoted text and optional keys"},
        {"popup \"a\"\n  item 5 \"b\\q\"\nend", "line 2: item needs an id, a quoted text and optional keys"},
        {"popup \"a\"\n  item 5 \"b\" Ctrl+A,\nend", "line 2: item needs an id, a quoted text and optional keys"},
        {"popup \"a\"\n", "line 2: popup not ended"},
        {"end", "line 1: end without popup"},
        {"menu \"a\"", "line 1: unknown keyword"},
        {"accel 5", "line 1: accel needs an id and keys"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CMenuModel menu;
        EXPECT_FALSE(menu.Parse(c.text));
        EXPECT_EQ(menu.Error(), c.error);
        EXPECT_TRUE(menu.Bar().empty());
    }
}

} // namespace
} // namespace orv

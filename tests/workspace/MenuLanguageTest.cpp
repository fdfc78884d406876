#include "workspace/MenuLanguage.h"

#include "support/FrameFixture.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

std::vector<std::string> Texts(const MenuEntry& popup)
{
    std::vector<std::string> out;
    for (const MenuEntry& e : popup.children)
        out.push_back(e.kind == MenuEntry::Kind::Separator ? "-" : e.text);
    return out;
}

// A frame in a program directory of its own, so that the language it is
// given lands in a file of the test's own.
class workspace_menu_language : public ::testing::Test {
protected:
    void Language(int langId) { f.frame.SetLangId(langId); }

    FrameFixture f;
    ScopedEnv home{"ORVTOOL_HOME", f.dir.Path().c_str()};
    CMenuModel menu = LoadMainMenu();
};

TEST_F(workspace_menu_language, EnglishRewritesTheListedEntriesOnly)
{
    Language(1);
    RebuildMenuTexts(menu);
    const std::vector<MenuEntry>& bar = menu.Bar();
    EXPECT_EQ(bar[0].text, "&File");
    EXPECT_EQ(bar[5].text, "&View");
    EXPECT_EQ(bar[6].text, "&?");
    EXPECT_EQ(menu.FindCommand(32782)->text, "&Compile");
    EXPECT_EQ(menu.FindCommand(32798)->text, "&Softkey-Texts");  // inside the nested Softkey popup
    EXPECT_EQ(menu.FindCommand(33223)->text, "&Startselection\tAlt+A");
    for (uint32_t german : {33252u, 33253u, 32794u, 33231u, 33227u, 33263u, 33261u, 57664u})
        EXPECT_EQ(menu.FindCommand(german)->text, LoadMainMenu().FindCommand(german)->text) << german;
    EXPECT_EQ(bar[1].children[9].text, "&Variable");  // nested popup titles stay too
}

TEST_F(workspace_menu_language, CommandOutsideTheMenuChangesNothing)
{
    Language(1);
    RebuildMenuTexts(menu);
    EXPECT_EQ(menu.FindCommand(33104), nullptr);
    const std::vector<std::string> project = {"&Description", "&Times", "&Transfer Area", "&Address References", "-",
                                              "&Firmware-Version", "&Drucker-Parameter", "D&atensatzgröße", "-",
                                              "Projektoptionen"};
    EXPECT_EQ(Texts(menu.Bar()[3]), project);
}

TEST_F(workspace_menu_language, GermanTableTexts)
{
    Language(0);
    RebuildMenuTexts(menu);
    EXPECT_EQ(menu.Bar()[0].text, "&Datei");
    EXPECT_EQ(menu.FindCommand(32810)->text, "&Öffnen\tStrg+O");
    EXPECT_EQ(menu.FindCommand(33223)->text, "Start&auswahl\tAlt+A");
}

TEST_F(workspace_menu_language, StartUpRule)
{
    struct Case {
        int langId;
        const char* open;
        const char* file;
    } const cases[] = {
        {0, "Ö&ffnen...\tStrg+O", "&Datei"},
        {1, "&Open\tStrg+O", "&File"},
        {2, "&Open\tStrg+O", "&File"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.langId);
        Language(c.langId);
        CMenuModel fresh = LoadMainMenu();
        ApplyStartLanguage(fresh, c.langId);
        EXPECT_EQ(fresh.FindCommand(32810)->text, c.open);
        EXPECT_EQ(fresh.Bar()[0].text, c.file);
    }
}

} // namespace
} // namespace orv

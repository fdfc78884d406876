// The record choice's form: what it offers by mode, count and panel type,
// the choice and the recipe box, and the scripted chooser's own checks.
#include "link/RecordSelForm.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"
#include "support/ScriptedRecordChooser.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace orv {
namespace {

struct RecordSelectCase {
    const char* name;
    uint8_t mode;
    uint32_t count;
    uint16_t panelType;
    bool withEntries;
    bool box;
};

TEST(link_record_select, OpeningShowsTheOfferedRecords)
{
    const std::vector<std::string> entries{"ANLAGE1.ORV", "- ungültig -", "ZWEI.ORV", "DREI.ORV", "VIER.ORV",
                                           "FUENF.ORV", "SECHS.ORV"};
    const RecordSelectCase cases[] = {
        {"count 1, transfer, 47", 1, 1, 47, false, false},
        {"transfer to 118", 1, 2, 118, false, true},
        {"transfer to 163", 1, 2, 163, false, true},
        {"transfer to 167", 1, 6, 167, false, true},
        {"transfer to 47", 1, 4, 47, false, false},
        {"read-back from 47", 0, 4, 47, true, true},
        {"read-back from 167", 0, 3, 167, true, true},
        {"read-back of six", 0, 6, 118, true, true},
    };
    for (const RecordSelectCase& c : cases) {
        SCOPED_TRACE(c.name);
        FrameFixture f;
        ProjectWorld prj(LoadedWorld(c.panelType));
        f.workspace.SetBundle(&prj.bundle);
        CRecordSelForm form;
        form.SetRecords(c.mode, c.withEntries ? &entries : nullptr);
        form.SetMode(c.count);
        form.Open();
        EXPECT_EQ(form.GetSelected(), 1);
        EXPECT_EQ(form.IsRecipeBoxVisible(), c.box);
        for (int i = 0; i < CRecordSelForm::kMaxRecords; ++i) {
            const CRecordSelForm::Item& item = form.GetItem(i);
            EXPECT_EQ(item.visible, i < static_cast<int>(c.count)) << i;
            if (!item.visible)
                continue;
            EXPECT_EQ(item.text, c.withEntries ? entries[static_cast<size_t>(i)] : std::string(14, ' '));
            EXPECT_EQ(item.label, (c.mode == 0 ? "von Datensatz " : "nach Datensatz ") + std::to_string(i));
        }
    }
}

TEST(link_record_select, ChoiceAndRecipeOption)
{
    CRecordSelForm form;
    form.SetRecords(1, nullptr);
    form.SetMode(4);
    form.Open();
    EXPECT_TRUE(form.Choose(3));
    EXPECT_TRUE(form.Choose(1));
    EXPECT_EQ(form.GetSelected(), 1);
    EXPECT_FALSE(form.Choose(5));
    EXPECT_FALSE(form.Choose(0));
    EXPECT_EQ(form.GetSelected(), 1);

    form.Choose(2);
    form.SetRecipeOption(true);
    form.Open();
    EXPECT_EQ(form.GetSelected(), 1);
    EXPECT_EQ(form.GetRecipeOption(), 1);
    form.SetRecords(1, nullptr);
    EXPECT_EQ(form.GetRecipeOption(), 0);
}

TEST(link_record_select, HeadlessChooserCancels)
{
    FrameFixture f;
    IRecordChooser& chooser = GetRecordChooser();
    chooser.Form().SetRecords(1, nullptr);
    EXPECT_FALSE(chooser.Run());
    ScriptedRecordChooser scripted;
    EXPECT_EQ(&GetRecordChooser(), &scripted);
}

TEST(link_record_select, ScriptedChooserFailsOnUnexpectedAndUnusedAnswers)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedRecordChooser chooser;
            chooser.Run();
        },
        "unexpected record choice");
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedRecordChooser chooser;
            chooser.Choose(2);
        },
        "never used");
}

} // namespace
} // namespace orv

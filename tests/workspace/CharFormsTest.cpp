#include "model/project/CharDef.h"
#include "model/project/Fon.h"
#include "model/project/PrjData.h"
#include "support/FonFixture.h"
#include "support/FrameFixture.h"
#include "support/ProjectWorld.h"
#include "support/TempDir.h"
#include "workspace/forms/DlgCharEditForm.h"
#include "workspace/DlgRunner.h"
#include "workspace/forms/DlgCharSelForm.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

namespace orv {

namespace {

constexpr int kAlt = 1;
constexpr int k706 = 2;

// The start selection's ranges of the three character sets.
constexpr CharRanges kAltRanges{8, 127, 8, 15, 16, 31, 33};
constexpr CharRanges k706Ranges{16, 255, 128, 255, 255, 0, 16};
constexpr CharRanges kIntRanges{8, 255, 8, 15, 255, 0, 16};

// The fixture font as the frame's three panel fonts; its glyphs differ per
// code, so that a wrong code or row shows.
class CharFormsWorld {
public:
    explicit CharFormsWorld(uint16_t devType) : world(World(devType).CharSet().Build())
    {
        dir.Write("f.fon", BuildFixtureFon());
        for (int family = 1; family <= 3; ++family) {
            auto& fon = fons.emplace_back(std::make_unique<CFon>(0));
            EXPECT_EQ(fon->Load(dir.File("f.fon")), 1);
            frame.frame.SetFon(family, fon.get());
        }
        prj().SetModified(false);
    }

    CPrjData& prj() { return *world->prj; }
    CFon& Fon(int family) { return *frame.frame.GetFon(family); }
    // Writes nothing, counts the requests.
    std::function<bool()> Writer()
    {
        return [this] {
            ++fontWrites;
            return true;
        };
    }

    FrameFixture frame;
    TempDir dir;
    std::unique_ptr<ProjectWorld> world;
    std::vector<std::unique_ptr<CFon>> fons;
    int fontWrites = 0;
};

CCharDef::Rows FixtureRows(int code)
{
    CCharDef::Rows rows{};
    for (int row = 0; row < CCharDef::kRows; ++row)
        rows[static_cast<size_t>(row)] = FixtureRow(code, row);
    return rows;
}

CCharDef::Rows Shifted(const CCharDef::Rows& glyph)
{
    CCharDef::Rows rows{};
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<uint8_t>(glyph[i] >> 3);
    return rows;
}

// User character 9 of a 043 project, defined as the font draws it.
void DefineCharNine(CharFormsWorld& w)
{
    w.prj().InsCharDef(new CCharDef(1, Shifted(FixtureRows(9))));
    w.prj().SetModified(false);
}

// An editor 200 pixels wide on a code of the family's font.
CDlgCharEditForm EditorOn(CharFormsWorld& w, unsigned code, int family)
{
    CDlgCharEditForm form;
    form.SetClientWidth(200);
    form.SetChar(code, family, &w.Fon(family));
    return form;
}

// The client point in the middle of a grid cell of a 200-pixel-wide editor.
int CellX(int column) { return 50 + column * 20 + 10; }
int CellY(int row) { return 20 + row * 20 + 10; }

} // namespace

TEST(workspace_char_edit_form, GridFollowsClientWidthAndFamilyAndHitsOnlyInsideIt)
{
    CharFormsWorld w(43);
    CDlgCharEditForm form;
    form.SetClientWidth(200);
    EXPECT_EQ(form.GridLeft(), 50);
    form.SetChar(9, kAlt, &w.Fon(kAlt));
    EXPECT_EQ(form.Rows(), 8);

    struct Case {
        const char* name;
        int family;
        unsigned code;
        int x, y;
        std::optional<CDlgCharEditForm::Cell> cell;
    };
    const Case cases[] = {
        {"top left", kAlt, 9, 50, 20, CDlgCharEditForm::Cell{0, 0}},
        {"inside", kAlt, 9, 95, 79, CDlgCharEditForm::Cell{2, 2}},
        {"last pixel", kAlt, 9, 149, 179, CDlgCharEditForm::Cell{7, 4}},
        {"right edge", kAlt, 9, 150, 30, std::nullopt},
        {"bottom edge", kAlt, 9, 60, 180, std::nullopt},
        {"left of grid", kAlt, 9, 49, 30, std::nullopt},
        {"above grid", kAlt, 9, 60, 19, std::nullopt},
        {"706 seventh row", k706, 200, 60, 159, CDlgCharEditForm::Cell{6, 0}},
        {"706 below seventh row", k706, 200, 60, 160, std::nullopt},
        {"code above 255", kAlt, 256, 60, 30, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.SetChar(c.code, c.family, &w.Fon(c.family));
        EXPECT_EQ(form.Rows(), c.family == k706 ? 7 : 8);
        EXPECT_EQ(form.HitTest(c.x, c.y), c.cell);
        const CCharDef::Rows before = form.Copy();
        EXPECT_EQ(form.Click(c.x, c.y), c.cell);
        EXPECT_EQ(form.Copy() != before, c.cell.has_value());
    }
}

TEST(workspace_char_edit_form, TogglingChangesOnlyTheCopyAndCancelLeavesEverythingAsItWas)
{
    CharFormsWorld w(43);
    DefineCharNine(w);
    {
        CDlgCharEditForm form = EditorOn(w, 9, kAlt);
        EXPECT_EQ(form.Copy(), FixtureRows(9));
        const bool wasLit = form.IsLit(0, 0);
        form.Click(CellX(0), CellY(0));
        EXPECT_NE(form.IsLit(0, 0), wasLit);
        EXPECT_EQ(form.Copy()[0], FixtureRow(9, 0) ^ 0x80);
        // The dialog is closed with Cancel: the form is dropped unconfirmed.
    }
    EXPECT_EQ(w.Fon(kAlt).GetCharInfo(9)->rows[0], FixtureRow(9, 0));
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_EQ(w.prj().GetCharDefColl()->FindByCode(1)->GetRows(), Shifted(FixtureRows(9)));
    EXPECT_EQ(w.fontWrites, 0);
    EXPECT_TRUE(w.frame.ui.Calls().empty());
}

TEST(workspace_char_edit_form, OkStoresByThePanelTypesRules)
{
    enum Glyph { Fixture, Empty };
    struct Case {
        const char* name;
        uint16_t devType;
        unsigned code;
        Glyph glyph;
        bool defined;
        CharStoreAction action;
        int number;
    };
    const Case cases[] = {
        {"043 new", 43, 9, Fixture, false, CharStoreAction::Insert, 1},
        {"043 update", 43, 9, Fixture, true, CharStoreAction::Update, 1},
        {"043 cleared removes", 43, 9, Empty, true, CharStoreAction::Delete, 1},
        {"043 cleared without one", 43, 9, Empty, false, CharStoreAction::None, 1},
        {"118 new", 118, 15, Fixture, false, CharStoreAction::Insert, 7},
        {"473 update", 473, 8, Fixture, true, CharStoreAction::Update, 0},
        {"473 cleared removes", 473, 8, Empty, true, CharStoreAction::Delete, 0},
        {"706 update", 706, 200, Fixture, true, CharStoreAction::Update, 200},
        {"706 cleared keeps an empty one", 706, 9, Empty, false, CharStoreAction::Insert, 9},
        {"706 cleared updates", 706, 200, Empty, true, CharStoreAction::Update, 200},
        {"no user characters", 900, 9, Fixture, false, CharStoreAction::None, 1},
        {"no user characters, cleared", 900, 9, Empty, true, CharStoreAction::None, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CharFormsWorld w(c.devType);
        const int family = c.devType == 706 ? k706 : kAlt;
        CCharDefColl& defs = *w.prj().GetCharDefColl();
        // A 706 project holds a definition for every code from 128 on; it
        // starts out different from the glyph, so that an update changes it.
        if (CCharDef* def = defs.FindByCode(static_cast<uint16_t>(c.number)); def != nullptr && !c.defined)
            w.prj().DelCharDef(def);
        if (c.defined && defs.FindByCode(static_cast<uint16_t>(c.number)) == nullptr)
            w.prj().InsCharDef(new CCharDef(static_cast<uint8_t>(c.number), CCharDef::Rows{1, 1, 1, 1, 1, 1, 1, 1}));
        else if (CCharDef* def = defs.FindByCode(static_cast<uint16_t>(c.number)))
            def->SetRow(0, 0x1F);
        w.prj().SetModified(false);

        // A 706 glyph's eighth row lies below the grid, out of the user's
        // reach: an empty character has it clear in the font already.
        if (c.glyph == Empty && family == k706)
            w.Fon(family).GetCharInfo(c.code)->rows[7] = 0;
        CDlgCharEditForm form = EditorOn(w, c.code, family);
        for (int row = 0; c.glyph == Empty && row < form.Rows(); ++row)
            for (int col = 0; col < 5; ++col)
                if (form.IsLit(row, col))
                    form.Click(CellX(col), CellY(row));
        const CCharDef::Rows copy = form.Copy();
        EXPECT_EQ(copy == CCharDef::Rows{}, c.glyph == Empty);

        const CharStoreResult result = form.Confirm(&w.prj(), &w.Fon(family), w.Writer());
        const bool changed = c.action != CharStoreAction::None;
        EXPECT_EQ(result.action, c.action);
        EXPECT_EQ(result.changed, changed);
        EXPECT_EQ(w.prj().GetModCount(), changed ? 1 : 0);
        EXPECT_EQ(w.fontWrites, changed ? 1 : 0);
        const CCharDef* def = defs.FindByCode(static_cast<uint16_t>(c.number));
        if (c.action == CharStoreAction::Delete) {
            EXPECT_EQ(def, nullptr);
        } else if (changed) {
            ASSERT_NE(def, nullptr);
            EXPECT_EQ(def->GetRows(), Shifted(copy));
        }
        // The font takes the copy only with the project.
        EXPECT_EQ(w.Fon(family).GetCharInfo(c.code)->rows[0],
                  changed ? copy[0] : FixtureRow(static_cast<int>(c.code), 0));
    }
}

TEST(workspace_char_edit_form, TogglingAPixelTwiceOnADefinedCharacterChangesNothing)
{
    CharFormsWorld w(43);
    DefineCharNine(w);
    CDlgCharEditForm form = EditorOn(w, 9, kAlt);
    form.Click(CellX(3), CellY(4));
    form.Click(CellX(3), CellY(4));
    const CharStoreResult result = form.Confirm(&w.prj(), &w.Fon(kAlt), w.Writer());
    EXPECT_EQ(result.action, CharStoreAction::Update);
    EXPECT_FALSE(result.changed);
    EXPECT_EQ(w.prj().GetModCount(), 0);
    EXPECT_EQ(w.fontWrites, 0);
}

TEST(workspace_char_edit_form, NothingIsStoredWithoutAProjectOrAGlyph)
{
    CharFormsWorld w(43);
    CDlgCharEditForm form;
    form.SetChar(9, kAlt, &w.Fon(kAlt));
    EXPECT_EQ(form.Confirm(nullptr, &w.Fon(kAlt), w.Writer()).action, CharStoreAction::None);
    form.SetChar(9, kAlt, nullptr);
    EXPECT_FALSE(form.HasGlyph());
    EXPECT_EQ(form.Confirm(&w.prj(), &w.Fon(kAlt), w.Writer()).action, CharStoreAction::None);
    // A code below the user characters would wrap to another definition.
    EXPECT_EQ(StoreCharDef(&w.prj(), 5, FixtureRows(5)).action, CharStoreAction::None);
    EXPECT_EQ(w.fontWrites, 0);
    EXPECT_EQ(w.prj().GetModCount(), 0);
}

namespace {

// Records the codes the character editor is run on, and the grid it shows.
class CharEditRecorder final : public CDlgRunner {
public:
    explicit CharEditRecorder(CFon& font) : m_font(font) {}
    bool IsAvailable(DlgId) const override { return true; }
    bool Run(DlgId) override { return false; }
    bool RunSearch(int) override { return false; }
    bool RunCharEdit(uint16_t code) override
    {
        CDlgCharEditForm form;
        form.SetChar(code, k706, &m_font);
        edited.push_back({code, form.Rows()});
        return true;
    }
    struct EditRun {
        uint16_t code;
        int rows;
        bool operator==(const EditRun&) const = default;
    };
    std::vector<EditRun> edited;

private:
    CFon& m_font;
};

// A point inside a code's cell.
struct TablePoint {
    int x, y;
};
TablePoint Inside(int code)
{
    const auto cell = CDlgCharSelForm::CellOf(code);
    return {cell.left + 5, cell.top + 5};
}

} // namespace

TEST(workspace_char_sel_form, AltTableHasFourRowsOfCellsAndEditStartsDisabled)
{
    CDlgCharSelForm form;
    form.SetRanges(kAltRanges);
    EXPECT_EQ(form.CellCount(), 128);
    EXPECT_EQ(form.TableRows(), 4);
    EXPECT_EQ(CDlgCharSelForm::CellOf(33), (CDlgCharSelForm::CellRect{22, 26, 40, 48}));
    for (int code = 0; code < 128; ++code)
        EXPECT_EQ(form.IsDefinable(code), code >= 8 && code <= 15) << code;
    EXPECT_EQ(form.Selected(), 33);
    EXPECT_FALSE(form.CanEdit());
    EXPECT_TRUE(form.Info().empty());
}

TEST(workspace_char_sel_form, OnlyAPointInsideAValidCellSelects)
{
    CDlgCharSelForm form;
    form.SetRanges(kAltRanges);
    const auto a = CDlgCharSelForm::CellOf('A');
    struct Case {
        const char* name;
        int x, y;
        int selected;
    };
    const Case cases[] = {
        {"left border", a.left, a.top + 5, 33},
        {"right border", a.right, a.top + 5, 33},
        {"top border", a.left + 5, a.top, 33},
        {"bottom border", a.left + 5, a.bottom, 33},
        {"between cells", a.right + 1 - 19, a.top + 5, 33},
        {"beside the table", 3 + 32 * 19 + 2, a.top + 5, 33},
        {"below the last valid code", 30, 300, 33},
        {"invalid 5", Inside(5).x, Inside(5).y, 33},
        {"excluded 20", Inside(20).x, Inside(20).y, 33},
        {"inside A", a.left + 1, a.bottom - 1, 'A'},
        {"definable 9", Inside(9).x, Inside(9).y, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.SetRanges(kAltRanges);
        const auto changed = form.Click(c.x, c.y);
        EXPECT_EQ(changed.has_value(), c.selected != 33);
        EXPECT_EQ(form.Selected(), c.selected);
        EXPECT_EQ(form.Info().empty(), c.selected == 33);
        EXPECT_EQ(form.CanEdit(), c.selected == 9);
        if (changed) {
            EXPECT_EQ(changed->previous, 33);
            EXPECT_EQ(changed->selected, c.selected);
        }
    }
}

TEST(workspace_char_sel_form, InformationLineShowsTheCharacterAndItsCodes)
{
    EXPECT_EQ(CDlgCharSelForm::InfoLine(65), " A      65 (dez)  41 (hex) ");
    EXPECT_EQ(CDlgCharSelForm::InfoLine(200), std::string(" \xC8     200 (dez)  C8 (hex) "));
    CDlgCharSelForm form;
    form.SetRanges(kAltRanges);
    form.Click(Inside(65).x, Inside(65).y);
    EXPECT_EQ(form.Info(), " A      65 (dez)  41 (hex) ");
}

TEST(workspace_char_sel_form, Table706EditsADefinableCodeOnSevenRows)
{
    TempDir dir;
    dir.Write("f.fon", BuildFixtureFon());
    CFon font(0);
    ASSERT_EQ(font.Load(dir.File("f.fon")), 1);
    CharEditRecorder runner(font);
    CDlgCharSelForm form;
    form.SetRanges(k706Ranges);
    EXPECT_EQ(form.CellCount(), 256);
    EXPECT_FALSE(form.Edit(runner));
    ASSERT_TRUE(form.Click(Inside(200).x, Inside(200).y));
    EXPECT_TRUE(form.CanEdit());
    EXPECT_TRUE(form.Edit(runner));
    EXPECT_EQ(runner.edited, (std::vector<CharEditRecorder::EditRun>{{200, 7}}));
}

TEST(workspace_char_sel_form, DoubleClickSelectsAndSendsTheCodeOnce)
{
    CDlgCharSelForm form;
    form.SetRanges(kAltRanges);
    const TablePoint a = Inside('A');
    // The press that starts a double click selects; the second sends.
    form.Click(a.x, a.y);
    EXPECT_EQ(form.DoubleClick(a.x, a.y), std::optional<int>('A'));
    EXPECT_EQ(form.Selected(), 'A');
    // On a code a click ignores nothing is sent, not even the old selection.
    EXPECT_EQ(form.DoubleClick(Inside(20).x, Inside(20).y), std::nullopt);
    EXPECT_EQ(form.Selected(), 'A');
}

TEST(workspace_char_sel_form, SetRangesResetsTheSelectionToThePreselectedCharacter)
{
    struct Case {
        const char* name;
        CharRanges ranges;
        int preselected;
    };
    const Case cases[] = {{"alt", kAltRanges, 33}, {"706", k706Ranges, 16}, {"int", kIntRanges, 16}};
    CDlgCharSelForm form;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.Click(Inside(9).x, Inside(9).y);
        form.SetRanges(c.ranges);
        EXPECT_EQ(form.Selected(), c.preselected);
        EXPECT_EQ(form.Previous(), c.preselected);
        EXPECT_TRUE(form.Info().empty());
    }
}

} // namespace orv

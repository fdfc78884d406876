#include "model/project/PrjVarKinds.h"
#include "model/project/RcpTxt.h"
#include "model/project/TxtRow.h"
#include "model/project/VarValList.h"
#include "source/writer/SrcRecipes.h"
#include "SrcWriterRig.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace orv;

namespace {

// A recipe text 1 whose rows show the variables, four to a row, with one
// value per variable.
struct Recipe {
    explicit Recipe(const std::vector<CPrjVar*>& vars, const std::vector<uint32_t>& values)
    {
        auto* rcp = static_cast<CPrjRcpTxt*>(list.Adopt(std::make_unique<CPrjRcpTxt>(1)));
        const int rows = (static_cast<int>(vars.size()) + 3) / 4;
        rcp->SetRowCount(rows);
        for (int r = 0; r < rows; ++r) {
            auto row = std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(r + 1), std::string(40, '.'), nullptr);
            for (int s = 0; s < 4 && r * 4 + s < static_cast<int>(vars.size()); ++s)
                row->SetVarSlot(s, vars[static_cast<size_t>(r * 4 + s)], static_cast<uint8_t>(s * 10));
            rcp->SetRow(std::move(row));
        }
        for (size_t i = 0; i < vars.size(); ++i) {
            rcp->GetValList().InsertPair(vars[i], rcp->GetValList().GetCount());
            rcp->GetValList().GetAt(static_cast<int>(i))->SetValue(values[i]);
        }
    }
    ~Recipe() { list.DeleteAll(); }
    CPrjRcpTxtList list{4, 4};
};

TEST(WriterLayoutTest, FormularValueForms)
{
    SrcWriterRig rig(163);
    CPrjVarBcd bcd("A", 1, 2, 0, 3, 0, 999, 0);
    CPrjVarWord kh("B", 2, 2, 32, 1);
    CPrjVarWord other("C", 3, 2, 32, 7); // unknown form: as KM
    CPrjVarString sstr("D", 4, 2, 42, &rig.pool);
    CPrjVarTimer timer("E", 5, 2, 36, &rig.pool);
    for (CPrjVar* v : std::initializer_list<CPrjVar*>{&bcd, &kh, &other, &sstr, &timer})
        v->SetWidth(2);
    std::string out;
    {
        Recipe r({&bcd, &kh, &other, &sstr, &timer}, {12, 0xBEEF, 5, 2, 123});
        out = rig.Write([&](CSrcSink& s) { WriteRcpTextRecords(s, &r.list, SrcRowLimit{4, true}, PanelType(163, false)); });
    }
    EXPECT_EQ(out.substr(out.find("FORMULAR")),
              "FORMULAR   1 ,   12, $BEEF, b0000000000000101,   2,  12.3\r\n");
}

TEST(WriterLayoutTest, FormularAsciiValueEscapedAsInEveryQuotedText)
{
    SrcWriterRig rig(163);
    CPrjVarAscii ascii("A", 1, 2, 34, 8);
    ascii.SetWidth(16);
    std::string out;
    {
        Recipe r({&ascii}, {0});
        r.list.RcpAt(0)->GetValList().GetAt(0)->SetText("a\"b$c@d");
        out = rig.Write([&](CSrcSink& s) { WriteRcpTextRecords(s, &r.list, SrcRowLimit{4, true}, PanelType(163, false)); });
    }
    EXPECT_EQ(out.substr(out.find("FORMULAR")), "FORMULAR   1 , \"a$22b$24c$40d\"\r\n");
}

TEST(WriterLayoutTest, FormularContinuesPastColumn200)
{
    SrcWriterRig rig(163);
    std::vector<std::unique_ptr<CPrjVarBin>> owned;
    std::vector<CPrjVar*> vars;
    std::vector<uint32_t> values;
    for (int i = 0; i < 21; ++i) {
        owned.push_back(std::make_unique<CPrjVarBin>("V" + std::to_string(i), static_cast<int16_t>(i), 2, 2, 4, 0, 0,
                                                     9999, 0, 9999));
        owned.back()->SetWidth(2);
        vars.push_back(owned.back().get());
        values.push_back(static_cast<uint32_t>(i));
    }
    std::string out;
    {
        Recipe r(vars, values);
        out = rig.Write([&](CSrcSink& s) { WriteRcpTextRecords(s, &r.list, SrcRowLimit{4, true}, PanelType(163, false)); });
    }
    // 13 + 19 values of 10 columns pass 200: the 20th starts a new line.
    std::string expected = "FORMULAR   1 ";
    for (int i = 0; i < 19; ++i) {
        char buf[16];
        std::snprintf(buf, sizeof buf, ", %8d", i);
        expected += buf;
    }
    expected += ", /\r\n19,       20\r\n";
    EXPECT_EQ(out.substr(out.find("FORMULAR")), expected);
}

TEST(WriterLayoutTest, RecipeValuesLeftOutWhereNoFormularIsRead)
{
    SrcWriterRig rig(43);
    CPrjVarBcd bcd("A", 1, 2, 0, 3, 0, 999, 0);
    bcd.SetWidth(2);
    std::string out;
    {
        Recipe r({&bcd}, {7});
        out = rig.Write([&](CSrcSink& s) { WriteRcpTextRecords(s, &r.list, SrcRowLimit{4, true}, PanelType(43, false)); });
    }
    EXPECT_EQ(out, "REC_TEXT,    1\r\nTEXT, \"@A@" + std::string(38, '.') + "\"\r\n\r\n");
    EXPECT_EQ(rig.leftOut, 1);
    // Values that a new pair gets anyway are not lost.
    SrcWriterRig same(43);
    {
        Recipe r({&bcd}, {0});
        same.Write([&](CSrcSink& s) { WriteRcpTextRecords(s, &r.list, SrcRowLimit{4, true}, PanelType(43, false)); });
    }
    EXPECT_EQ(same.leftOut, 0);
}

} // namespace

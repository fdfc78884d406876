#include "workspace/forms/DlgVarForm.h"

#include "model/project/PrjData.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"
#include "support/SourceRoundTrip.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace orv {

namespace {

using VF = CDlgVarForm;

// What the reader must give back of a variable.
struct VfrSeen {
    int type, adr, setp;
    int32_t w1, w2, w3, w4;
    int b0, b1;
    std::vector<std::string> texts;
    bool operator==(const VfrSeen&) const = default;
};

VfrSeen VfrSee(const CPrjVar& v)
{
    VfrSeen s{v.GetType(), v.GetAdr(), v.GetSetpKind(), v.GetExtWord1(), v.GetExtWord2(), v.GetExtWord3(),
              v.GetExtWord4(), v.GetExtByte0(), v.GetExtByte1(), {}};
    for (int i = 0; i <= v.MaxStateIdx(); ++i)
        s.texts.push_back(v.GetStateTxt(i) ? v.GetStateTxt(i) : "");
    return s;
}

void PrintTo(const VfrSeen& s, std::ostream* os)
{
    *os << "type " << s.type << " adr " << s.adr << " setp " << s.setp << " words " << s.w1 << "," << s.w2 << ","
        << s.w3 << "," << s.w4 << " bytes " << s.b0 << "," << s.b1 << " texts " << s.texts.size();
}

TEST(workspace_var_form_reload, AcceptedVariablesSaveAndLoadEqual)
{
    struct Case {
        const char* name;
        uint16_t spsType;
        bool dwordOption;
        std::function<void(VF&)> enter;
    };
    const Case cases[] = {
        {"BCD 8 digits", 33, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtBcd);
             f.OnCheck(VF::kBcdDouble, true);
             f.SetText(VF::kBcdDigits, "8");
             f.SetText(VF::kBcdMax, "99999999");
             f.SetText(VF::kWord, "30");
         }},
        {"signed Binaer 10 digits", 33, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtBin);
             f.OnCheck(VF::kBinSign, true);
             f.OnCheck(VF::kBinDouble, true);
             f.SetText(VF::kBinInt, "10");
             f.SetText(VF::kBinOrvMin, "-2147483648");
             f.SetText(VF::kBinOrvMax, "2147483647");
             f.SetText(VF::kWord, "32");
             f.OnClass(VF::kSoll);
         }},
        {"BIN-2 with the option and a PLC range", 33, true,
         [](VF& f) {
             f.OnFormat(VF::kFmtBin);
             f.OnCheck(VF::kBinDouble, true);
             f.SetText(VF::kBinOrvMax, "100");
             f.SetText(VF::kBinPlcMax, "1000");
             f.SetText(VF::kWord, "34");
         }},
        {"ASCII 16", 33, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtAscii);
             f.SetText(VF::kWord, "40");
         }},
        {"Bit on PLC type 1", 1, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtBit);
             f.SetText(VF::kBlock, "6");
             f.SetText(VF::kWord, "5");
             f.SetText(VF::kBitNo, "3");
             f.SetLines(VF::kBitList, {"aus", "ein"});
         }},
        {"String", 33, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtString);
             f.SetText(VF::kWord, "50");
             f.SetLines(VF::kStrList, {"null", "eins", "zwei"});
         }},
        {"Timer", 33, false,
         [](VF& f) {
             f.OnFormat(VF::kFmtTimer);
             f.SetText(VF::kWord, "51");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RoundTripProject built(14);
        built.p->sps->SetSpsType(c.spsType);
        built.Prj().SetDWordVars(c.dwordOption ? 1 : 0);
        const CPrjVarBit handed("Neu", 0, 1, 12, 0, &built.p->pool);
        {
            VF form;
            form.SetVar(&handed, 1);
            form.Open(&built.p->bundle, "DW");
            c.enter(form);
            ASSERT_TRUE(form.OnOk()) << form.Focus();
        }
        const CPrjVar* made = built.Prj().GetVarList()->FindByName(std::string_view("Neu"));
        ASSERT_NE(made, nullptr);
        const VfrSeen want = VfrSee(*made);
        const Agreement a = CheckAgreement(built);
        EXPECT_EQ(a.leftOut, 0) << a.w1;
        ASSERT_TRUE(a.read);
        const CPrjVar* back = a.read->Prj().GetVarList()->FindByName(std::string_view("Neu"));
        ASSERT_NE(back, nullptr) << a.w1;
        EXPECT_EQ(VfrSee(*back), want);
    }
}

} // namespace

} // namespace orv

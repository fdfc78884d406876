// Link faults in the 043 transfer, the recipe transfer and both read-backs:
// each ends with one error, one message and one end of the link; what a
// failed run leaves behind is what the next run sees.
#include "LinkKit.h"
#include "LinkKit043.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

enum class Faults043Seq { Transfer043, Recipe, Read043, Read118 };
// Where a fault strikes: at the identification, at "SR", or by skip count
// in the middle of a file.
enum class Faults043At { Ident, Status, Image, Recipe, Driver };

struct Faults043Row {
    const char* name;
    Faults043Seq seq;
    Faults043At at;
    std::string action;
    int count;
    uint16_t error;
    int box;
};

uint16_t Faults043Type(Faults043Seq seq)
{
    return seq == Faults043Seq::Transfer043 || seq == Faults043Seq::Read043 ? 14 : 118;
}

bool Faults043Reads(Faults043Seq seq) { return seq == Faults043Seq::Read043 || seq == Faults043Seq::Read118; }

const char* Faults043File(Faults043At at)
{
    switch (at) {
    case Faults043At::Recipe: return "ANLAGE1.REC";
    case Faults043At::Driver: return "ANLAGE1.DRV";
    default: return "ANLAGE1.BIN";
    }
}

// The panel of a row before the fault: empty for a transfer, holding the
// data set for a read-back.
panelemu::PanelScenario Faults043Panel(const Link043Rig& rig, Faults043Seq seq, const std::vector<std::string>& faults)
{
    panelemu::PanelScenario s = EmuScenario(Faults043Type(seq), faults);
    if (seq == Faults043Seq::Read043)
        return Link043Holding(rig, 0, true, s);
    if (seq == Faults043Seq::Read118)
        return Link118Holding(rig, s);
    return s;
}

// Runs the row's sequence; the error it ended with and whether the report
// said success.
std::pair<uint16_t, bool> Faults043Run(Link043Rig& rig, Faults043Seq seq)
{
    if (Faults043Reads(seq)) {
        auto r = rig.Receive();
        return {r->GetError(), r->ReportResult()};
    }
    if (seq == Faults043Seq::Recipe)
        rig.chooser.Choose(1, true);
    auto t = rig.Transmit();
    rig.chooser.Forget();
    const uint16_t error = t->GetError();
    return {error, t->ReportResult()};
}

TEST(link_faults_043, OneTableOverAllSequences)
{
    using S = Faults043Seq;
    using A = Faults043At;
    const Faults043Row rows[] = {
        {"043 silent identification", S::Transfer043, A::Ident, "result:1", 10, 29, 15300},
        {"043 identification with a wrong checksum", S::Transfer043, A::Ident, "result:31", 10, 29, 15300},
        {"043 cut identification", S::Transfer043, A::Ident, "cut:7", 1, 34, 15416},
        {"043 refused identification", S::Transfer043, A::Ident, "?11", 10, 29, 15300},
        {"043 empty identification", S::Transfer043, A::Ident, "empty", 10, 29, 15300},
        {"043 silence mid image", S::Transfer043, A::Image, "result:1", 20, 39, 15418},
        {"043 one wrong checksum mid image", S::Transfer043, A::Image, "result:31", 1, 0, 0},
        {"recipe cut status", S::Recipe, A::Status, "cut:30", 20, 39, 15418},
        {"recipe empty status", S::Recipe, A::Status, "empty", 20, 39, 15418},
        {"recipe wrong checksum mid image", S::Recipe, A::Image, "result:31", 20, 39, 15418},
        {"recipe ?11 mid recipe", S::Recipe, A::Recipe, "?11", 20, 24, 15411},
        {"recipe empty mid driver", S::Recipe, A::Driver, "empty", 20, 39, 15418},
        {"recipe one silent try mid recipe", S::Recipe, A::Recipe, "result:1", 1, 0, 0},
        {"read 043 silent identification", S::Read043, A::Ident, "result:1", 10, 29, 15300},
        {"read 043 cut identification", S::Read043, A::Ident, "cut:7", 1, 34, 15504},
        {"read 043 empty mid image", S::Read043, A::Image, "empty", 20, 40, 15507},
        {"read 043 one cut answer mid image", S::Read043, A::Image, "cut:6", 1, 0, 0},
        {"read 118 ?11 status", S::Read118, A::Status, "?11", 20, 40, 15507},
        {"read 118 silence mid image", S::Read118, A::Image, "result:1", 20, 40, 15507},
        {"read 118 wrong checksum mid recipe", S::Read118, A::Recipe, "result:31", 20, 40, 15507},
        {"read 118 cut mid driver", S::Read118, A::Driver, "cut:6", 20, 40, 15507},
    };
    for (const Faults043Row& row : rows) {
        SCOPED_TRACE(row.name);
        const uint16_t type = Faults043Type(row.seq);
        const bool reads = Faults043Reads(row.seq);
        std::vector<std::string> clean;
        {
            Link043Rig rig(type);
            rig.Write();
            rig.emu.Reset(Faults043Panel(rig, row.seq, {}));
            rig.UseBackDir();
            ASSERT_EQ(Faults043Run(rig, row.seq).first, 0);
            clean = rig.emu.Log();
        }
        std::string fault;
        if (row.at == Faults043At::Ident) {
            fault = "V," + std::to_string(row.count) + "," + row.action;
        } else if (row.at == Faults043At::Status) {
            fault = "SR," + std::to_string(row.count) + "," + row.action;
        } else {
            const std::string prefix = reads ? "R" : "W";
            const Span span = SpanOf(clean, prefix, std::string(reads ? "<< " : ">> ") + Faults043File(row.at));
            ASSERT_GT(span.within, 1);
            fault = Fault(prefix, row.action, row.count, span.before + span.within / 2);
        }
        Link043Rig rig(type);
        rig.Write();
        rig.emu.Reset(Faults043Panel(rig, row.seq, {fault}));
        rig.UseBackDir();
        const auto [error, reported] = Faults043Run(rig, row.seq);
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(reported, row.error == 0);
        EXPECT_EQ(BoxIds(rig.f.ui), row.box ? std::vector<int>{row.box} : std::vector<int>{});
        // Once per start: a panel silent at both rates was started twice.
        EXPECT_EQ(rig.emu.Count("end"), row.error == 29 ? 2 : 1);
        EXPECT_EQ(rig.emu.Log().back(), "end");
        if (reads) {
            for (const char* file : {"ANLAGE1.BIN", "ANLAGE1.REC", "ANLAGE1.DRV"})
                EXPECT_EQ(rig.ExistsBack(file), row.error == 0 && (type == 118 || file[8] == 'B')) << file;
            // The files of the project beside it are not touched.
            EXPECT_TRUE(rig.Exists("ANLAGE1.BIN"));
            continue;
        }
        if (row.error == 0) {
            EXPECT_EQ(rig.emu.Memory(0, 2, rig.image.size() - 2), rig.image.substr(2));
            continue;
        }
        // The data set is stamped only once it is whole; the driver follows
        // the record's mark, so a fault there leaves a readable record.
        if (row.at == Faults043At::Driver)
            continue;
        if (row.at != Faults043At::Recipe) {
            EXPECT_EQ(rig.emu.Count("CW"), 0);
        }
        // Nothing the panel holds counts as a data set after the failure.
        rig.f.ui.ClearCalls();
        rig.emu.Panel().Reset([&] {
            panelemu::PanelScenario s = EmuScenario(type);
            s.status = rig.emu.Panel().Status();
            return s;
        }());
        EXPECT_EQ(rig.Receive()->GetError(), 44);
    }
}

} // namespace
} // namespace orv

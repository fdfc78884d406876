// The shared start-selection database of the workspace suites.
#include "StartSelFixture.h"

#include <filesystem>

namespace orv {

StartSelFixture::StartSelFixture()
{
    namespace fs = std::filesystem;
    fs::create_directories(home.File("CFG/ORV"));
    for (const char* font : {"ALT.FON", "706.FON", "INT.FON"})
        fs::copy_file(fs::path(ORV_SHIPPED_DIR) / "CFG/ORV" / font, home.File(std::string("CFG/ORV/") + font));
    sel.SetTarget(&target);
}

void StartSelFixture::Open()
{
    {
        orv::CSelDb fill;
        StartSelRows rows(fill, dir.File("startsel.db"));
        rows.App("TEQPRO").App("ORVPRO");
        rows.DevTyp("ORVPRO", "mini", {orv::TxtKind::Op}).DevTyp("ORVPRO", "midi", {orv::TxtKind::Hst});
        rows.Device({"ORVPRO", "ORV 014", 0, 14, "mini", 4, 20, 8, "alt"});
        rows.Device({"ORVPRO", "ORV 047.2", 1, 755, "mini", 4, 40, 16, "int"});
        rows.Device({"ORVPRO", "ORV 706", 2, 706, "midi", 2, 40, 20, "706"});
        StartSelSpsRow s33{33, "S33", StartSelSpsRow::Neutral()};
        StartSelSpsRow s20{20, "S20", StartSelSpsRow::Neutral()};
        s20.dw.dwIsHex = true;
        s20.dw.dwBisDft = 15.5f;
        s20.dw.dwDecNum = 1;
        s20.dw.dwMax = 1023;
        s20.dw.dwDifMax = 255;
        s20.dw.dwBisMax = 1023;
        s20.dw.dbDft = 7;
        rows.Sps(s33).Sps(s20).Sps({9, "S09", StartSelSpsRow::Neutral()});
        rows.Driver(5, "Drv 5").Driver(50, "Sicos").Driver(5001, "Sicos (Offset 1000)");
        rows.Driver(5002, "Sicos (Offset 2000)").Driver(5003, "Sicos (Offset 3000)");
        rows.Driver(11, "b11").Driver(13, "A13").Driver(74, "c74");
        for (int drv : {5, 5001, 5002, 5003})
            rows.Pair("mini", 33, drv);
        rows.Pair("mini", 20, 5).Pair("midi", 33, 5);
        for (int drv : {11, 13, 74})
            rows.Pair("mini", 9, drv);
    }
    ASSERT_TRUE(sel.OpenDb(dir.Path()));
}

} // namespace orv

// The drivers with a PLC data area and the rules that take and compare it.
#include "link/LinkDataArea.h"

#include "model/project/SpsPar.h"

namespace orv {

namespace {

// 473S7MSD.DRV is filled and never compared; 473MPIMD.DRV is compared, so
// it is filled as well, or it would fail against any area but 0..0.
constexpr AreaDriver kAreaDrivers[] = {
    {"AS511.DRV", AreaAdjust::None, AreaCompare::DbFirstLast, AreaFamilies::Both},
    {"AS511945.DRV", AreaAdjust::None, AreaCompare::DbFirstLast, AreaFamilies::Both},
    {"MODBUSPS.DRV", AreaAdjust::Modbus, AreaCompare::FirstLast, AreaFamilies::Both},
    {"ABBMODPS.DRV", AreaAdjust::Shift1, AreaCompare::FirstLast, AreaFamilies::Both},
    {"AEG120DR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"SNP_DIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"HITHXXPS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"HITH20PS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"MFXDIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"MADIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"MITA1XMS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"OMRONDIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"OMRSEDIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"PHIP8XPS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"PHIP8DPS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Only043},
    {"CGLC100.DRV", AreaAdjust::Shift4, AreaCompare::Shift4, AreaFamilies::Both},
    {"CRORPXPS.DRV", AreaAdjust::Shift4, AreaCompare::Shift4, AreaFamilies::Both},
    {"EB508DIR.DRV", AreaAdjust::LastPlus1, AreaCompare::LastPlus1, AreaFamilies::Both},
    {"EBS2SDR.DRV", AreaAdjust::LastPlus1, AreaCompare::LastPlus1, AreaFamilies::Both},
    {"ABSLCDIR.DRV", AreaAdjust::None, AreaCompare::DbFirstLast, AreaFamilies::Both},
    {"TSXPGDR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"TSXUNDR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"TECNSXPS.DRV", AreaAdjust::Shift1, AreaCompare::FirstLast, AreaFamilies::Both},
    {"MATFPSXS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"SAMSNSXS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"TOSEXMPS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"IDEMICXS.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"SIES72PS.DRV", AreaAdjust::Shift1, AreaCompare::FirstLast, AreaFamilies::Both},
    {"473S7MSD.DRV", AreaAdjust::None, AreaCompare::None, AreaFamilies::Only706},
    {"473MPIMD.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Only706},
    {"SIEMPIDD.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"SIEMPIMD.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Both},
    {"BAU3964S.DRV", AreaAdjust::None, AreaCompare::DbOnly, AreaFamilies::Both},
    {"ABDF1DIR.DRV", AreaAdjust::None, AreaCompare::FirstLast, AreaFamilies::Only043},
    {"B19EDIR.DRV", AreaAdjust::None, AreaCompare::DbOnly, AreaFamilies::Both},
};

} // namespace

const AreaDriver* FindAreaDriver(const std::string& drvFile, bool family706)
{
    for (const AreaDriver& row : kAreaDrivers)
        if (drvFile == row.drvFile)
            return row.families == (family706 ? AreaFamilies::Only043 : AreaFamilies::Only706) ? nullptr : &row;
    return nullptr;
}

DataArea ProjectArea(const AreaDriver& driver, const CSpsPar& sps)
{
    DataArea area{sps.GetDataBlock(), sps.GetSpsAdr(0), sps.GetSpsAdr(static_cast<uint16_t>(sps.GetLength() - 1))};
    switch (driver.adjust) {
    case AreaAdjust::Shift4:
        area.first >>= 4;
        area.last >>= 4;
        break;
    case AreaAdjust::LastPlus1:
        ++area.last;
        break;
    case AreaAdjust::Modbus:
        if (sps.GetSpsType() == 44) {
            if (area.first > 0 && area.last > 0) {
                --area.first;
                --area.last;
            }
        } else if (area.first <= 25535 && area.last <= 25535) {
            area.first += 40000;
            area.last += 40000;
        }
        break;
    case AreaAdjust::Shift1:
        area.first >>= 1;
        area.last >>= 1;
        break;
    case AreaAdjust::None:
        break;
    }
    return area;
}

bool AreaDiffers(const AreaDriver& driver, const CSpsPar& sps, const DataArea& panel)
{
    const uint16_t db = sps.GetDataBlock();
    const uint16_t first = sps.GetSpsAdr(0);
    const uint16_t last = sps.GetSpsAdr(static_cast<uint16_t>(sps.GetLength() - 1));
    switch (driver.compare) {
    case AreaCompare::DbFirstLast: return panel.dataBlock != db || panel.first != first || panel.last != last;
    case AreaCompare::FirstLast: return panel.first != first || panel.last != last;
    case AreaCompare::Shift4: return panel.first != (first >> 4) || panel.last != (last >> 4);
    case AreaCompare::LastPlus1: return panel.first != first || panel.last != static_cast<uint16_t>(last + 1);
    case AreaCompare::DbOnly: return panel.dataBlock != db;
    case AreaCompare::None: return false;
    }
    return false;
}

} // namespace orv

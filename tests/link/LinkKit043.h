// A project of the 043 or 118 family with its image, driver, recipe and
// firmware files in a temporary directory, the emulated panel behind the
// bound link library, the scripted record chooser, and the transfer and
// read-back run over them.
#pragma once

#include "link/Receive043.h"
#include "link/Transmit043.h"
#include "model/project/DrvCfg.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/EmuLinkFixture.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"
#include "support/ProjectWorld.h"
#include "support/ScriptedRecordChooser.h"

#include <memory>
#include <string>
#include <vector>

namespace orv {

// The project ANLAGE1.ORV of the panel type. The file images are public so
// that a case can patch them before Write.
class Link043Rig {
public:
    explicit Link043Rig(uint16_t panelType, const std::string& drvFile = "AS511.DRV");

    // Builds the driver and the images again, after a change of the
    // driver entry.
    void Rebuild();
    // Writes the image and, for the 118 family, driver, recipe and firmware.
    void Write();
    std::unique_ptr<CTransmit043> Transmit();
    std::unique_ptr<CReceive043> Receive(bool withProject = true);
    std::string Read(const std::string& name) const { return f.dir.Read(name); }
    bool Exists(const std::string& name) const;
    // The project directory the read-back writes into, apart from the sent
    // files.
    std::string UseBackDir();
    std::string ReadBack(const std::string& name) const;
    bool ExistsBack(const std::string& name) const;
    bool Is118() const { return panelType == 118 || panelType == 163 || panelType == 167; }

    FrameFixture f;
    EmuLinkFixture emu;
    ProjectWorld prj;
    CDrvCfg& drv;
    ScriptedRecordChooser chooser;
    uint16_t panelType;
    std::string prjPath;
    Drv043Entry drvEntry;
    std::string driver;
    std::string image;
    std::string recipe;
    std::string firmware;
};

// The scenario with the rig's image in the bank as the 043 transfer leaves
// it, its stored checksum right or not.
panelemu::PanelScenario Link043Holding(const Link043Rig& rig, uint8_t bank, bool validChecksum,
                                       panelemu::PanelScenario s);
// The scenario of a 118-family panel holding the rig's image as record 0
// (data-set format 0, common recipe), its recipe and its driver.
panelemu::PanelScenario Link118Holding(const Link043Rig& rig, panelemu::PanelScenario s);
// The panel's log without the writes.
std::vector<std::string> Link043WithoutWrites(const std::vector<std::string>& log);
std::vector<uint8_t> Link043Bytes(const std::string& bytes);
// The identification of a 043-family panel: id, three digits, sub-version.
std::string Link043Ident(const std::string& idAndDigits, char sub = '0');

} // namespace orv

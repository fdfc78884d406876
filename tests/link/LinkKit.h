// A 706-family project with its firmware, driver, special-function file and
// image in a temporary directory, the emulated panel behind the bound link
// library, and the transfer and read-back run over them.
#pragma once

#include "link/Receive706.h"
#include "link/Transmit706.h"
#include "model/project/DrvCfg.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/EmuLinkFixture.h"
#include "support/FrameFixture.h"
#include "support/PrjBuilder.h"

#include <memory>
#include <string>

namespace orv {

// The driver number whose standard file is name (0 when none).
uint16_t DrvNoOf(const std::string& name);
// The string ids of the message boxes shown, in order.
std::vector<int> BoxIds(const ScriptedUi& ui);
// The number of commands with the prefix in a clean run before the file's
// display line, and within the file.
struct Span {
    int before = 0;
    int within = 0;
};
Span SpanOf(const std::vector<std::string>& log, const std::string& prefix, const std::string& fileLine);
// A fault rule for the next count commands with the prefix after skip.
std::string Fault(const std::string& prefix, const std::string& action, int count, int skip);
// Patches bytes into a file image, growing it when needed.
void Patch(std::string& bytes, size_t at, const std::string& with);

// The project ANLAGE1.ORV of the panel type in the fixture's directory.
// The file images are public so that a case can patch them before Write.
class Link706Rig {
public:
    explicit Link706Rig(uint16_t panelType = 706, bool withFunction = true,
                        const std::string& drvFile = "AS511.DRV");

    // Writes the four files (the special-function file only when used).
    void Write();
    std::unique_ptr<CTransmit706> Transmit();
    std::unique_ptr<CReceive706> Receive(bool withProject = true);
    // The file of the project directory, as bytes.
    std::string Read(const std::string& name) const { return f.dir.Read(name); }
    bool Exists(const std::string& name) const;

    FrameFixture f;
    EmuLinkFixture emu;
    ProjectWorld prj;
    CDrvCfg& drv;
    uint16_t panelType;
    std::string prjPath;
    Drv706Entry drvEntry;
    std::string firmware;
    std::string driver;
    std::string function;
    std::string image;
};

} // namespace orv

// The one project a test stands on: panel type, PLC parameters, driver and
// special-function configuration, character set and fonts, wired into a bundle once.
#pragma once

#include "model/core/UiServices.h"
#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/FktCfg.h"
#include "model/project/FrmCfg.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/project/TextPool.h"
#include "support/ScriptedUi.h"
#include "support/SpsParBuilder.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace orv {

class CPrjVar;
class CWorkspaceState;
class ProjectWorld;

// The parts of a world that a bundle may lack.
enum class WorldPart { CharSet, Root, Sps, Drv, Fkt, Frm };

// What a world holds: World(706).Sps(SpsParBuilder().Var(20)).CharSet().Fkt().
// Every part exists; only the parts asked for are wired into the bundle, so
// that a test sees the same gaps as a half-loaded project.
class WorldRecipe {
public:
    explicit WorldRecipe(uint16_t devType = 14);

    // Panel 47 with the variant, kept as the start selection keeps a 755.
    WorldRecipe& Variant();

    // PLC parameters built by the builder (default: a plain, empty set).
    WorldRecipe& Sps(SpsParBuilder sps);
    WorldRecipe& NoSps();
    WorldRecipe& CharSet();
    WorldRecipe& NoCharSet();
    // The character set's font buffers filled with zeros, as a parser expects.
    WorldRecipe& ZeroFonts();
    WorldRecipe& Drv(CWorkspaceState* workspace = nullptr);
    // The workspace the driver configuration answers to, wired or not.
    WorldRecipe& Workspace(CWorkspaceState* workspace);
    WorldRecipe& Fkt();
    // The firmware configuration, empty until a firmware reader fills it.
    WorldRecipe& Frm();
    // The root cleared after wiring, as before a load.
    WorldRecipe& Cleared();
    // The panel the source file names (default: none set).
    WorldRecipe& Src(uint16_t srcType);
    // A scripted UI registered for the world's lifetime; registrations nest.
    WorldRecipe& OwnUi();

    std::unique_ptr<ProjectWorld> Build() const;

private:
    friend class ProjectWorld;

// The parts of a world that a bundle may lack.
enum class WorldPart { CharSet, Root, Sps, Drv, Fkt, Frm };

    uint16_t m_devType;
    bool m_variant = false;
    std::optional<SpsParBuilder> m_sps;
    bool m_withSps = true;
    bool m_charSet = false;
    bool m_zeroFonts = false;
    bool m_drv = false;
    CWorkspaceState* m_workspace = nullptr;
    bool m_fkt = false;
    bool m_frm = false;
    bool m_cleared = false;
    std::optional<uint16_t> m_srcType;
    bool m_ownUi = false;
};

inline WorldRecipe World(uint16_t devType = 14) { return WorldRecipe(devType); }

// A project of one panel type; wires its parts into its own bundle or into
// one a frame already registered.
class ProjectWorld {
public:
    explicit ProjectWorld(const WorldRecipe& wanted);
    ProjectWorld(const WorldRecipe& wanted, PrjBundle& into);
    ProjectWorld(const ProjectWorld&) = delete;
    ProjectWorld& operator=(const ProjectWorld&) = delete;

    // A variable of the variable list or of the firmware list, or null.
    CPrjVar* Var(std::string_view name) const;

    // Takes the part out of the bundle, as a half-loaded project lacks it;
    // Rewire puts the world's own part (back) in.
    void Unwire(WorldPart part);
    void Rewire(WorldPart part);

private:
    PrjBundle m_ownBundle;

public:
    ScriptedUi ui;
    PrjBundle& bundle;
    // Outlives every variable a test makes beside the root's lists.
    CTextPool pool{16, 8};
    std::unique_ptr<CCharSet> charSet;
    std::unique_ptr<CPrjData> prj;
    std::unique_ptr<CSpsPar> sps;
    std::unique_ptr<CDrvCfg> drvCfg;
    std::unique_ptr<CFktCfg> fkt;
    std::unique_ptr<CFrmCfg> frm;

private:
    void Wire(const WorldRecipe& wanted);

    std::optional<ScopedUiServices> m_uiScope;
};

} // namespace orv

#pragma once

#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"
#include "model/core/UiServices.h"
#include "support/ScriptedUi.h"
#include "support/SpsParBuilder.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace orv {

class CPrjVar;

// A project bundle as the project source parser reads into: a character set
// of the panel with zeroed font buffers, a cleared root of the panel type,
// PLC parameters with driver items and a scripted UI registered for its
// lifetime.
struct ParserProject {
    ParserProject() = default;
    ParserProject(const ParserProject&) = delete;
    ParserProject& operator=(const ParserProject&) = delete;

    ScriptedUi ui;
    ScopedUiServices uiScope{ui};
    PrjBundle bundle;
    std::unique_ptr<CCharSet> charSet;
    std::unique_ptr<CPrjData> prj;
    std::unique_ptr<CSpsPar> sps;
    // Driver 5 with all flags clear, empty tables and no PLC definitions.
    std::unique_ptr<CDrvCfg> drvCfg;

    // A variable of the variable list or of the firmware list, or null.
    CPrjVar* Var(std::string_view name) const;
};

// ParserProjectBuilder(706).Src(43).Sps(SpsParBuilder().Var(20)).Build().
// Panel 755 is set up as 47 with the variant, as the start selection does.
// The UI registrations nest: let a project go before building the next.
class ParserProjectBuilder {
public:
    explicit ParserProjectBuilder(uint16_t devType);

    // The panel the source file names (default: the project's own; 755 for
    // a 47 with the variant).
    ParserProjectBuilder& Src(uint16_t srcType);
    // Default: VAR items on words 10..19 (both directions), word 20 SYS,
    // word 21 only to the panel, word 22 only to the PLC, a MSG item on word
    // 30 for messages 0..15; no item on other words.
    ParserProjectBuilder& Sps(SpsParBuilder sps);
    ParserProjectBuilder& NoCharSet();

    std::unique_ptr<ParserProject> Build() const;

private:
    uint16_t m_devType;
    bool m_variant = false;
    uint16_t m_srcType;
    SpsParBuilder m_sps;
    bool m_withCharSet = true;
};

// The internal variables that the firmware of the 706 and 118 families
// defines and the parser's tests need (state texts, and the hex text
// "[Z078]" in the firmware list on the 706 family); without a firmware
// image the root has none of them but the softkey rows it makes itself on
// the 118 family, which are kept.
void AddFirmwareStateVars(CPrjData& prj);

} // namespace orv

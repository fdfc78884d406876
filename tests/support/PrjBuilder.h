#pragma once

#include "model/project/PrjData.h"
#include "support/ProjectWorld.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace orv {

class CPrjVar;
class CTxtRowBase;

// The parts a loaded project has: the character set, the root, the PLC
// parameters (VAR items on words 5..9, 20..23 and 30..32, a MSG item on word
// 40) and the special-function configuration.
WorldRecipe LoadedWorld(uint16_t devType = 14);

// The thirteen lists of texts whose rows show variables.
enum class TextKind {
    Op, Msg, Rcp, Hist,
    Hlp0, Hlp1, Hlp2, Hlp3, Hlp4, Hlp5, Hlp6,
    OpPrn, MsgPrn,
};
inline constexpr TextKind kAllTextKinds[] = {
    TextKind::Op,   TextKind::Msg,  TextKind::Rcp,  TextKind::Hist,  TextKind::Hlp0,
    TextKind::Hlp1, TextKind::Hlp2, TextKind::Hlp3, TextKind::Hlp4,  TextKind::Hlp5,
    TextKind::Hlp6, TextKind::OpPrn, TextKind::MsgPrn,
};
const char* TextKindName(TextKind kind);

// A variable and the column of its field in a row.
struct VarAt {
    CPrjVar* var;
    uint8_t col;
};

// Adds a text numbered num to the list of the kind, with one row (row 1)
// of the text showing the variables at their columns.
void AddText(CPrjData& prj, TextKind kind, int32_t num, std::string_view text, std::initializer_list<VarAt> vars);
// Row rowNum of text num of the kind, or null.
const CTxtRowBase* TextRow(const CPrjData& prj, TextKind kind, int32_t num, int rowNum = 1);
// The entries of the list of the kind.
int TextCount(const CPrjData& prj, TextKind kind);

// Fills the lists of a root as a loaded project does, entries referring to
// each other: variables with state texts, texts of all thirteen lists that
// show them, menus whose nodes show operator texts, softkey texts whose keys
// run actions, time switches with periods, user characters, interface
// variables (date and time from word 20, recipe numbers from word 30, which
// the bundle's PLC parameters must offer) and a firmware variable.
class PrjBuilder {
public:
    explicit PrjBuilder(CPrjData& prj) : m_prj(prj) {}

    // A BIN-1 variable of 4 digits; null when the name is taken.
    CPrjVar* AddNumVar(std::string_view name, int16_t adr);
    // A Bit variable with the texts of its two states.
    CPrjVar* AddBitVar(std::string_view name, int16_t adr, const char* off, const char* on);

    void Fill();

private:
    CPrjVar* Keep(std::unique_ptr<CPrjVar> var);

    CPrjData& m_prj;
};

} // namespace orv

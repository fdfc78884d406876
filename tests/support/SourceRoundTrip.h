#pragma once

#include "support/ParseRun.h"
#include "support/ParserWorld.h"
#include "support/TempDir.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orv {

// A project bundle that a project source is written from and read into: the
// parser's bundle of the panel (755: 47 with the variant) with the items of
// the 043 example's start selection (SYS 0..14, MSG 15..22 for the messages
// 0, 16, .. 112, SYS 23..29, VAR 30..255), PLC type 33, offset 0, length
// 256, DB 0, a configuration of driver 5 with clear flag bytes and, on the
// 706 and 118 families, a few firmware variables.
struct RoundTripProject {
    explicit RoundTripProject(uint16_t panel);

    CPrjData& Prj() const { return *p->prj; }

    uint16_t panel;
    std::unique_ptr<ProjectWorld> p;
};

// Writes the project as the save command does; the target is replaced.
// leftOut (when given) takes what the writer had to leave out or change.
std::string WriteSource(RoundTripProject& project, const TempDir& dir, int* leftOut = nullptr);

// Reads the bytes as the project load does: the prescan finds the panel of
// the file and empties the project for it, then the load parser reads the
// description and the statements.
ParseOutcome ReadSource(RoundTripProject& project, const TempDir& dir, const std::string& bytes);

// A golden project file of tests/data/source.
std::string ReadSourceData(const std::string& name);

// W1 = write(project) reads back without error and without question; W2 =
// write(read(W1)); write(read(W2)) gives W2 again and leaves nothing out. The
// project that W1 gave stays for the caller's checks.
struct Agreement {
    std::string w1;
    std::string w2;
    int leftOut = 0;
    std::unique_ptr<RoundTripProject> read;
};
Agreement CheckAgreement(RoundTripProject& built);

} // namespace orv

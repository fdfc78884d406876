#pragma once

#include "model/project/CharSet.h"
#include "model/project/DrvCfg.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/SpsPar.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/project/FrmCfg.h"
#include "model/core/WorkspaceState.h"

namespace orv {

class CPrjVar;

// A directory of the benchmark's files below the system's temporary one,
// removed with them at the end.
class BenchDir {
public:
    explicit BenchDir(const std::string& name);
    ~BenchDir();
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;

    std::string File(const char* name) const { return (m_path / name).string(); }
    // The path with a closing separator, as the workspace takes it.
    std::string Prefix() const { return m_path.string() + "/"; }

private:
    std::filesystem::path m_path;
};

// A cleared project of the panel with the objects a compile and a decompile
// need: character set, driver configuration and PLC parameters whose data
// words 0..255 are all VAR items.
struct BenchBundle {
    BenchBundle(CWorkspaceState& workspace, uint16_t panel);

    PrjBundle bundle;
    CCharSet charSet{&bundle};
    CPrjData prj{&bundle};
    std::unique_ptr<CSpsPar> sps;
    CDrvCfg drv;
};

// count scaled binary variables of width 5 on the data words 0..249 in
// turn, named by the prefix and their index in four digits.
std::vector<CPrjVar*> AddScaledVars(CPrjData& prj, int count, const std::string& prefix);

// Times a benchmark's loop and sets it against the floor any compile or
// decompile of a file stands on: writing that many bytes with plain stdio
// calls and reading them back. Start it just before the loop.
class PlainIoRatio {
public:
    PlainIoRatio() : m_start(std::chrono::steady_clock::now()) {}

    // The loop's mean time per iteration over that of a plain write and
    // read-back of bytes bytes at path (the file is removed after).
    double Ratio(int64_t iterations, const std::string& path, uint64_t bytes) const;

private:
    std::chrono::steady_clock::time_point m_start;
};

// A 706 project that nearly fills the panel memory: 1000 named scaled
// variables, 256 operator texts and 680 message texts of two rows, each row
// showing two variables among words and blank runs. Its files lie in a
// benchmark directory of the given name.
class Full706 {
public:
    explicit Full706(const std::string& dirName);

    std::string Path(const char* name) const { return m_dir.File(name); }
    CWorkspaceState& Workspace() { return m_workspace; }
    BenchBundle& Project() { return m_project; }

    // Compiles into FULL.BIN; the error code.
    uint16_t Compile();
    uint16_t Decompile();

private:
    void Fill();

    BenchDir m_dir;
    CWorkspaceState m_workspace;
    BenchBundle m_project;
    CFrmCfg m_frm{&m_project.bundle};
};

// A 043-family project that nearly fills the panel memory: 300 scaled
// variables, 128 operator texts and 100 message texts of two rows, each row
// showing a variable among words and blank runs.
void FillFull043(CPrjData& prj);

// A 118 project that fills most of the 64K the panel addresses: 500 scaled
// variables, 128 operator texts of four rows and 100 message texts of two,
// 60 recipes, help texts, softkeys and menus, every row showing variables
// among words and blank runs.
void FillFull118(CPrjData& prj);
// Both images of a 118 project, FULL.BIN and FULL.RCP in the directory; the
// error code, and the first image's length.
uint16_t CompileFull118(CWorkspaceState& workspace, const BenchDir& paths, const PrjBundle& bundle, uint64_t& length);

} // namespace orv

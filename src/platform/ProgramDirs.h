// Where the program finds what was installed with it and where it writes its
// own state.
#pragma once

#include <string>

namespace orv {

// The program directory holds what was installed with the program; the state
// directory holds what the program writes. When the program directory is
// writable it is both. Both end in '/'.

// ORVTOOL_HOME when set and not empty, else the directory of the executable.
std::string GetProgramDir();

// The program directory when a probe file can be created there, else
// $XDG_CONFIG_HOME/orvtool/ (default $HOME/.config/orvtool/), created when
// missing.
std::string GetStateDir();

// The file that the environment variable names, made absolute against the
// current directory, or the fallback when the variable is unset or empty.
std::string PathFromEnv(const char* name, const std::string& fallback);

// The pure choices behind the two functions above; null and "" both mean unset.
std::string ResolveProgramDir(const char* orvtoolHome, const std::string& exeDir);
std::string ResolveStateDir(const std::string& programDir, bool programDirWritable,
                            const char* xdgConfigHome, const char* home);

// Gives the state directory a copy of the program directory's file when it
// has none (names matched without regard to case); never overwrites. True when
// the state directory has the file afterwards.
bool SeedStateFile(const std::string& relativePath);

// The copy behind SeedStateFile, between any two directories.
bool CopyIfMissing(const std::string& fromDir, const std::string& toDir,
                   const std::string& relativePath);

}  // namespace orv

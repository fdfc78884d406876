// A whole program directory in a temporary ORVTOOL_HOME, as the build ships
// it, each file switchable to missing, damaged or replaced.
#pragma once

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <string>

namespace orv {

class CSelDb;

// The first PLC type and driver that the database offers a panel; -1 each
// when it offers none.
struct OfferedChoice {
    int spsId = -1;
    int drvId = -1;
};
OfferedChoice FirstOffered(const CSelDb& db, int devId);

// The program directory that the build ships beside the program (panel
// fonts, start-selection configuration, tool configuration, driver
// libraries, firmware, "startsel.db"), copied into a fresh directory that
// ORVTOOL_HOME names for the kit's lifetime. Being writable, it is also the
// state directory.
class ConfigKit {
public:
    ConfigKit();

    // Copies the shipped program directory into dir (ending in '/').
    static void CopyShipped(const std::string& dir);

    // Ends in '/'.
    const std::string& Home() const { return m_dir.Path(); }
    // A file of the configuration directory "CFG/ORV/".
    std::string CfgPath(const std::string& name) const;
    void Remove(const std::string& name) const;
    // Keeps the file's size and name but overwrites its bytes with 0xEE.
    void Damage(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Puts code bytes where the shipped driver libraries and firmware images
    // hold the placeholder mark, as the panel maker's files would: what a
    // user copies in before a transfer.
    void ReplacePlaceholders() const;
    // The same in the program directory dir.
    static void ReplacePlaceholdersIn(const std::string& dir);
    // Firmware images of every panel with a form file, identified as the
    // shipped ones and holding the built-in variables of the golden
    // round-trip sources, without the placeholder.
    void WriteRoundTripFirmware() const;
    // Standard special-function files of the 043 panels (group of 36, 43
    // and 163) and of the 706 panel, named in "ORVPRO.INI".
    void UseStdFktFiles() const;

private:
    TempDir m_dir;
    ScopedEnv m_home;
};

} // namespace orv

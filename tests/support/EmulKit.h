// The test simulation library as a test holds it: its own handle, so that the
// library's counters outlive the program's loads, and the paths of its
// variants.
#pragma once

#include "platform/DynLib.h"

#include <chrono>
#include <string>

namespace orv {

class EmulKit {
public:
    enum class Variant { Full, NoRun, NoInit, NoExit };

    static std::string Path(Variant variant);
    // Whether the process holds the library at all.
    static bool IsLoaded(Variant variant);

    // Opens the variant and resets it to the library's defaults.
    explicit EmulKit(Variant variant = Variant::Full);

    void Reset();
    void SetInitResult(int result);
    void SetRunSleepMs(int ms);
    void SetRunLimit(int runs);
    void Hold();
    void Release();
    // Wait, in real time, until an emulRun sits in the hold, or until the
    // library has run at least that often. False when the bound passed.
    bool WaitHeld(std::chrono::milliseconds bound = std::chrono::seconds(10));
    bool WaitRuns(int runs, std::chrono::milliseconds bound = std::chrono::seconds(10));

    int Inits();
    int Runs();
    int Exits();
    int PortByte();
    long WindowBytes();

private:
    void Call(const char* name);
    void Set(const char* name, int value);
    int Get(const char* name);

    DynLib m_lib;
};

} // namespace orv

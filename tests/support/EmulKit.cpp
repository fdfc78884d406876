// Reaches the test simulation library's extra exports through the test's own
// handle.
#include "support/EmulKit.h"

#include "tools/emul/EmulControl.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <thread>

namespace orv {

std::string EmulKit::Path(Variant variant)
{
    switch (variant) {
    case Variant::NoRun: return ORV_EMUL_NORUN;
    case Variant::NoInit: return ORV_EMUL_NOINIT;
    case Variant::NoExit: return ORV_EMUL_NOEXIT;
    case Variant::Full: break;
    }
    return ORV_EMUL_FULL;
}

bool EmulKit::IsLoaded(Variant variant)
{
    void* handle = ::dlopen(Path(variant).c_str(), RTLD_LAZY | RTLD_NOLOAD);
    if (handle)
        ::dlclose(handle);
    return handle != nullptr;
}

EmulKit::EmulKit(Variant variant)
{
    EXPECT_TRUE(m_lib.Open(Path(variant))) << m_lib.Error();
    Reset();
}

void EmulKit::Call(const char* name)
{
    if (auto fn = reinterpret_cast<emulTestVoid_fn>(m_lib.Symbol(name)))
        fn();
    else
        ADD_FAILURE() << name << " missing";
}

void EmulKit::Set(const char* name, int value)
{
    if (auto fn = reinterpret_cast<emulTestSet_fn>(m_lib.Symbol(name)))
        fn(value);
    else
        ADD_FAILURE() << name << " missing";
}

int EmulKit::Get(const char* name)
{
    auto fn = reinterpret_cast<emulTestGet_fn>(m_lib.Symbol(name));
    EXPECT_NE(fn, nullptr) << name << " missing";
    return fn ? fn() : -1;
}

void EmulKit::Reset() { Call("emulTestReset"); }
void EmulKit::SetInitResult(int result) { Set("emulTestSetInitResult", result); }
void EmulKit::SetRunSleepMs(int ms) { Set("emulTestSetRunSleepMs", ms); }
void EmulKit::SetRunLimit(int runs) { Set("emulTestSetRunLimit", runs); }
void EmulKit::Hold() { Call("emulTestHold"); }
void EmulKit::Release() { Call("emulTestRelease"); }
int EmulKit::Inits() { return Get("emulTestInitCount"); }
int EmulKit::Runs() { return Get("emulTestRunCount"); }
int EmulKit::Exits() { return Get("emulTestExitCount"); }
int EmulKit::PortByte() { return Get("emulTestPortByte"); }

long EmulKit::WindowBytes()
{
    auto fn = reinterpret_cast<emulTestGetLong_fn>(m_lib.Symbol("emulTestWindowBytes"));
    EXPECT_NE(fn, nullptr);
    return fn ? fn() : -1;
}

namespace {

template <class Pred>
bool EmulKitWaitFor(Pred done, std::chrono::milliseconds bound)
{
    const auto until = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace

bool EmulKit::WaitHeld(std::chrono::milliseconds bound)
{
    return EmulKitWaitFor([this] { return Get("emulTestHeld") != 0; }, bound);
}

bool EmulKit::WaitRuns(int runs, std::chrono::milliseconds bound)
{
    return EmulKitWaitFor([this, runs] { return Runs() >= runs; }, bound);
}

} // namespace orv

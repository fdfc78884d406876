// The test simulation library: plays a PLC that counts data word 0 up and
// mirrors word 1 into word 2, so that the program sees the block move and
// gets back what it wrote. Reaches the block byte by byte atomically, as the
// program does.
#include "EmulControl.h"
#include "orvemul.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

std::atomic<unsigned char*> g_block{nullptr};
std::atomic<int> g_initResult{1};
std::atomic<int> g_runSleepMs{10};
std::atomic<int> g_runLimit{-1};
std::atomic<int> g_inits{0};
std::atomic<int> g_runs{0};
std::atomic<int> g_exits{0};
std::atomic<int> g_portByte{-1};
std::atomic<long> g_windowBytes{-1};

std::mutex g_holdMutex;
std::condition_variable g_holdChanged;
bool g_hold = false;
bool g_held = false;

[[maybe_unused]] unsigned char LoadByte(unsigned char* block, size_t offset)
{
    return std::atomic_ref<unsigned char>(block[offset]).load(std::memory_order_relaxed);
}

[[maybe_unused]] void StoreByte(unsigned char* block, size_t offset, unsigned char value)
{
    std::atomic_ref<unsigned char>(block[offset]).store(value, std::memory_order_relaxed);
}

[[maybe_unused]] size_t WordAt(int index) { return ORVEMUL_OFF_WORDS + 2u * static_cast<size_t>(index); }

[[maybe_unused]] unsigned LoadWord(unsigned char* block, int index)
{
    return static_cast<unsigned>(LoadByte(block, WordAt(index)) << 8 | LoadByte(block, WordAt(index) + 1));
}

[[maybe_unused]] void StoreWord(unsigned char* block, int index, unsigned value)
{
    StoreByte(block, WordAt(index), static_cast<unsigned char>(value >> 8));
    StoreByte(block, WordAt(index) + 1, static_cast<unsigned char>(value));
}

[[maybe_unused]] void WaitWhileHeld()
{
    std::unique_lock<std::mutex> lock(g_holdMutex);
    g_held = g_hold;
    g_holdChanged.notify_all();
    g_holdChanged.wait(lock, [] { return !g_hold; });
    g_held = false;
}

} // namespace

extern "C" {

#ifndef EMUL_NO_INIT
int emulInit(unsigned char* block)
{
    g_inits.fetch_add(1);
    g_block.store(block);
    g_portByte.store(LoadByte(block, ORVEMUL_OFF_PORT));
    long window = 0;
    for (size_t i = 0; i < 4; ++i)
        window = window << 8 | LoadByte(block, ORVEMUL_OFF_WINDOW + i);
    g_windowBytes.store(window);
    // A test that cannot hold the library (to see it unloaded) configures
    // the result here.
    if (const char* forced = std::getenv("EMUL_INIT_RESULT"))
        return std::atoi(forced);
    return g_initResult.load();
}
#endif

#ifndef EMUL_NO_RUN
int emulRun(void)
{
    const int run = g_runs.fetch_add(1) + 1;
    const int limit = g_runLimit.load();
    if (limit >= 0 && run > limit)
        return 0;
    if (unsigned char* block = g_block.load()) {
        StoreWord(block, 0, (LoadWord(block, 0) + 1) & 0xFFFFu);
        StoreWord(block, 2, LoadWord(block, 1));
        // Scribbled over, so that a second start shows the program writing
        // its fields anew.
        for (size_t i = 0; i < 4; ++i)
            StoreByte(block, ORVEMUL_OFF_WINDOW + i, 0xFF);
        StoreByte(block, ORVEMUL_OFF_STATE, 0xFF);
        StoreByte(block, ORVEMUL_OFF_STATE + 1, 0xFF);
    }
    if (const int ms = g_runSleepMs.load(); ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    WaitWhileHeld();
    return 1;
}
#endif

#ifndef EMUL_NO_EXIT
int emulExit(void)
{
    g_exits.fetch_add(1);
    return 1;
}
#endif

void emulTestReset(void)
{
    emulTestRelease();
    g_block.store(nullptr);
    g_initResult.store(1);
    g_runSleepMs.store(10);
    g_runLimit.store(-1);
    g_inits.store(0);
    g_runs.store(0);
    g_exits.store(0);
    g_portByte.store(-1);
    g_windowBytes.store(-1);
}

void emulTestSetInitResult(int result) { g_initResult.store(result); }
void emulTestSetRunSleepMs(int ms) { g_runSleepMs.store(ms); }
void emulTestSetRunLimit(int runs) { g_runLimit.store(runs); }

void emulTestHold(void)
{
    std::lock_guard<std::mutex> lock(g_holdMutex);
    g_hold = true;
}

void emulTestRelease(void)
{
    {
        std::lock_guard<std::mutex> lock(g_holdMutex);
        g_hold = false;
    }
    g_holdChanged.notify_all();
}

int emulTestHeld(void)
{
    std::lock_guard<std::mutex> lock(g_holdMutex);
    return g_held ? 1 : 0;
}

int emulTestInitCount(void) { return g_inits.load(); }
int emulTestRunCount(void) { return g_runs.load(); }
int emulTestExitCount(void) { return g_exits.load(); }
int emulTestPortByte(void) { return g_portByte.load(); }
long emulTestWindowBytes(void) { return g_windowBytes.load(); }

} // extern "C"

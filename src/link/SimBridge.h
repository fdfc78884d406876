// Runs the simulation library in a worker thread and shares the block of PLC
// data words with it; every byte of the block is reached atomically, so the
// two threads never race.
#pragma once

#include "link/orvemul.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv {

class DynLib;

// What the worker wants shown: a message box or a log line. The worker never
// reaches the user interface itself, because the widgets belong to the GUI
// thread; the GUI thread shows them in order when it polls.
struct SimNotice {
    enum class Kind { Box, Log };
    Kind kind = Kind::Box;
    std::string caption; // Box only
    std::string text;
    int level = 0; // Log only
};

// The simulation library's name, looked up in the program directory unless
// ORVTOOL_EMUL names a file.
inline constexpr const char* kEmulLibName = "libemul.so";
std::string EmulPath(const std::string& programDir);

// One bridge per program: the block, the running and stop flags, the cycle
// counter, the worker and its queue of notices. It is neither copied nor
// moved, because the library keeps the block's address.
class CSimBridge {
public:
    static constexpr size_t kBlockSize = ORVEMUL_BLOCK_SIZE;
    static constexpr uint16_t kLastWord = ORVEMUL_LAST_WORD;
    // The cycle counter runs 0..99.
    static constexpr uint32_t kCycles = 100;

    CSimBridge() = default;
    // Stops the worker and waits for it.
    ~CSimBridge();
    CSimBridge(const CSimBridge&) = delete;
    CSimBridge& operator=(const CSimBridge&) = delete;

    // Starts the worker over the library at libPath (absolute) with the
    // 0-based simulation port (-1 for the ARC interface); the running flag is
    // set from here until the worker's end. A worker that ended before is
    // joined first. Answers the worker's kernel thread id; 0, after
    // the "ERROR" box, when no thread could be created.
    uint32_t StartSimThread(const std::string& libPath, int16_t simPort);

    bool IsRunning() const { return m_running.load(); }
    void RequestStop() { m_stop.store(true); }
    void ClearStop() { m_stop.store(false); }
    bool IsStopRequested() const { return m_stop.load(); }
    uint32_t GetCycle() const { return m_cycle.load(); }

    // Data word access, high byte first. An index beyond the block is
    // refused: a write is logged at level 0 and ignored, a read gives 0.
    void SetWord(uint16_t index, uint16_t value);
    uint16_t GetWord(uint16_t index) const;
    // One byte of the block, for a look at the fixed fields.
    uint8_t GetByte(size_t offset) const;

    // Waits up to bound for the worker to end and joins it. True when no
    // worker runs any more.
    bool WaitEnded(std::chrono::milliseconds bound);

    // The worker's notices so far, oldest first, taken out of the queue.
    std::vector<SimNotice> TakeNotices();
    // Shows the taken notices: boxes through the UI services, lines in the
    // log. GUI thread only.
    void ShowNotices();

private:
    void Work(std::string libPath, int16_t simPort);
    void RunLibrary(DynLib& lib, int16_t simPort);
    void Notify(SimNotice notice);
    void NotifyUnknown(const char* entry);
    void StoreByte(size_t offset, uint8_t value);
    void StoreWordAt(size_t offset, uint16_t value);
    uint8_t LoadByte(size_t offset) const;

    alignas(8) mutable std::array<unsigned char, kBlockSize> m_block{};
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<uint32_t> m_cycle{0};
    std::thread m_worker;
    // Guards the notices, the worker's id and its end.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    uint32_t m_threadId = 0;
    std::vector<SimNotice> m_notices;
};

} // namespace orv

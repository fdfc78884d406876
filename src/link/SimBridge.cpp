// The simulation worker: loads the library, hands it the block and runs it
// until it ends or the GUI asks it to stop. The worker shows nothing itself;
// it queues what the GUI thread shows.
#include "link/SimBridge.h"

#include "model/core/Log.h"
#include "model/core/UiServices.h"
#include "platform/DynLib.h"
#include "platform/ProgramDirs.h"

#include <system_error>
#include <unistd.h>
#include <utility>

namespace orv {

namespace {

constexpr std::memory_order kSimRelaxed = std::memory_order_relaxed;

size_t SimWordOffset(uint16_t index) { return ORVEMUL_OFF_WORDS + 2u * index; }

} // namespace

std::string EmulPath(const std::string& programDir)
{
    return PathFromEnv("ORVTOOL_EMUL", programDir + kEmulLibName);
}

CSimBridge::~CSimBridge()
{
    RequestStop();
    if (m_worker.joinable())
        m_worker.join();
}

// A word is two byte accesses, high byte first: the unit the library and the
// program have always shared.
void CSimBridge::StoreByte(size_t offset, uint8_t value)
{
    std::atomic_ref<unsigned char>(m_block[offset]).store(value, kSimRelaxed);
}

uint8_t CSimBridge::LoadByte(size_t offset) const
{
    return std::atomic_ref<unsigned char>(m_block[offset]).load(kSimRelaxed);
}

void CSimBridge::StoreWordAt(size_t offset, uint16_t value)
{
    StoreByte(offset, static_cast<uint8_t>(value >> 8));
    StoreByte(offset + 1, static_cast<uint8_t>(value));
}

void CSimBridge::SetWord(uint16_t index, uint16_t value)
{
    if (index > kLastWord) {
        LogLine(kLogErrors, "SetSimWord: data word %u lies beyond the simulation block", static_cast<unsigned>(index));
        return;
    }
    StoreWordAt(SimWordOffset(index), value);
}

uint16_t CSimBridge::GetWord(uint16_t index) const
{
    if (index > kLastWord)
        return 0;
    const size_t at = SimWordOffset(index);
    return static_cast<uint16_t>(LoadByte(at) << 8 | LoadByte(at + 1));
}

uint8_t CSimBridge::GetByte(size_t offset) const { return offset < kBlockSize ? LoadByte(offset) : 0; }

uint32_t CSimBridge::StartSimThread(const std::string& libPath, int16_t simPort)
{
    if (m_worker.joinable())
        m_worker.join();
    m_threadId = 0;
    m_running.store(true);
    try {
        m_worker = std::thread([this, libPath, simPort] {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_threadId = static_cast<uint32_t>(::gettid());
            }
            m_changed.notify_all();
            Work(libPath, simPort);
        });
    } catch (const std::system_error&) {
        m_running.store(false);
        GetUiServices().MessageBox(MsgKind::PlainOk, "ERROR", "Error: CreateThread fkt.", 0);
        return 0;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_threadId != 0; });
    return m_threadId;
}

void CSimBridge::Work(std::string libPath, int16_t simPort)
{
    for (size_t i = 0; i < 4; ++i)
        StoreByte(ORVEMUL_OFF_WINDOW + i, 0);
    DynLib lib;
    if (lib.Open(libPath)) {
        if (lib.Symbol("emulRun") == nullptr)
            NotifyUnknown("emulRun");
        else
            RunLibrary(lib, simPort);
        lib.Close();
    } else {
        Notify({SimNotice::Kind::Box, "Fehler",
                std::string("ERROR: Can't find the ") + kEmulLibName + " in the \\SYSTEM dir or local dir", 0});
        Notify({SimNotice::Kind::Log, "", lib.Error(), kLogErrors});
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_running.store(false);
    }
    m_changed.notify_all();
}

// Every entry point is looked up each time it is needed.
void CSimBridge::RunLibrary(DynLib& lib, int16_t simPort)
{
    StoreByte(ORVEMUL_OFF_PORT, static_cast<uint8_t>(simPort + 1));
    auto init = reinterpret_cast<emulInit_fn>(lib.Symbol("emulInit"));
    if (init == nullptr) {
        NotifyUnknown("emulInit");
    } else if (init(m_block.data()) != 0) {
        StoreWordAt(ORVEMUL_OFF_RUN, ORVEMUL_RUN_VALUE);
        StoreWordAt(ORVEMUL_OFF_STATE, 0);
        for (;;) {
            auto run = reinterpret_cast<emulRun_fn>(lib.Symbol("emulRun"));
            if (run == nullptr || run() == 0)
                break;
            if (m_stop.load()) {
                m_stop.store(false);
                break;
            }
            m_cycle.store((m_cycle.load() + 1) % kCycles);
        }
    }
    auto exit = reinterpret_cast<emulExit_fn>(lib.Symbol("emulExit"));
    if (exit == nullptr)
        NotifyUnknown("emulExit");
    else
        exit();
}

void CSimBridge::NotifyUnknown(const char* entry)
{
    Notify({SimNotice::Kind::Box, "Error", std::string("DLL Function '") + entry + "' is unknown !!!", 0});
}

void CSimBridge::Notify(SimNotice notice)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_notices.push_back(std::move(notice));
}

bool CSimBridge::WaitEnded(std::chrono::milliseconds bound)
{
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_changed.wait_for(lock, bound, [this] { return !m_running.load(); }))
            return false;
    }
    if (m_worker.joinable())
        m_worker.join();
    return true;
}

std::vector<SimNotice> CSimBridge::TakeNotices()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::exchange(m_notices, {});
}

void CSimBridge::ShowNotices()
{
    for (const SimNotice& notice : TakeNotices()) {
        if (notice.kind == SimNotice::Kind::Box)
            GetUiServices().MessageBox(MsgKind::PlainOk, notice.caption, notice.text, 0);
        else
            LogAppend(notice.level, notice.text);
    }
}

} // namespace orv

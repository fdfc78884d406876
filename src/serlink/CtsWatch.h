// The serial link library's CTS watch, which lets one poll wait for input and a
// modem-line change together.
#pragma once

#include <atomic>
#include <functional>
#include <future>
#include <thread>

namespace orv {

// errno values by which a driver says it offers no modem-line call.
bool ModemCallNotOffered(int error);

// Turns CTS changes of a serial device into a readable descriptor, so that
// one poll() waits for input and for CTS together. The driver's wait for a
// modem-line change has no time-out, so it blocks on a thread of its own, and
// a signal ends that wait when the watch stops.
class CtsWatch {
public:
    // Blocks until CTS changes: 0, or -1 with errno (EINTR for a signal).
    using WaitForChange = std::function<int(int device)>;
    enum class State { Watching, NotOffered, Failed };

    CtsWatch();
    explicit CtsWatch(WaitForChange wait) : m_wait(std::move(wait)) {}
    ~CtsWatch() { Stop(); }
    CtsWatch(const CtsWatch&) = delete;
    CtsWatch& operator=(const CtsWatch&) = delete;

    // False when no thread or descriptor could be had, or when the process
    // already handles the wake-up signal itself.
    bool Start(int device);
    void Stop();
    bool Running() const { return m_thread.joinable(); }
    // Readable after a change; -1 when not running.
    int Fd() const { return m_event; }
    // Clears the wake-up. NotOffered: the driver cannot wait for modem lines;
    // Failed: the wait failed on the device, with its errno in error. Both
    // end the watching thread.
    State Take(int& error);

private:
    void Run(int device);
    void Post();

    WaitForChange m_wait;
    std::thread m_thread;
    std::future<void> m_exited;
    std::atomic<bool> m_stop{false};
    std::atomic<State> m_state{State::Watching};
    std::atomic<int> m_error{0};
    int m_event = -1;
};

}  // namespace orv

// The CTS watch: the driver's modem-line wait on its own thread, reported
// through an eventfd.
#include "serlink/CtsWatch.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>

#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orv {

namespace {

// Ignored by default, so a stray one harms no process that does not watch.
constexpr int kWakeSignal = SIGURG;

void Wake(int) {}

int DriverWait(int device) { return ::ioctl(device, TIOCMIWAIT, TIOCM_CTS); }

// The handler is installed while a watch runs and taken out after, so that
// it never outlives the library. Without SA_RESTART: the driver's wait must
// end, not start again.
class WakeHandler {
public:
    bool Acquire() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_users == 0) {
            struct sigaction current {};
            if (::sigaction(kWakeSignal, nullptr, &current) != 0) return false;
            if (current.sa_handler != SIG_DFL && current.sa_handler != SIG_IGN) return false;
            struct sigaction wake {};
            wake.sa_handler = Wake;
            sigemptyset(&wake.sa_mask);
            if (::sigaction(kWakeSignal, &wake, &m_previous) != 0) return false;
        }
        ++m_users;
        return true;
    }

    void Release() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_users == 0) ::sigaction(kWakeSignal, &m_previous, nullptr);
    }

private:
    std::mutex m_mutex;
    int m_users = 0;
    struct sigaction m_previous {};
};

WakeHandler& Handler() {
    static WakeHandler handler;
    return handler;
}

}  // namespace

CtsWatch::CtsWatch() : m_wait(DriverWait) {}

bool CtsWatch::Start(int device) {
    Stop();
    m_event = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_event < 0) return false;
    if (!Handler().Acquire()) {
        ::close(m_event);
        m_event = -1;
        return false;
    }
    m_stop = false;
    m_state = State::Watching;
    std::promise<void> exited;
    m_exited = exited.get_future();
    try {
        m_thread = std::thread([this, device, done = std::move(exited)]() mutable {
            Run(device);
            done.set_value();
        });
    } catch (const std::system_error&) {
        Handler().Release();
        ::close(m_event);
        m_event = -1;
        return false;
    }
    return true;
}

void CtsWatch::Run(int device) {
    // Only the wake-up may reach this thread; the host's signals go elsewhere.
    sigset_t only;
    sigfillset(&only);
    sigdelset(&only, kWakeSignal);
    pthread_sigmask(SIG_SETMASK, &only, nullptr);
    while (!m_stop) {
        if (m_wait(device) == 0) {
            Post();
            continue;
        }
        const int error = errno;
        if (error == EINTR) continue;
        m_error = error;
        m_state = ModemCallNotOffered(error) ? State::NotOffered : State::Failed;
        Post();
        return;
    }
}

void CtsWatch::Post() {
    const uint64_t one = 1;
    // A full counter is still readable, which is all a wake-up needs.
    [[maybe_unused]] const ssize_t n = ::write(m_event, &one, sizeof one);
}

void CtsWatch::Stop() {
    if (!m_thread.joinable()) return;
    m_stop = true;
    // The signal may come just before the thread enters the driver's wait,
    // so it is sent again until the thread has gone.
    do {
        pthread_kill(m_thread.native_handle(), kWakeSignal);
    } while (m_exited.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready);
    m_thread.join();
    Handler().Release();
    ::close(m_event);
    m_event = -1;
}

CtsWatch::State CtsWatch::Take(int& error) {
    uint64_t count = 0;
    [[maybe_unused]] const ssize_t n = ::read(m_event, &count, sizeof count);
    error = m_error;
    return m_state;
}

bool ModemCallNotOffered(int error) { return error == ENOTTY || error == EINVAL || error == ENOSYS; }

}  // namespace orv

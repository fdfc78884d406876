#include "PtyPair.h"
#include "serlink/PosixPort.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <thread>

#include <poll.h>
#include <pthread.h>
#include <termios.h>
#include <unistd.h>

namespace {

using orv::IPort;

// Time that the test sets, and a count of the sleeps the port asks for.
class TestClock : public orv::IClock {
public:
    uint64_t NowMs() override { return now; }
    void SleepMs(uint32_t ms) override {
        ++sleeps;
        now += ms;
    }
    bool FineResolution() override { return true; }

    std::atomic<uint64_t> now{0};
    std::atomic<int> sleeps{0};
};

const std::string kAwkward("\x00\x11\x13\xFF\r\n", 6);

// The pseudo-terminal moves bytes on a kernel worker: wait for the condition,
// not for a time.
bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

std::string ReadMaster(int master, size_t count) {
    std::string bytes;
    while (bytes.size() < count) {
        pollfd p{master, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0) break;
        char buffer[64];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

class SerlinkPosix : public testing::Test {
protected:
    void SetUp() override {
        if (!pty.Ok()) GTEST_SKIP() << "no pseudo-terminals here";
        ASSERT_TRUE(port.Open(pty.SlaveName())) << port.LastError();
    }

    PtyPair pty;
    TestClock clock;
    orv::PosixPort port{clock};
};

TEST_F(SerlinkPosix, ConfigurationReadsBack) {
    for (const bool fast : {true, false}) {
        ASSERT_EQ(port.Configure(fast), orv::IPort::ConfigResult::Ok) << port.LastError();
        termios state{};
        // The master reports the slave's settings.
        ASSERT_EQ(tcgetattr(pty.Master(), &state), 0);
        EXPECT_EQ(cfgetospeed(&state), fast ? B115200 : B38400);
        EXPECT_EQ(cfgetispeed(&state), fast ? B115200 : B38400);
        EXPECT_EQ(state.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(state.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(state.c_oflag & OPOST, 0u);
        EXPECT_EQ(state.c_iflag & (IXON | IXOFF | ICRNL), 0u);
        EXPECT_EQ(state.c_cc[VMIN], 0);
        EXPECT_EQ(state.c_cc[VTIME], 0);
    }
}

// Sent as the link sends a frame: each byte waited out before the next,
// without a sleep of the clock for any of them.
TEST_F(SerlinkPosix, BytesGoOutUnchangedWithoutSleeps) {
    ASSERT_EQ(port.Configure(true), orv::IPort::ConfigResult::Ok);
    std::string block;
    for (int i = 0; i < 12; ++i) block += kAwkward;
    for (char c : block) {
        ASSERT_TRUE(port.WriteByte(static_cast<uint8_t>(c))) << port.LastError();
        ASSERT_EQ(port.WaitTransmitEmpty(500), IPort::WaitResult::Ready) << port.LastError();
    }
    EXPECT_EQ(ReadMaster(pty.Master(), block.size()), block);
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_EQ(clock.now, 0u);
}

TEST_F(SerlinkPosix, IncomingBytesAreCountedReadAndPurged) {
    ASSERT_EQ(port.Configure(false), orv::IPort::ConfigResult::Ok);
    size_t count = 0;
    ASSERT_TRUE(port.InputCount(count));
    EXPECT_EQ(count, 0u);
    ASSERT_EQ(write(pty.Master(), kAwkward.data(), kAwkward.size()), static_cast<ssize_t>(kAwkward.size()));
    ASSERT_TRUE(Eventually([&] { return port.InputCount(count) && count == kAwkward.size(); })) << count;

    uint8_t buffer[16] = {};
    size_t got = 0;
    ASSERT_TRUE(port.Read(buffer, 4, got));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), got), kAwkward.substr(0, 4));
    ASSERT_TRUE(port.Read(buffer, sizeof buffer, got));  // takes what is there, does not wait
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), got), kAwkward.substr(4));

    ASSERT_EQ(write(pty.Master(), "abc", 3), 3);
    ASSERT_TRUE(Eventually([&] { return port.InputCount(count) && count == 3; }));
    ASSERT_TRUE(port.PurgeReceive());
    ASSERT_TRUE(port.InputCount(count));
    EXPECT_EQ(count, 0u);
    ASSERT_TRUE(port.PurgeTransmit());
}

// Without SA_RESTART, as a host program may install it: the signal ends the
// system call with EINTR.
void InstallInterruptingHandler() {
    struct sigaction action {};
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    sigaction(SIGUSR1, &action, nullptr);
}

// A wait on the line, run on a thread of its own so that the test can send
// it signals and feed it input; the 5 s bound only keeps a broken wait from
// hanging the suite.
class LineWait {
public:
    LineWait(IPort& port, uint32_t timeoutMs)
        : m_result(std::async(std::launch::async, [this, &port, timeoutMs] {
              m_thread = pthread_self();
              m_started = true;
              return port.WaitLineEvent(timeoutMs);
          })) {
        InstallInterruptingHandler();
        while (!m_started) std::this_thread::yield();
    }

    bool Done() { return m_result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }
    // Interrupts the wait with signals for a while; true if it is still waiting.
    bool Interrupt(std::chrono::milliseconds during) {
        const auto until = std::chrono::steady_clock::now() + during;
        while (std::chrono::steady_clock::now() < until && !Done()) {
            pthread_kill(m_thread, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return !Done();
    }
    // Keeps interrupting until the wait ends.
    std::optional<IPort::WaitResult> Result() {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < until) {
            if (Done()) return m_result.get();
            pthread_kill(m_thread, SIGUSR1);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return std::nullopt;
    }

private:
    std::atomic<bool> m_started{false};
    pthread_t m_thread{};
    std::future<IPort::WaitResult> m_result;
};

TEST_F(SerlinkPosix, InputWakesTheWait) {
    ASSERT_EQ(port.Configure(true), orv::IPort::ConfigResult::Ok);
    LineWait wait(port, 60000);
    ASSERT_EQ(write(pty.Master(), "A", 1), 1);
    EXPECT_EQ(wait.Result(), IPort::WaitResult::Ready);
    size_t count = 0;
    ASSERT_TRUE(port.InputCount(count));
    EXPECT_EQ(count, 1u);
    // Bytes already taken in do not wake the next wait.
    EXPECT_EQ(port.WaitLineEvent(20), IPort::WaitResult::TimedOut);
}

// The device going away ends a wait at once, with its reason.
TEST_F(SerlinkPosix, HangUpFailsTheWaitAtOnce) {
    ASSERT_EQ(port.Configure(true), orv::IPort::ConfigResult::Ok);
    LineWait wait(port, 60000);
    pty.CloseMaster();
    EXPECT_EQ(wait.Result(), IPort::WaitResult::Failed);
    EXPECT_FALSE(port.LastError().empty());
    EXPECT_EQ(port.WaitLineEvent(60000), IPort::WaitResult::Failed);
}

// A signal neither cuts a wait short nor gives it a fresh window: the wait
// goes on with what is left by the clock.
TEST_F(SerlinkPosix, InterruptedWaitKeepsItsWindow) {
    struct Case {
        const char* name;
        uint64_t clockAfterSignals;
        bool input;
        IPort::WaitResult result;
    };
    const Case cases[] = {
        {"window spent while interrupted", 60000, false, IPort::WaitResult::TimedOut},
        {"input after interruptions", 30000, true, IPort::WaitResult::Ready},
    };
    ASSERT_EQ(port.Configure(true), orv::IPort::ConfigResult::Ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock.now = 0;
        LineWait wait(port, 60000);
        EXPECT_TRUE(wait.Interrupt(std::chrono::milliseconds(50)));
        clock.now = c.clockAfterSignals;
        if (c.input) {
            ASSERT_EQ(write(pty.Master(), "A", 1), 1);
        }
        EXPECT_EQ(wait.Result(), c.result);
        ASSERT_TRUE(port.PurgeReceive());
    }
}

TEST_F(SerlinkPosix, SecondOpenIsRefused) {
    orv::PosixPort second{clock};
    EXPECT_FALSE(second.Open(pty.SlaveName()));
    EXPECT_FALSE(second.IsOpen());
    EXPECT_FALSE(second.LastError().empty());
    port.Close();
    EXPECT_TRUE(second.Open(pty.SlaveName())) << second.LastError();
}

TEST_F(SerlinkPosix, ModemLinesFailAsDefinedError) {
    bool cts = true;
    EXPECT_FALSE(port.SetDtr(false));
    EXPECT_NE(port.LastError().find("TIOCM"), std::string::npos) << port.LastError();
    EXPECT_FALSE(port.SetRts(true));
    EXPECT_FALSE(port.GetCts(cts));
    EXPECT_TRUE(port.IsOpen());
}

TEST(SerlinkPosixOpen, MissingDeviceNamesReason) {
    TestClock clock;
    orv::PosixPort port{clock};
    EXPECT_FALSE(port.Open("/nonexistent/ttyS9"));
    EXPECT_EQ(port.LastError(), "No such file or directory");
    EXPECT_FALSE(port.IsOpen());
    bool cts = false;
    EXPECT_FALSE(port.GetCts(cts));
}

}  // namespace

#include "PtyPair.h"
#include "serlink/PosixPort.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

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
    orv::PosixPort port;
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

TEST_F(SerlinkPosix, BytesGoOutUnchanged) {
    ASSERT_EQ(port.Configure(true), orv::IPort::ConfigResult::Ok);
    for (char c : kAwkward) ASSERT_TRUE(port.WriteByte(static_cast<uint8_t>(c))) << port.LastError();
    EXPECT_EQ(ReadMaster(pty.Master(), kAwkward.size()), kAwkward);
    bool empty = false;
    ASSERT_TRUE(port.TransmitEmpty(empty)) << port.LastError();
    EXPECT_TRUE(empty);
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

TEST_F(SerlinkPosix, SecondOpenIsRefused) {
    orv::PosixPort second;
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
    orv::PosixPort port;
    EXPECT_FALSE(port.Open("/nonexistent/ttyS9"));
    EXPECT_EQ(port.LastError(), "No such file or directory");
    EXPECT_FALSE(port.IsOpen());
    bool cts = false;
    EXPECT_FALSE(port.GetCts(cts));
}

}  // namespace

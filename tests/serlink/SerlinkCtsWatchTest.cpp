// The CTS watch over a scripted driver wait: each byte the test writes to a
// pipe is one outcome of the driver's wait, which otherwise blocks until a
// signal ends it.
#include "serlink/CtsWatch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

#include <poll.h>
#include <unistd.h>

namespace {

using orv::CtsWatch;

class SerlinkCtsWatch : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(pipe(m_script), 0); }
    void TearDown() override {
        close(m_script[0]);
        close(m_script[1]);
    }

    // 'c': CTS changed; 'e': the device failed; 'n': the driver has no such wait.
    CtsWatch::WaitForChange ScriptedWait() {
        return [this](int) {
            pollfd p{m_script[0], POLLIN, 0};
            if (poll(&p, 1, -1) < 0) return -1;
            char outcome = 0;
            if (read(m_script[0], &outcome, 1) != 1) return -1;
            errno = outcome == 'e' ? EIO : ENOTTY;
            return outcome == 'c' ? 0 : -1;
        };
    }
    void Script(char outcome) { ASSERT_EQ(write(m_script[1], &outcome, 1), 1); }

    int m_script[2] = {-1, -1};
};

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 5000) == 1;
}

bool WakeHandlerInstalled() {
    struct sigaction current {};
    sigaction(SIGURG, nullptr, &current);
    return current.sa_handler != SIG_DFL;
}

TEST_F(SerlinkCtsWatch, OutcomesOfTheDriversWait) {
    struct Case {
        const char* name;
        const char* script;
        CtsWatch::State state;
        int error;
    };
    const Case cases[] = {
        {"changes", "cc", CtsWatch::State::Watching, 0},
        {"device fails", "ce", CtsWatch::State::Failed, EIO},
        {"driver has no wait", "n", CtsWatch::State::NotOffered, ENOTTY},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CtsWatch watch(ScriptedWait());
        ASSERT_TRUE(watch.Start(0));
        EXPECT_TRUE(WakeHandlerInstalled());
        int error = 0;
        for (const char* outcome = c.script; *outcome; ++outcome) {
            Script(*outcome);
            ASSERT_TRUE(Readable(watch.Fd()));
            const CtsWatch::State state = watch.Take(error);
            if (outcome[1] != '\0') {
                EXPECT_EQ(state, CtsWatch::State::Watching);
            } else {
                EXPECT_EQ(state, c.state);
            }
        }
        EXPECT_EQ(error, c.error);
        // Taken: no wake-up is left behind.
        pollfd p{watch.Fd(), POLLIN, 0};
        EXPECT_EQ(poll(&p, 1, 0), 0);
        // A thread blocked in the driver's wait is ended by the stop.
        watch.Stop();
        EXPECT_FALSE(watch.Running());
        EXPECT_EQ(watch.Fd(), -1);
        EXPECT_FALSE(WakeHandlerInstalled());
    }
}

TEST_F(SerlinkCtsWatch, HostsOwnHandlerIsLeftAlone) {
    struct sigaction host {};
    host.sa_handler = [](int) {};
    sigemptyset(&host.sa_mask);
    struct sigaction previous {};
    ASSERT_EQ(sigaction(SIGURG, &host, &previous), 0);
    CtsWatch watch(ScriptedWait());
    EXPECT_FALSE(watch.Start(0));
    EXPECT_FALSE(watch.Running());
    struct sigaction after {};
    sigaction(SIGURG, &previous, &after);
    EXPECT_EQ(after.sa_handler, host.sa_handler);
}

}  // namespace

#include "serlink/PortSettings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

using namespace orv;

namespace {

struct Flag {
    const char* name;
    tcflag_t termios::*field;
    tcflag_t bit;
    bool on;
};

const Flag kFlags[] = {
    {"INPCK", &termios::c_iflag, INPCK, true},     {"IGNPAR", &termios::c_iflag, IGNPAR, false},
    {"PARMRK", &termios::c_iflag, PARMRK, false},  {"ISTRIP", &termios::c_iflag, ISTRIP, false},
    {"IXON", &termios::c_iflag, IXON, false},      {"IXOFF", &termios::c_iflag, IXOFF, false},
    {"IXANY", &termios::c_iflag, IXANY, false},    {"ICRNL", &termios::c_iflag, ICRNL, false},
    {"INLCR", &termios::c_iflag, INLCR, false},    {"IGNCR", &termios::c_iflag, IGNCR, false},
    {"BRKINT", &termios::c_iflag, BRKINT, false},  {"OPOST", &termios::c_oflag, OPOST, false},
    {"ICANON", &termios::c_lflag, ICANON, false},  {"ECHO", &termios::c_lflag, ECHO, false},
    {"ECHONL", &termios::c_lflag, ECHONL, false},  {"ISIG", &termios::c_lflag, ISIG, false},
    {"IEXTEN", &termios::c_lflag, IEXTEN, false},  {"PARENB", &termios::c_cflag, PARENB, true},
    {"PARODD", &termios::c_cflag, PARODD, false},  {"CMSPAR", &termios::c_cflag, CMSPAR, false},
    {"CSTOPB", &termios::c_cflag, CSTOPB, false},  {"CREAD", &termios::c_cflag, CREAD, true},
    {"CLOCAL", &termios::c_cflag, CLOCAL, true},   {"CRTSCTS", &termios::c_cflag, CRTSCTS, false},
};

TEST(SerlinkSettings, PortStateFromAnyStart) {
    for (const int fill : {0x00, 0xFF}) {
        for (const bool fast : {true, false}) {
            termios start;
            std::memset(&start, fill, sizeof start);
            const termios state = orv::BuildPortState(start, fast);
            for (const Flag& f : kFlags)
                EXPECT_EQ((state.*f.field & f.bit) != 0, f.on) << f.name << " fill " << fill << " fast " << fast;
            EXPECT_EQ(state.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
            EXPECT_EQ(state.c_cc[VMIN], 0);
            EXPECT_EQ(state.c_cc[VTIME], 0);
            const speed_t speed = fast ? B115200 : B38400;
            EXPECT_EQ(cfgetispeed(&state), speed);
            EXPECT_EQ(cfgetospeed(&state), speed);
        }
    }
}

TEST(SerlinkSettings, DeviceForPort) {
    struct Case {
        uint16_t port;
        const char* configured;
        const char* device;
        const char* key;
    };
    const Case cases[] = {
        {0, "", "/dev/ttyS0", "Com1Device"},       {1, "", "/dev/ttyS1", "Com2Device"},
        {2, "", "/dev/ttyS2", "Com3Device"},       {3, "", "/dev/ttyS3", "Com4Device"},
        {4, "", "/dev/ttyS3", "Com4Device"},       {65535, "", "/dev/ttyS3", "Com4Device"},
        {1, "/dev/ttyUSB0", "/dev/ttyUSB0", "Com2Device"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(orv::DeviceName(c.port, c.configured), c.device) << c.port;
        EXPECT_EQ(orv::DeviceKey(c.port), c.key) << c.port;
    }
}

TEST(SerlinkSettings, DeviceFromIni) {
    TempDir dir;
    dir.Write("ORVtool.ini", "[GUI]\r\nLangId=1\r\nCom2Device=/dev/ttyUSB0\r\nCom4Device=\r\n");
    const std::string ini = dir.File("ORVtool.ini");
    EXPECT_EQ(orv::DeviceFromIni(ini, 0), "/dev/ttyS0");
    EXPECT_EQ(orv::DeviceFromIni(ini, 1), "/dev/ttyUSB0");
    EXPECT_EQ(orv::DeviceFromIni(ini, 7), "/dev/ttyS3");  // empty key falls back
    EXPECT_EQ(orv::DeviceFromIni(dir.File("missing.ini"), 1), "/dev/ttyS1");
}

TEST(SerlinkSettings, ConfiguredDeviceReadsStateDirectoryAtEveryCall) {
    TempDir dir;
    const char* old = std::getenv("ORVTOOL_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("ORVTOOL_HOME", dir.Path().c_str(), 1);
    EXPECT_EQ(orv::ConfiguredDevice(0), "/dev/ttyS0");
    dir.Write("orvtool.INI", "[gui]\ncom1device = /dev/ttyACM1\n");
    EXPECT_EQ(orv::ConfiguredDevice(0), "/dev/ttyACM1");
    if (saved) setenv("ORVTOOL_HOME", saved->c_str(), 1);
    else unsetenv("ORVTOOL_HOME");
}

}  // namespace

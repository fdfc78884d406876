// Builds the panel's line state and picks the device for a port, from the
// program's settings when configured there.
#include "serlink/PortSettings.h"

#include "platform/FileLookup.h"
#include "platform/IniFile.h"
#include "platform/ProgramDirs.h"

#include <algorithm>

namespace orv {

termios BuildPortState(const termios& current, bool fast) {
    termios state = current;
    state.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | IGNPAR | PARMRK | ISTRIP | INLCR | IGNCR |
                                            ICRNL | IXON | IXOFF | IXANY);
    state.c_iflag |= INPCK;
    state.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    state.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    state.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    state.c_cflag |= CS8 | PARENB | CREAD | CLOCAL;
    state.c_cc[VMIN] = 0;
    state.c_cc[VTIME] = 0;
    cfsetispeed(&state, PortSpeed(fast));
    cfsetospeed(&state, PortSpeed(fast));
    return state;
}

speed_t PortSpeed(bool fast) { return fast ? B115200 : B38400; }

uint16_t PortIndex(uint16_t port) { return std::min<uint16_t>(port, 3); }

std::string DeviceKey(uint16_t port) { return "Com" + std::to_string(PortIndex(port) + 1) + "Device"; }

std::string DeviceName(uint16_t port, std::string_view configured) {
    if (!configured.empty()) return std::string(configured);
    return "/dev/ttyS" + std::to_string(PortIndex(port));
}

std::string DeviceFromIni(const std::string& iniFile, uint16_t port) {
    return DeviceName(port, IniGetString(iniFile, "GUI", DeviceKey(port), ""));
}

std::string ConfiguredDevice(uint16_t port) {
    const std::string stateDir = GetStateDir();
    const auto ini = FindPathNoCase(stateDir, "ORVtool.ini");
    return DeviceFromIni(ini ? *ini : stateDir + "ORVtool.ini", port);
}

}  // namespace orv

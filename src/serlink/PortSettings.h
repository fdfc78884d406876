// The serial line state and device names the panel link needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <termios.h>

namespace orv {

// The line state the panel needs, built from what the device reported: raw
// 8 data bits, even parity, one stop bit, no flow control of any kind (the
// checksum byte may be XON or XOFF), reads that never wait.
termios BuildPortState(const termios& current, bool fast);
speed_t PortSpeed(bool fast);

// Ports 3 and above all use the fourth device.
uint16_t PortIndex(uint16_t port);
// "Com<index+1>Device", the key of section "GUI" that names the device.
std::string DeviceKey(uint16_t port);
// The configured device, or /dev/ttyS<index> when none is configured.
std::string DeviceName(uint16_t port, std::string_view configured);
// Reads the key from the given INI file.
std::string DeviceFromIni(const std::string& iniFile, uint16_t port);
// Reads the key from ORVtool.ini in the state directory.
std::string ConfiguredDevice(uint16_t port);

}  // namespace orv

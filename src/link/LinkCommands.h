// The panel's command set as text: the commands the program sends, the
// display lines it writes on the panel and the decoding of the answers. Pure
// functions; nothing here touches the link.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// "R" + address high, address low and count as two hex digits each.
std::string ReadMemoryCommand(uint16_t address, uint8_t count);
// "B" + the bank as two hex digits.
std::string BankCommand(uint16_t bank);
// "W" + the address; data bytes follow with AppendHexByte.
std::string WriteCommandHead(uint16_t address);
void AppendHexByte(std::string& command, uint8_t byte);
// "A" + the code as two hex digits ("A81" ends a transfer).
std::string AckCommand(uint8_t code);
// "SW", four zeros and the 16 bytes as 32 hex digits.
std::string StatusWriteCommand(const std::array<uint8_t, 16>& block);
// Clears one display line: "D", the line number padded to 40 and a blank.
std::string ClearLineCommand(int line);
inline constexpr std::string_view kClearFirstLine = "D1 ";
// The further lines a panel type clears after the first (473: 1 and 2,
// 477: 1 to 4), in order.
std::vector<int> ExtraClearLines(uint16_t panelType);

// The last address of a bank on the panel type: 0x7FFF on the panels that
// bank in halves, else 0xFFFF.
uint16_t BankEnd(uint16_t panelType);
// The 118 family switches banks with the power off.
bool SwitchesBanksPowerless(uint16_t panelType);
// The identification a 706 family panel answers with: "OG" and its number
// (473, 477, 706); empty for a panel of another family.
std::string Panel706IdOf(uint16_t panelType);

// Blanks of the width with the text placed from column (width - length) / 2,
// or from column 0 when it is as long or longer; cut at the width.
std::string CentredLine(std::string_view text, size_t width);
// The display commands of a panel type: the title line and the file-name
// line ("%s%s" of the line command and the centred text). A panel type
// without a display row gets the line command alone.
std::string TitleLineCommand(uint16_t panelType, std::string_view text);
std::string FileLineCommand(uint16_t panelType, std::string_view text);

// '0'..'9' and 'A'..'F' only; any other character counts as 0 for its half.
uint8_t HexPairToByte(char high, char low);
// count bytes from the first 2 * count characters; none when the answer is
// shorter.
std::optional<std::vector<uint8_t>> DecodeHexBytes(std::string_view answer, size_t count);
// The bytes read big-endian, at most four.
uint32_t BigEndianValue(const std::vector<uint8_t>& bytes);

// True when any of the three digits of the panel is lower than the file's
// at the same place: each digit on its own, so "210" is lower than "199".
bool AnyDigitLower(std::string_view panelDigits, std::string_view fileDigits);

// The 706 family's memory set-up: "M" and the "X" answer with characters 32
// to 35 replaced by characters 4 to 7 of the 8-digit "R017404" answer, 36 to
// 39 by "0700" and 40 to 43 by its characters 0 to 3.
inline constexpr size_t kMinMemoryAnswer = 44;
// "M", the answer, the checksum and its NUL fill the 126-byte buffer.
inline constexpr size_t kMaxMemoryAnswer = 123;
// None when the "X" answer is shorter than 44 or longer than 123 characters,
// or the read answer shorter than 8.
std::optional<std::string> MemorySetupCommand(std::string_view xAnswer, std::string_view readAnswer);
// The fixed read of the 706 family's memory set-up: 4 bytes at 0x0174.
inline constexpr std::string_view kSetupRead = "R017404";
inline constexpr uint8_t kSetupReadBytes = 4;

// The 043 and 118 families' memory set-up: "M" and the "X" answer, its
// character at index 5 made 'F', cut to 25 characters, then the answer to
// the read of 0xFFFE appended. None when the "X" answer is shorter than 24.
inline constexpr size_t kMinMemoryAnswer043 = 24;
std::optional<std::string> MemorySetupCommand043(std::string_view xAnswer, std::string_view readAnswer);
// The fixed read of the 043 and 118 families' memory set-up: 2 bytes at
// 0xFFFE.
inline constexpr std::string_view kSetupRead043 = "RFFFE02";
inline constexpr uint8_t kSetupRead043Bytes = 2;

// The firmware id a panel of the 043 or 118 family answers with ("OG014",
// "OG167"); null for another panel type.
const char* FirmwareIdOf043(uint16_t panelType);

// The bank address a 706 family driver is loaded to: the low word of the
// panel's driver address, that of the 473 for a code of no such panel.
uint16_t LinkDrvBaseOf(uint16_t panelType);

// A text read from the panel ends at its first character below '!'.
std::string PanelText(const std::vector<uint8_t>& bytes);

} // namespace orv

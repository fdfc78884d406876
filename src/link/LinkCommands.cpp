// Builds the panel's commands and decodes its answers; every answer is
// checked for length before a character of it is read.
#include "link/LinkCommands.h"
#include "model/project/PanelTable.h"
#include "model/project/PanelType.h"

#include "model/core/CheckedFormat.h"

namespace orv {

namespace {

// The line commands of the title and of the file-name line, and their width:
// a panel of two rows shows them on its two lines, a taller one on its second
// and third.
struct LinkDisplayLines {
    const char* titleLine;
    const char* fileLine;
    size_t width;
};

std::optional<LinkDisplayLines> LinkDisplayLinesOf(uint16_t panelType)
{
    const PanelRow* row = FindPanel(panelType);
    if (!row)
        return std::nullopt;
    if (row->rows > 2)
        return LinkDisplayLines{"D2", "D3", row->columns};
    return LinkDisplayLines{"D1", "D2", row->columns};
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

} // namespace

std::string ReadMemoryCommand(uint16_t address, uint8_t count)
{
    return FormatText("R%02X%02X%02X", address >> 8, address & 0xFF, count);
}

std::string BankCommand(uint16_t bank) { return FormatText("B%02X", bank); }

std::string WriteCommandHead(uint16_t address) { return FormatText("W%02X%02X", address >> 8, address & 0xFF); }

void AppendHexByte(std::string& command, uint8_t byte) { command += FormatText("%02X", byte); }

std::string AckCommand(uint8_t code) { return FormatText("A%02X", code); }

std::string StatusWriteCommand(const std::array<uint8_t, 16>& block)
{
    std::string command = FormatText("SW%04d", 0);
    for (uint8_t byte : block)
        AppendHexByte(command, byte);
    return command;
}

std::string ClearLineCommand(int line) { return FormatText("D%-40d ", line); }

std::vector<int> ExtraClearLines(uint16_t panelType)
{
    const PanelRow* row = FindPanel(panelType);
    std::vector<int> lines;
    if (row && row->fieldbus)
        for (int line = 1; line <= row->rows; ++line)
            lines.push_back(line);
    return lines;
}

uint16_t BankEnd(uint16_t panelType)
{
    return (PanelType(panelType, false).InFamily(Family::F043) || PanelType(panelType, false).InFamily(Family::F118)) ? 0x7FFF : 0xFFFF;
}

std::string Panel706IdOf(uint16_t panelType)
{
    return PanelType(panelType, false).InFamily(Family::F706) ? FormatText("OG%03u", unsigned{panelType}) : std::string();
}

bool SwitchesBanksPowerless(uint16_t panelType) { return PanelType(panelType, false).InFamily(Family::F118); }

std::string CentredLine(std::string_view text, size_t width)
{
    std::string line(width, ' ');
    const size_t from = text.size() >= width ? 0 : (width - text.size()) / 2;
    const std::string_view shown = text.substr(0, width - from);
    line.replace(from, shown.size(), shown);
    return line;
}

std::string TitleLineCommand(uint16_t panelType, std::string_view text)
{
    const std::optional<LinkDisplayLines> lines = LinkDisplayLinesOf(panelType);
    return lines ? std::string(lines->titleLine) + CentredLine(text, lines->width) : std::string("D1");
}

std::string FileLineCommand(uint16_t panelType, std::string_view text)
{
    const std::optional<LinkDisplayLines> lines = LinkDisplayLinesOf(panelType);
    return lines ? std::string(lines->fileLine) + CentredLine(text, lines->width) : std::string("D2");
}

uint8_t HexPairToByte(char high, char low)
{
    return static_cast<uint8_t>(HexDigit(high) << 4 | HexDigit(low));
}

std::optional<std::vector<uint8_t>> DecodeHexBytes(std::string_view answer, size_t count)
{
    if (answer.size() < 2 * count)
        return std::nullopt;
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = HexPairToByte(answer[2 * i], answer[2 * i + 1]);
    return bytes;
}

uint32_t BigEndianValue(const std::vector<uint8_t>& bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes.size() && i < 4; ++i)
        value = value << 8 | bytes[i];
    return value;
}

bool AnyDigitLower(std::string_view panelDigits, std::string_view fileDigits)
{
    for (size_t i = 0; i < 3; ++i) {
        const char panel = i < panelDigits.size() ? panelDigits[i] : '\0';
        const char file = i < fileDigits.size() ? fileDigits[i] : '\0';
        if (panel < file)
            return true;
    }
    return false;
}

std::optional<std::string> MemorySetupCommand(std::string_view xAnswer, std::string_view readAnswer)
{
    if (xAnswer.size() < kMinMemoryAnswer || xAnswer.size() > kMaxMemoryAnswer || readAnswer.size() < 8)
        return std::nullopt;
    std::string block(xAnswer);
    block.replace(32, 4, readAnswer.substr(4, 4));
    block.replace(36, 4, "0700");
    block.replace(40, 4, readAnswer.substr(0, 4));
    return "M" + block;
}

std::string PanelText(const std::vector<uint8_t>& bytes)
{
    std::string text;
    for (uint8_t byte : bytes) {
        if (byte < '!')
            break;
        text += static_cast<char>(byte);
    }
    return text;
}

std::optional<std::string> MemorySetupCommand043(std::string_view xAnswer, std::string_view readAnswer)
{
    if (xAnswer.size() < kMinMemoryAnswer043)
        return std::nullopt;
    std::string command = "M" + std::string(xAnswer);
    command[5] = 'F';
    command.resize(25);
    command += readAnswer.substr(0, 2u * kSetupRead043Bytes);
    return command;
}

const char* FirmwareIdOf043(uint16_t panelType)
{
    const PanelRow* row = FindPanel(panelType);
    return row ? row->linkId : nullptr;
}

uint16_t LinkDrvBaseOf(uint16_t panelType)
{
    constexpr uint32_t kFallback = 0x5B000;
    const PanelRow* row = FindPanel(panelType);
    const uint32_t base = row && row->drvBase ? row->drvBase : kFallback;
    return static_cast<uint16_t>(base & 0xFFFF);
}

} // namespace orv

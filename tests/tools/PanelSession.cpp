#include "PanelSession.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

std::string Hex2(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X", value & 0xFF);
    return text;
}

uint8_t HexPair(const std::string& text, size_t at) {
    return static_cast<uint8_t>(std::stoul(text.substr(at, 2), nullptr, 16));
}

}  // namespace

std::string PanelSession::Connect() {
    EXPECT_EQ(m_link.Start(0, 1), 0);
    return Exchange("V");
}

void PanelSession::End() { EXPECT_EQ(m_link.End(), 0); }

std::string PanelSession::Exchange(const std::string& command) {
    char buffer[126] = {};
    char answer[126] = {};
    EXPECT_LT(command.size(), sizeof buffer - 1);
    std::strncpy(buffer, command.c_str(), sizeof buffer - 2);
    const uint16_t result = m_link.Rec(buffer, answer);
    EXPECT_EQ(result, 0) << command;
    EXPECT_NE(answer[0], '\0') << command;
    EXPECT_NE(answer[0], '?') << command << " -> " << answer;
    return answer;
}

std::string PanelSession::Read(uint16_t address, uint8_t count) {
    const std::string answer = Exchange("R" + Hex2(address >> 8) + Hex2(address) + Hex2(count));
    EXPECT_EQ(answer.size(), 2u * count);
    return answer;
}

std::vector<uint8_t> PanelSession::ReadBytes(uint16_t address, uint8_t count) {
    const std::string answer = Read(address, count);
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < answer.size(); i += 2) bytes.push_back(HexPair(answer, i));
    return bytes;
}

uint16_t PanelSession::ReadWord(uint16_t address) {
    const auto bytes = ReadBytes(address, 2);
    return bytes.size() == 2 ? static_cast<uint16_t>(bytes[0] << 8 | bytes[1]) : 0;
}

std::string PanelSession::ReadText(uint16_t address, uint8_t count) {
    std::string text;
    for (uint8_t b : ReadBytes(address, count)) {
        if (b < '!') break;
        text.push_back(static_cast<char>(b));
    }
    return text;
}

void PanelSession::SelectBank(uint8_t bank) {
    Exchange("B" + Hex2(bank));
    m_bank = bank;
}

void PanelSession::ShowLine(const std::string& prefix, size_t width, const std::string& text) {
    std::string line(width, ' ');
    const size_t column = text.size() >= width ? 0 : (width - text.size()) / 2;
    line.replace(column, std::min(text.size(), width - column), text.substr(0, width - column));
    Exchange(prefix + line);
}

void PanelSession::ShowTitle(const std::string& text) {
    switch (m_type) {
    case 14: case 118: ShowLine("D2", 20, text); break;
    case 36: case 43: case 163: case 473: case 706: ShowLine("D1", 40, text); break;
    default: ShowLine("D2", 40, text); break;
    }
}

void PanelSession::ShowFileName(const std::string& prefix, const std::string& name) {
    const std::string text = prefix + " " + name;
    switch (m_type) {
    case 14: case 118: ShowLine("D3", 20, text); break;
    case 36: case 43: case 163: case 473: case 706: ShowLine("D2", 40, text); break;
    default: ShowLine("D3", 40, text); break;
    }
}

void PanelSession::ClearDisplay() {
    Exchange("D1 ");
    const int lines = m_type == 473 ? 2 : m_type == 477 ? 4 : 0;
    for (int n = 1; n <= lines; ++n) {
        char command[48];
        std::snprintf(command, sizeof command, "D%-40d ", n);
        Exchange(command);
    }
}

void PanelSession::SendShortMemoryBlock() {
    const std::string word = Read(0xFFFE, 2);
    std::string command = "M" + Exchange("X");
    command[5] = 'F';
    command.resize(25);
    Exchange(command + word);
}

std::string PanelSession::SendPatchedMemoryBlock() {
    SelectBank(2);
    const std::string kept = Read(0x0174, 4);
    std::string x = Exchange("X");
    EXPECT_GE(x.size(), 44u);
    x.replace(32, 4, kept.substr(4, 4));
    x.replace(36, 4, "0700");
    x.replace(40, 4, kept.substr(0, 4));
    Exchange("M" + x);
    return "M" + x;
}

void PanelSession::SendFile(const std::vector<uint8_t>& file, uint16_t start) {
    uint16_t address = start;
    size_t from = Family043() ? 2 : 0;
    auto begin = [&] { return "W" + Hex2(address >> 8) + Hex2(address); };
    std::string command = begin();
    for (size_t i = from; i < file.size(); ++i) {
        command += Hex2(file[i]);
        const bool bankEnd = address == BankEnd();
        ++address;
        if (command.size() <= 50 && !bankEnd) continue;
        Exchange(command);
        if (bankEnd) {
            if (Family118()) Exchange("POF");
            SelectBank(static_cast<uint8_t>(m_bank + 1));
            if (Family118()) {
                Exchange("PON");
                address = 0;
            }
        }
        command = begin();
    }
    if (command.size() > 5) Exchange(command);
}

std::vector<uint8_t> PanelSession::ReadToFile(uint8_t bank, uint16_t start, uint32_t count) {
    if (!Family043()) SelectBank(bank);
    std::vector<uint8_t> bytes;
    while (bytes.size() < count) {
        uint32_t block = std::min<uint32_t>(32, count - static_cast<uint32_t>(bytes.size()));
        bool bankChange = false;
        if (start + block > static_cast<uint32_t>(BankEnd()) + 1) {
            block = BankEnd() - start + 1u;
            bankChange = true;
        }
        const auto part = ReadBytes(start, static_cast<uint8_t>(block));
        bytes.insert(bytes.end(), part.begin(), part.end());
        start = static_cast<uint16_t>(start + block);
        if (bankChange) {
            SelectBank(static_cast<uint8_t>(m_bank + 1));
            start = 0;
        }
    }
    return bytes;
}

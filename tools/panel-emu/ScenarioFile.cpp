// Loads an emulator scenario from its INI file; a bad value is refused with its
// reason rather than defaulted.
#include "PanelScenario.h"

#include "HexText.h"

#include "platform/FileReplace.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>

namespace panelemu {

namespace {

constexpr const char* kSection = "Panel";

std::string Get(const std::string& file, const std::string& key) {
    return orv::IniGetString(file, kSection, key, "");
}

// Reads a hex key when present; false when present but not a number that fits.
bool GetHex(const std::string& file, const char* key, uint32_t max, uint32_t& value, std::string& error) {
    const std::string text = Get(file, key);
    if (text.empty()) return true;
    uint32_t parsed = 0;
    if (!ParseHexNumber(text, parsed) || parsed > max) {
        error = std::string(key) + " is not a hex number up to " + ToHex(max, max > 0xFF ? 4 : 2) + ": " + text;
        return false;
    }
    value = parsed;
    return true;
}

template <typename T>
bool GetHexInto(const std::string& file, const char* key, T& target, std::string& error) {
    uint32_t value = target;
    if (!GetHex(file, key, static_cast<T>(~T{}), value, error)) return false;
    target = static_cast<T>(value);
    return true;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A stream would throw on a directory, which opens but cannot be read.
bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::string text;
    if (!orv::ReadWholeFile(path, text)) return false;
    bytes.assign(text.begin(), text.end());
    return true;
}

bool ParsePreload(const std::string& text, const std::string& baseDir, PanelScenario::Preload& preload,
                  std::string& error) {
    const size_t first = text.find(',');
    const size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    uint32_t bank = 0;
    uint32_t address = 0;
    if (second == std::string::npos || !ParseHexNumber(text.substr(0, first), bank) || bank > 0xFF ||
        !ParseHexNumber(text.substr(first + 1, second - first - 1), address) || address > 0xFFFF ||
        second + 1 == text.size()) {
        error = "preload needs <bank>,<address>,<file> in hex: " + text;
        return false;
    }
    std::string file = text.substr(second + 1);
    if (file.front() != '/') file = baseDir + file;
    preload.bank = static_cast<uint8_t>(bank);
    preload.address = static_cast<uint16_t>(address);
    if (!ReadFile(file, preload.bytes)) {
        error = "cannot read preload file " + file;
        return false;
    }
    const size_t room = (0x100 - bank) * size_t{0x10000} - address;
    if (preload.bytes.size() > room) {
        error = "preload runs past the last bank: " + text;
        return false;
    }
    return true;
}

bool LoadRates(const std::string& file, PanelScenario& scenario, std::string& error) {
    const std::string text = Get(file, "Rates");
    if (text.empty()) return true;
    scenario.runs115200 = scenario.runs38400 = false;
    size_t begin = 0;
    while (begin <= text.size()) {
        size_t end = text.find(',', begin);
        if (end == std::string::npos) end = text.size();
        const std::string rate = text.substr(begin, end - begin);
        if (rate == "115200") scenario.runs115200 = true;
        else if (rate == "38400") scenario.runs38400 = true;
        else if (!rate.empty()) {
            error = "Rates lists 115200 and 38400 only: " + text;
            return false;
        }
        begin = end + 1;
    }
    return true;
}

bool LoadModel(const std::string& file, PanelScenario& scenario, std::string& error) {
    const std::string model = Get(file, "Model");
    if (!model.empty()) {
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(model.data(), model.data() + model.size(), value);
        if (ec != std::errc() || end != model.data() + model.size() || value > 0xFFFF ||
            !KnownModel(static_cast<uint16_t>(value))) {
            error = "unknown Model: " + model;
            return false;
        }
        scenario.model = static_cast<uint16_t>(value);
    }
    const std::string variant = Get(file, "Variant");
    if (variant.size() > 1) {
        error = "Variant is one character: " + variant;
        return false;
    }
    if (!variant.empty()) scenario.variant = variant[0];
    scenario.identification = Get(file, "Identification");
    return GetHexInto(file, "Fieldbus", scenario.fieldbus, error);
}

bool LoadNumbered(const std::string& file, const char* key, const std::function<bool(const std::string&)>& take) {
    for (int n = 1;; ++n) {
        const std::string text = Get(file, key + std::to_string(n));
        if (text.empty()) return true;
        if (!take(text)) return false;
    }
}

}  // namespace

bool LoadScenario(const std::string& iniFile, PanelScenario& scenario, std::string& error) {
    std::ifstream probe(iniFile);
    if (!probe) {
        error = "cannot read scenario " + iniFile;
        return false;
    }
    if (!LoadModel(iniFile, scenario, error) || !LoadRates(iniFile, scenario, error)) return false;

    const std::string status = Get(iniFile, "Status");
    std::vector<uint8_t> statusBytes;
    if (!status.empty()) {
        if (!ParseHex(status, statusBytes) || statusBytes.size() != scenario.status.size()) {
            error = "Status is 32 hex digits: " + status;
            return false;
        }
        std::copy(statusBytes.begin(), statusBytes.end(), scenario.status.begin());
    }
    if (const std::string x = Get(iniFile, "XAnswer"); !x.empty()) scenario.xAnswer = x;
    if (!GetHexInto(iniFile, "TerminalModule", scenario.terminalModule, error) ||
        !GetHexInto(iniFile, "WordFFFE", scenario.presetWord, error) ||
        !GetHexInto(iniFile, "ModuleCode", scenario.moduleCode, error) ||
        !GetHexInto(iniFile, "DataSetFlags", scenario.dataSetFlags, error))
        return false;

    const std::string baseDir = DirectoryOf(iniFile);
    const bool preloadsOk = LoadNumbered(iniFile, "Preload", [&](const std::string& text) {
        PanelScenario::Preload preload;
        if (!ParsePreload(text, baseDir, preload, error)) return false;
        scenario.preloads.push_back(std::move(preload));
        return true;
    });
    if (!preloadsOk) return false;
    return LoadNumbered(iniFile, "Fault", [&](const std::string& text) {
        FaultRule rule;
        if (!ParseFaultRule(text, rule, error)) return false;
        scenario.faults.push_back(std::move(rule));
        return true;
    });
}

}  // namespace panelemu

#pragma once
// TEMPORARY stand-in until the platform layer is merged; not committed.
#include <string>
#include <string_view>
namespace orv {
enum class CodePage { Cp437, Cp1252 };
std::string FromUtf8(std::string_view utf8, CodePage cp, bool* lossy = nullptr);
}

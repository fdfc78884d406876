// INI files read and written under the rules the stored files were made with,
// for the program's and the tool's settings.
#pragma once

#include <string>
#include <string_view>

namespace orv {

// INI files read and written with the private-profile rules the stored files
// were made under: section and key names match without regard to ASCII case,
// blanks around names and values are trimmed, a value in matching quotes loses
// them, and the first section and the first key of a name win. The file is read
// afresh on every call.

// Blanks, an optional sign and leading decimal digits; no digits gives 0. A
// missing file, section or key, or an empty value, gives def.
int IniGetInt(const std::string& file, std::string_view section, std::string_view key, int def);

// A missing file, section or key gives def; a key with an empty value gives "".
std::string IniGetString(const std::string& file, std::string_view section, std::string_view key,
                         std::string_view def);

// Replaces the first key's value, or appends the key to its section, or
// appends the section, or creates the file; every other byte stays as it was.
// New lines end in CR LF. The file is replaced as a whole. Refuses (false) a
// line break in any argument and '=' in the key, which would change the
// file's structure.
bool IniWriteString(const std::string& file, std::string_view section, std::string_view key,
                    std::string_view value);

}  // namespace orv

// The main menu as plain data read from the menu resource, so the GUI only
// draws it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// One entry of a menu: a command, a popup with entries of its own, or a
// separator. Texts are UTF-8; '&' marks the hot key and a tab comes before the
// accelerator that the entry shows.
struct MenuEntry {
    enum class Kind { Command, Popup, Separator };
    Kind kind = Kind::Command;
    uint32_t id = 0;
    std::string text;
    std::vector<std::string> keys;   // accelerators registered for the command
    std::vector<MenuEntry> children;
};

// An accelerator whose command has no menu entry.
struct MenuAccel {
    uint32_t id = 0;
    std::vector<std::string> keys;
};

// The main menu as data: the bar's popups in order, and the accelerators
// without an entry. Read from the menu resource text.
class CMenuModel {
public:
    // Parses the resource text. On failure the model is empty and Error()
    // names the line.
    bool Parse(std::string_view text);
    const std::string& Error() const { return m_error; }

    std::vector<MenuEntry>& Bar() { return m_bar; }
    const std::vector<MenuEntry>& Bar() const { return m_bar; }
    const std::vector<MenuAccel>& ExtraAccels() const { return m_extraAccels; }

    // The command entry with that id anywhere below `popup`, or null.
    static MenuEntry* FindIn(MenuEntry& popup, uint32_t id);
    // The command entry with that id anywhere in the bar, or null.
    MenuEntry* FindCommand(uint32_t id);
    const MenuEntry* FindCommand(uint32_t id) const;

private:
    std::vector<MenuEntry> m_bar;
    std::vector<MenuAccel> m_extraAccels;
    std::string m_error;
};

// The built-in main menu (resource 128) in its German texts.
CMenuModel LoadMainMenu();

} // namespace orv

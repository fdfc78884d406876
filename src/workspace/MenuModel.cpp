// Reads the menu resource's lines into the menu model, field by field.
#include "workspace/MenuModel.h"

#include <cctype>
#include <charconv>

namespace orv {

extern const std::string_view kMainMenuResource;

namespace {

// Reads the fields of one resource line: words, numbers and quoted texts.
class LineReader {
public:
    explicit LineReader(std::string_view line) : m_line(line) {}

    bool AtEnd()
    {
        SkipBlanks();
        return m_pos >= m_line.size() || m_line[m_pos] == '#';
    }

    std::string_view Word()
    {
        SkipBlanks();
        const size_t start = m_pos;
        while (m_pos < m_line.size() && !std::isspace(static_cast<unsigned char>(m_line[m_pos])))
            ++m_pos;
        return m_line.substr(start, m_pos - start);
    }

    bool Number(uint32_t& value)
    {
        const std::string_view w = Word();
        const auto res = std::from_chars(w.data(), w.data() + w.size(), value);
        return !w.empty() && res.ec == std::errc() && res.ptr == w.data() + w.size();
    }

    bool Quoted(std::string& out)
    {
        SkipBlanks();
        if (m_pos >= m_line.size() || m_line[m_pos] != '"')
            return false;
        ++m_pos;
        out.clear();
        while (m_pos < m_line.size()) {
            const char c = m_line[m_pos++];
            if (c == '"')
                return true;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (m_pos >= m_line.size())
                return false;
            const char e = m_line[m_pos++];
            if (e == 't')
                out.push_back('\t');
            else if (e == '"' || e == '\\')
                out.push_back(e);
            else
                return false;
        }
        return false;
    }

    // Comma-separated key names; none when the line ends.
    bool Keys(std::vector<std::string>& keys)
    {
        if (AtEnd())
            return true;
        const std::string_view w = Word();
        size_t start = 0;
        while (start <= w.size()) {
            const size_t comma = std::min(w.find(',', start), w.size());
            if (comma == start)
                return false;
            keys.emplace_back(w.substr(start, comma - start));
            start = comma + 1;
        }
        return AtEnd();
    }

private:
    void SkipBlanks()
    {
        while (m_pos < m_line.size() && std::isspace(static_cast<unsigned char>(m_line[m_pos])))
            ++m_pos;
    }

    std::string_view m_line;
    size_t m_pos = 0;
};

} // namespace

bool CMenuModel::Parse(std::string_view text)
{
    m_bar.clear();
    m_extraAccels.clear();
    m_error.clear();

    std::vector<MenuEntry> bar;
    std::vector<MenuAccel> accels;
    std::vector<MenuEntry> open;   // popups being filled, innermost last
    int lineNo = 0;
    auto fail = [&](const char* what) {
        m_error = "line " + std::to_string(lineNo) + ": " + what;
        return false;
    };
    auto append = [&](MenuEntry entry) {
        open.back().children.push_back(std::move(entry));
    };

    size_t start = 0;
    while (start < text.size()) {
        const size_t nl = std::min(text.find('\n', start), text.size());
        LineReader in(text.substr(start, nl - start));
        start = nl + 1;
        ++lineNo;
        if (in.AtEnd())
            continue;

        const std::string_view keyword = in.Word();
        if (keyword == "popup") {
            MenuEntry popup;
            popup.kind = MenuEntry::Kind::Popup;
            if (!in.Quoted(popup.text) || !in.AtEnd())
                return fail("popup needs one quoted text");
            open.push_back(std::move(popup));
        } else if (keyword == "end") {
            if (open.empty() || !in.AtEnd())
                return fail("end without popup");
            MenuEntry done = std::move(open.back());
            open.pop_back();
            if (open.empty())
                bar.push_back(std::move(done));
            else
                append(std::move(done));
        } else if (keyword == "item") {
            MenuEntry item;
            if (open.empty())
                return fail("item outside a popup");
            if (!in.Number(item.id) || item.id == 0 || !in.Quoted(item.text) || !in.Keys(item.keys))
                return fail("item needs an id, a quoted text and optional keys");
            append(std::move(item));
        } else if (keyword == "separator") {
            if (open.empty() || !in.AtEnd())
                return fail("separator outside a popup");
            MenuEntry sep;
            sep.kind = MenuEntry::Kind::Separator;
            append(std::move(sep));
        } else if (keyword == "accel") {
            MenuAccel accel;
            if (!open.empty())
                return fail("accel inside a popup");
            if (!in.Number(accel.id) || accel.id == 0 || in.AtEnd() || !in.Keys(accel.keys))
                return fail("accel needs an id and keys");
            accels.push_back(std::move(accel));
        } else {
            return fail("unknown keyword");
        }
    }
    if (!open.empty()) {
        ++lineNo;
        return fail("popup not ended");
    }
    m_bar = std::move(bar);
    m_extraAccels = std::move(accels);
    return true;
}

MenuEntry* CMenuModel::FindIn(MenuEntry& popup, uint32_t id)
{
    for (MenuEntry& e : popup.children) {
        if (e.kind == MenuEntry::Kind::Command && e.id == id)
            return &e;
        if (e.kind == MenuEntry::Kind::Popup)
            if (MenuEntry* found = FindIn(e, id))
                return found;
    }
    return nullptr;
}

MenuEntry* CMenuModel::FindCommand(uint32_t id)
{
    for (MenuEntry& popup : m_bar)
        if (MenuEntry* found = FindIn(popup, id))
            return found;
    return nullptr;
}

const MenuEntry* CMenuModel::FindCommand(uint32_t id) const
{
    return const_cast<CMenuModel*>(this)->FindCommand(id);
}

CMenuModel LoadMainMenu()
{
    CMenuModel menu;
    menu.Parse(kMainMenuResource);
    return menu;
}

} // namespace orv

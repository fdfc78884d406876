// The record choice without its window: which of up to six panel records
// are offered, with what texts, and what the user picked.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// Filled by a transfer or read-back, opened by the chooser's window, read
// back by the caller. Records count from 1.
class CRecordSelForm {
public:
    static constexpr int kMaxRecords = 6;
    // Mode 1 writes to the panel, mode 0 reads from it.
    static constexpr uint8_t kTransfer = 1;
    static constexpr uint8_t kReadBack = 0;

    // One radio button with the label beside it.
    struct Item {
        bool visible = false;
        std::string text;
        std::string label;
    };

    // The mode and the record lines (at most six are taken); no entries give
    // lines of 14 blanks. Clears the recipe option.
    void SetRecords(uint8_t mode, const std::vector<std::string>* entries);
    // How many records are offered, 1..6.
    void SetMode(uint32_t count);

    // What the window shows when it opens: record 1 selected, the offered
    // items with their texts and labels, the recipe box by mode and the
    // project's panel type.
    void Open();
    // A click on the radio button of the record; false for one not offered.
    bool Choose(int record);
    // A click on the recipe box.
    void SetRecipeOption(bool ticked) { m_recipeOption = ticked ? 1 : 0; }

    int GetSelected() const { return m_selected; }
    uint8_t GetRecipeOption() const { return m_recipeOption; }
    uint8_t GetMode() const { return m_mode; }
    uint32_t GetCount() const { return m_count; }
    const Item& GetItem(int index) const { return m_items[static_cast<size_t>(index)]; }
    bool IsRecipeBoxVisible() const { return m_boxVisible; }

private:
    uint8_t m_mode = kTransfer;
    uint8_t m_recipeOption = 0;
    uint32_t m_count = 1;
    int m_selected = 1;
    bool m_boxVisible = false;
    std::array<std::string, kMaxRecords> m_lines;
    std::array<Item, kMaxRecords> m_items;
};

} // namespace orv

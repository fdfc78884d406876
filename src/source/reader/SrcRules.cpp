// Source rules answered from the panel table, with the refusal messages that
// name the panel refusing a statement.
#include "source/reader/SrcRules.h"

#include "model/project/DrvCfg.h"

#include <span>

namespace orv {

int SoftkeyKeyCount(const PanelType& panel)
{
    const PanelRow* row = panel.Row();
    return row ? row->functionKeys : 0;
}

uint16_t MaxSoftkeyNum(const PanelType& panel)
{
    return panel.InFamily(Family::F706) ? 255 : 127;
}

uint16_t MaxNodeTextNum(const PanelType& panel)
{
    return panel.InFamily(Family::F706) ? 255 : 127;
}

namespace {

struct Refusal {
    uint16_t panel;
    uint16_t xerror;
};

// Each panel that refuses a statement names itself in the message.
uint16_t RefusalOf(const PanelType& panel, std::span<const Refusal> refusals)
{
    for (const Refusal& r : refusals)
        if (panel.Is(r.panel))
            return r.xerror;
    return 0;
}

}  // namespace

uint16_t DModeRefusal(const PanelType& panel)
{
    static constexpr Refusal kRefusals[] = {{14, 580}, {36, 581}, {43, 582}, {47, 583}, {473, 585}, {477, 585}};
    return RefusalOf(panel, kRefusals);
}

uint16_t PrModeRefusal(const PanelType& panel)
{
    static constexpr Refusal kRefusals[] = {{14, 588}, {36, 589}, {43, 590}};
    return RefusalOf(panel, kRefusals);
}

bool PrModeHasLineFields(const PanelType& panel)
{
    const PanelRow* row = panel.Row();
    return row && row->printer && row->family != Family::F706;
}

bool TakesPrinterChars(const PanelType& panel)
{
    return PrModeHasLineFields(panel);
}

int CharDefRows(const PanelType& panel)
{
    const PanelRow* row = panel.Row();
    return row ? row->charRows : 8;
}

std::string ComListKeyword(uint16_t drvNo)
{
    return std::string("COM_LIST-") + CDrvCfg::DrvIniKey(drvNo);
}

uint16_t IndexedRefIndexOfWord(uint16_t word)
{
    return word < 30 ? word : static_cast<uint16_t>((word - 30) / 2 + 30);
}

uint16_t IndexedRefWordOfIndex(uint16_t index)
{
    return index < 30 ? index : static_cast<uint16_t>((index - 30) * 2 + 30);
}

uint32_t IndexedRefWordCount(uint32_t entries)
{
    return entries <= 30 ? entries : 30 + 2 * (entries - 30);
}

bool IsIndexedRefAttr(uint16_t value)
{
    return value < 100 || value == 255;
}

std::string_view RefClassKeyword(uint16_t cls)
{
    switch (cls) {
    case kRefDb:
        return "DB";
    case kRefFw:
        return "FW";
    case kRefIw:
        return "IW";
    case kRefQw:
        return "QW";
    case kRefTw:
        return "TW";
    default:
        return "";
    }
}

} // namespace orv

#include "source/SrcRules.h"

#include "model/DrvCfg.h"

int SoftkeyKeyCount(const PanelType& panel)
{
    if (panel.Is(14) || panel.Is(36) || panel.Is(43) || panel.Is(118) || panel.Is(163))
        return 8;
    if (panel.Is(47) || panel.Is(755) || panel.Is(167) || panel.Is(473) || panel.Is(477))
        return 16;
    if (panel.Is(706))
        return 20;
    return 0;
}

uint16_t MaxSoftkeyNum(const PanelType& panel)
{
    return panel.In706Family() ? 255 : 127;
}

uint16_t MaxNodeTextNum(const PanelType& panel)
{
    return panel.In706Family() ? 255 : 127;
}

uint16_t DModeRefusal(const PanelType& panel)
{
    if (panel.Is(14))
        return 580;
    if (panel.Is(36))
        return 581;
    if (panel.Is(43))
        return 582;
    if (panel.Is(47))
        return 583;
    if (panel.Is(473) || panel.Is(477))
        return 585;
    return 0;
}

uint16_t PrModeRefusal(const PanelType& panel)
{
    if (panel.Is(14))
        return 588;
    if (panel.Is(36))
        return 589;
    if (panel.Is(43))
        return 590;
    return 0;
}

bool PrModeHasLineFields(const PanelType& panel)
{
    return panel.Is(47) || panel.In118Family();
}

bool TakesPrinterChars(const PanelType& panel)
{
    return panel.Is(47) || panel.In118Family();
}

int CharDefRows(const PanelType& panel)
{
    return panel.Is(706) ? 7 : 8;
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

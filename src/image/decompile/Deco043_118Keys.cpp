// Decodes the 043 and 118 family softkeys and menus; a chain that comes back to a
// node is stopped.
#include "image/decompile/Deco043_118.h"
#include "image/codec/ImgLayout.h"

#include "model/core/CatalogueIds.h"
#include "model/core/Catalogues.h"
#include "model/core/CheckedFormat.h"
#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace orv {

namespace {

constexpr size_t kActNameMax = 40;
constexpr uint32_t kOpSize = imglayout::SkOpRecord::Size(false);
constexpr uint32_t kMenuNameWidth = imglayout::kMnuNameSize;

} // namespace

StepResult CDeco043_118::DecodeSkActs()
{
    uint16_t table = 0;
    uint16_t count = 0;
    if (ReadWord(imglayout::kHdrSkActs, table) != 1)
        return -1;
    if (table == 0)
        return 1;
    if (ReadWord(table, count) != 1)
        return -1;
    CPrjSkActList* list = m_prj->GetSkActList();
    for (uint32_t i = 0; i < count; ++i) {
        uint16_t at = 0;
        if (ReadWord(table + 2 + 2 * i, at) != 1)
            return -1;
        if (at == 0)
            continue;
        uint16_t ops = 0;
        std::string name;
        if (ReadWord(at, ops) != 1 || ReadString(at + kOpSize * ops + 2, kActNameMax, true, name) != 1)
            return -1;
        auto act = std::make_unique<CPrjSkAct>(static_cast<int32_t>(i), name.empty() ? nullptr : name.c_str());
        for (int k = 0; k < std::min<int>(ops, CPrjSkAct::kOps); ++k) {
            BeReader image = Image();
            const auto op = imglayout::SkOpRecord::Decode(image, at + 2 + kOpSize * static_cast<uint32_t>(k), false);
            if (!image.Ok()) {
                SetError(kErrRead);
                return -1;
            }
            act->SetOperation(k, op.op, static_cast<uint16_t>(op.adr), op.value, op.format);
        }
        if (list != nullptr)
            list->DelAct(list->FindByNum(static_cast<int32_t>(i)));
        const int index = m_prj->InsSkAct(act.get());
        if (Taken(list, index, act) != 1)
            return -1;
        Count(DecoKind::SkActs);
    }
    return 1;
}

StepResult CDeco043_118::DecodeSkTexts()
{
    uint16_t h = 0;
    if (ReadWord(imglayout::kHdrSkTxts, h) != 1)
        return -1;
    if (h == 0)
        return 1;
    uint16_t tmpl = 0;
    uint16_t lowest = 0;
    uint16_t highest = 0;
    uint16_t places = 0;
    if (ReadWord(h + 4u, tmpl) != 1 || ReadWord(h + 6u, lowest) != 1 || ReadWord(h + 8u, highest) != 1 ||
        ReadWord(h + 10u, places) != 1)
        return -1;
    CPrjSkActList* acts = m_prj->GetSkActList();
    // 118 family keeps the key count in a byte and key j's word at e + 2j;
    // 043 family in a word, with key j's word at e + 2 + 2j.
    const uint32_t firstKey = Is118Family() ? 0 : 2;
    auto readKeys = [&](CPrjSkTxt& text, uint32_t e) {
        uint16_t keys = 0;
        uint8_t keyByte = 0;
        if (Is118Family() ? ReadByte(e + 1, keyByte) != 1 : ReadWord(e + 2, keys) != 1)
            return -1;
        if (Is118Family())
            keys = keyByte;
        for (int key = 1; key <= std::min<int>(keys, CPrjSkTxt::kKeys); ++key) {
            uint16_t pair = 0;
            if (ReadWord(e + firstKey + 2 * static_cast<uint32_t>(key), pair) != 1)
                return -1;
            if (pair != 0 && ReadKeyPair(*acts, text, key, pair) != 1)
                return -1;
        }
        return 1;
    };
    auto insert = [&](std::unique_ptr<CPrjSkTxt> text, uint32_t e) {
        return readKeys(*text, e) == 1 ? InsertSkTxt(std::move(text)) : StepResult{-1};
    };
    if (acts == nullptr)
        return -1;
    if (tmpl != 0 && insert(std::make_unique<CPrjSkTxtRange>(lowest, highest), tmpl) != 1)
        return -1;
    for (uint32_t i = 0; i < places; ++i) {
        uint16_t e = 0;
        if (ReadWord(h + 12 + 2 * i, e) != 1)
            return -1;
        if (e != 0 && insert(std::make_unique<CPrjSkTxt>(static_cast<int32_t>(i)), e) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco043_118::DecodeMenus()
{
    uint16_t names = 0;
    if (ReadWord(imglayout::kHdrMnuNames, names) != 1)
        return -1;
    uint32_t named = 0;
    auto decode = [&](int m, uint16_t first) {
        return first == 0 ? StepResult{1} : DecodeMenu(m, first, names, named);
    };
    if (Is118Family()) {
        uint16_t table = 0;
        uint16_t places = 0;
        if (ReadWord(imglayout::kBMnuTable, table) != 1)
            return -1;
        if (table == 0)
            return 1;
        if (ReadWord(table + imglayout::kBListCount, places) != 1)
            return -1;
        for (int m = 0; m < places; ++m) {
            uint16_t first = 0;
            if (ReadWord(imglayout::BListEntry(table, m), first) != 1 || decode(m, first) != 1)
                return -1;
        }
        return 1;
    }
    for (int m = imglayout::kAMnuNumMin; m <= imglayout::kAMnuNumMax; ++m) {
        uint16_t first = 0;
        if (ReadWord(imglayout::AMnuSlot(m), first) != 1 || decode(m, first) != 1)
            return -1;
    }
    return 1;
}

StepResult CDeco043_118::DecodeMenu(int m, uint16_t first, uint16_t names, uint32_t& named)
{
    CPrjMnuList* menus = m_prj->GetMnuList();
    // A menu number is a byte.
    if (menus == nullptr || m > UINT8_MAX)
        return -1;
    std::string name;
    if (names != 0) {
        char bytes[kMenuNameWidth];
        if (ReadBlock(names + kMenuNameWidth * named++, bytes, kMenuNameWidth) != 1)
            return -1;
        name.assign(bytes, strnlen(bytes, kMenuNameWidth));
    } else {
        name = FormatText("%s_%d", ResourceTXT(res::kMenue_527), m);
    }
    auto owned = std::make_unique<CPrjMnu>(static_cast<uint8_t>(m), name, m_prj->GetMnuOptMask());
    CPrjMnu* menu = owned.get();
    const int index = m_prj->InsMnu(menu);
    if (Taken(menus, index, owned) != 1 || menu->GetSubList() == nullptr)
        return -1;
    Count(DecoKind::Menus);
    std::set<uint16_t> seen;
    for (uint16_t n = first; n != 0;) {
        // A chain that comes back to a node would never end.
        if (!seen.insert(n).second)
            return -1;
        if (n == first && IsNewFormat() && n > 2) {
            uint16_t mask = 0;
            if (ReadWord(n - 2u, mask) != 1)
                return -1;
            menu->SetMnuOpt(mask);
        }
        uint8_t b[6];
        uint16_t next = 0;
        if (ReadBlock(n + 2u, b, sizeof b) != 1 || ReadWord(n, next) != 1)
            return -1;
        auto* text = static_cast<CPrjOpTxt*>(m_prj->GetOpTxtList()->FindByNum(b[5]));
        if (text == nullptr)
            return -1;
        auto node = std::make_unique<CPrjMnuNode>(b[0], b[1], b[2], b[3], b[4], text, n == first ? 1 : 0);
        if (!menu->InsNode(node.get()))
            return -1;
        node.release();
        Count(DecoKind::MenuNodes);
        n = next;
    }
    return 1;
}

} // namespace orv

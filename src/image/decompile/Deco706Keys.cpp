// Decodes the 706 family softkeys and menus; chains are followed with a guard so a
// loop in a damaged image ends.
#include "image/decompile/Deco706.h"
#include "image/codec/BinIo.h"
#include "image/codec/ImgLayout.h"

#include "model/project/Mnu.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TimeVal.h"

#include <algorithm>
#include <array>
#include <set>

namespace orv {

using namespace imglayout;

namespace {

constexpr size_t kDeco706KeysActNameMax = 40;
constexpr uint32_t kActOpSize = SkOpRecord::Size(true);
constexpr uint32_t kNodeNum = 4;        // word
constexpr uint32_t kNodeText = 6;       // word
constexpr uint32_t kTimeValSize = 8;
constexpr uint32_t kSecondsPerDay = 86400;

} // namespace

StepResult CDeco706::DecodeSkActs()
{
    CPrjSkActList* list = m_prj->GetSkActList();
    auto decode = [&](int32_t i, uint32_t at) {
        uint16_t ops = 0;
        std::string name;
        if (ReadWord(at, ops) != 1 || ReadString(at + kActOpSize * ops + 2, kDeco706KeysActNameMax, true, name) != 1)
            return -1;
        auto act = std::make_unique<CPrjSkAct>(i, name.empty() ? nullptr : name.c_str());
        for (int k = 0; k < std::min<int>(ops, CPrjSkAct::kOps); ++k) {
            BeReader image = Image();
            const SkOpRecord op = SkOpRecord::Decode(image, at + 2 + kActOpSize * static_cast<uint32_t>(k), true);
            if (!image.Ok()) {
                SetError(kErrRead);
                return -1;
            }
            // The panel addresses words with the address's low half.
            act->SetOperation(k, op.op, static_cast<uint16_t>(op.adr), op.value, op.format);
        }
        list->DelAct(list->FindByNum(i));
        const int index = m_prj->InsSkAct(act.get());
        if (Taken(list, index, act) != 1)
            return -1;
        Count(DecoKind::SkActs);
        return 1;
    };
    return ForEachTableEntry(kCSkActs, list != nullptr, decode);
}

StepResult CDeco706::DecodeSkTexts()
{
    CPrjSkActList* acts = m_prj->GetSkActList();
    auto readKeys = [&](CPrjSkTxt& text, uint32_t e) {
        uint16_t keys = 0;
        if (ReadWord(e + 2, keys) != 1)
            return -1;
        for (int key = 1; key <= std::min<int>(keys, CPrjSkTxt::kKeys); ++key) {
            uint32_t pair = 0;
            if (ReadPointer(e + 4 * static_cast<uint32_t>(key), pair) != 1)
                return -1;
            if (pair != 0 && ReadKeyPair(*acts, text, key, pair) != 1)
                return -1;
        }
        return 1;
    };
    auto decode = [&](int32_t num, uint32_t e, uint16_t lowest, uint16_t highest) {
        std::unique_ptr<CPrjSkTxt> text;
        if (num < 0)
            text = std::make_unique<CPrjSkTxtRange>(lowest, highest);
        else
            text = std::make_unique<CPrjSkTxt>(num);
        return readKeys(*text, e) == 1 ? InsertSkTxt(std::move(text)) : StepResult{-1};
    };
    return ForEachListEntry(kCSkTxts, acts != nullptr, decode);
}

StepResult CDeco706::DecodeMenus()
{
    CPrjMnuList* menus = m_prj->GetMnuList();
    auto decode = [&](int32_t i, uint32_t at) {
        // Menu numbers are bytes.
        if (i > UINT8_MAX)
            return -1;
        std::string name;
        uint32_t maskAt = 0;
        uint16_t mask = 0;
        if (ReadCountedName(at, name, maskAt) != 1 || ReadWord(maskAt, mask) != 1)
            return -1;
        auto owned = std::make_unique<CPrjMnu>(static_cast<uint8_t>(i), name, mask);
        CPrjMnu* menu = owned.get();
        const int index = m_prj->InsMnu(menu);
        if (Taken(menus, index, owned) != 1 || menu->GetSubList() == nullptr)
            return -1;
        Count(DecoKind::Menus);
        const uint32_t first = maskAt + 2;
        std::set<uint32_t> seen;
        for (uint32_t f = first; f != 0;) {
            // A chain that comes back to a node would never end.
            if (!seen.insert(f).second)
                return -1;
            uint32_t next = 0;
            uint16_t num = 0;
            uint16_t textNum = 0;
            std::array<uint8_t, 4> links{};
            if (ReadDWord(f, next) != 1 || ReadWord(f + kNodeNum, num) != 1 || ReadWord(f + kNodeText, textNum) != 1)
                return -1;
            for (uint32_t l = 0; l < links.size(); ++l) {
                uint32_t linkAt = 0;
                uint16_t linkNum = 0;
                if (ReadPointer(f + kCNodeLinks + 4 * l, linkAt) != 1 ||
                    (linkAt != 0 && ReadWord(linkAt + kNodeNum, linkNum) != 1))
                    return -1;
                links[l] = static_cast<uint8_t>(linkNum);
            }
            auto* text = static_cast<CPrjOpTxt*>(m_prj->GetOpTxtList()->FindByNum(textNum));
            // The compiler stores a node without text as text 0.
            if (text == nullptr && textNum != 0)
                return -1;
            if (num > UINT8_MAX)
                return -1;
            auto node = std::make_unique<CPrjMnuNode>(static_cast<uint8_t>(num), links[0], links[1], links[2],
                                                      links[3], text, f == first ? 1 : 0);
            if (!menu->InsNode(node.get()))
                return -1;
            node.release();
            Count(DecoKind::MenuNodes);
            f = next;
        }
        return 1;
    };
    return ForEachTableEntry(kCMnus, menus != nullptr, decode);
}

StepResult CDeco706::DecodeTimers()
{
    auto decode = [&](int32_t i, uint32_t at) {
        std::string name;
        uint32_t valuesAt = 0;
        uint16_t values = 0;
        // More periods than a switch holds cannot come from a project.
        if (ReadCountedName(at, name, valuesAt) != 1 || ReadWord(valuesAt, values) != 1 ||
            values > CColl::kMaxCount)
            return -1;
        auto timer = std::make_unique<CPrjTimer>(i, name);
        for (uint32_t t = 0; t < values; ++t) {
            uint8_t b[kTimeValSize];
            if (ReadBlock(valuesAt + 2 + kTimeValSize * t, b, sizeof b) != 1)
                return -1;
            const auto seconds = [](const uint8_t* v) {
                return v[0] * kSecondsPerDay + v[1] * 3600u + v[2] * 60u + v[3];
            };
            timer->AddTimeVal(new CTimeVal(seconds(b), seconds(b + 4)));
            // The switch refuses a period it has already.
            if (timer->GetTimes()->GetCount() != static_cast<int>(t) + 1)
                return -1;
            Count(DecoKind::TimeValues);
        }
        const int index = m_prj->InsTimer(timer.get());
        if (Taken(m_prj->GetTimerList(), index, timer) != 1)
            return -1;
        Count(DecoKind::TimeSwitches);
        return 1;
    };
    return ForEachTableEntry(kCTimers, m_prj->GetTimerList() != nullptr, decode);
}

} // namespace orv

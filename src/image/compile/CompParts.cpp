// Encoders of the shared record parts: hex texts, softkey actions, variable
// heads and menu links.
#include "image/compile/CompParts.h"

#include "image/codec/ImgLayout.h"
#include "image/codec/ImgRecord.h"
#include "model/project/DrvParItem.h"
#include "model/project/Mnu.h"
#include "model/project/PrjVar.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/SpsPar.h"

namespace orv {

namespace {

uint8_t HexNibble(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<uint8_t>(c - 'a' + 10);
    return 0;
}

}  // namespace

std::string HexPairBytes(std::string_view hex, size_t maxBytes)
{
    std::string out;
    for (size_t i = 0; i + 1 < hex.size() && out.size() < maxBytes; i += 2)
        out.push_back(static_cast<char>(HexNibble(hex[i]) << 4 | HexNibble(hex[i + 1])));
    return out;
}

std::string HexDigits(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        hex += kDigits[b >> 4];
        hex += kDigits[b & 0xF];
    }
    return hex;
}

void EncodeSkAct(const CPrjSkAct& act, bool wideAdr, ImgRecord& rec)
{
    int used = 0;
    for (int op = 0; op < imglayout::kSkActOps; ++op)
        used += act.IsOpUsed(op) ? 1 : 0;
    rec.Word(static_cast<uint16_t>(used));
    for (int op = 0; op < imglayout::kSkActOps; ++op) {
        if (!act.IsOpUsed(op))
            continue;
        rec.Bytes(imglayout::SkOpRecord::Encode(
            {act.GetAdr(op), act.GetOp(op), act.GetFormat(op), act.GetValue(op)}, wideAdr));
    }
    if (const char* name = act.GetName())
        rec.Bytes(name);
    rec.Byte(0);
}

void EncodeKeyActs(const CPrjSkTxt& text, int key, ImgRecord& rec)
{
    const CPrjSkAct* press = text.GetPressAct(key);
    const CPrjSkAct* release = text.GetReleaseAct(key);
    rec.Word(static_cast<uint16_t>(press ? press->GetNum() : 0))
        .Word(static_cast<uint16_t>(release ? release->GetNum() : 0));
}

void EncodeBinHead(const CPrjVar& var, ImgRecord& rec)
{
    const uint8_t type = var.GetType();
    const bool isSigned = type >= 18 && type <= 25;
    const auto limit = [isSigned](int32_t value) {
        return isSigned ? imglayout::OffsetBinary32::Encode(value) : static_cast<uint32_t>(value);
    };
    rec.Byte(var.GetExtByte0()).Byte(var.GetExtByte1()).DWord(limit(var.GetExtWord1())).DWord(limit(var.GetExtWord2()));
}

int64_t RangeValue(int32_t value, bool isSigned)
{
    return isSigned ? int64_t{value} : int64_t{static_cast<uint32_t>(value)};
}

uint8_t KeptMnuLink(const CPrjMnuNodeList& nodes, uint8_t link, bool& broken)
{
    if (link == 0)
        return 0;
    if (nodes.FindByNum(link))
        return link;
    broken = true;
    return 0;
}

std::vector<const CPrjMnuNode*> TextNodes(const CPrjMnuNodeList& nodes, const CPrjMnuNode& start)
{
    std::vector<const CPrjMnuNode*> order;
    if (start.GetOpTxt())
        order.push_back(&start);
    for (int i = 0; i < nodes.GetCount(); ++i) {
        const CPrjMnuNode* node = nodes.ItemAt(i);
        if (node != &start && node->GetOpTxt())
            order.push_back(node);
    }
    return order;
}

bool UsesMessageWord(const CSpsPar* sps, const CPrjVar& var)
{
    if (var.IsInternal() || !sps)
        return false;
    const CDrvParItem* item = sps->GetItems().FindItem(static_cast<uint16_t>(var.GetAdr()));
    return item && item->GetKind() == CDrvParItem::KindMsg;
}

} // namespace orv

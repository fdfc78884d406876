// Menus of the project model; nodes count their texts' use so a text still shown
// by a menu is never deleted.
#include "model/project/Mnu.h"

#include "model/core/FixedText.h"
#include "model/project/OpTxt.h"

namespace orv {

namespace {

int CompareBytes(uint8_t a, uint8_t b)
{
    return (a > b) - (a < b);
}

} // namespace

CPrjMnuNode::CPrjMnuNode(uint8_t num, uint8_t left, uint8_t right, uint8_t down, uint8_t up, CPrjOpTxt* text,
                         uint8_t start)
    : m_num(num), m_links{left, right, down, up}, m_start(start != 0 ? 1 : 0)
{
    SetOpTxt(text);
}

CPrjMnuNode::~CPrjMnuNode()
{
    ReleaseOpTxt();
}

void CPrjMnuNode::SetOpTxt(CPrjOpTxt* text)
{
    if (text == m_text)
        return;
    ReleaseOpTxt();
    m_text = text;
    if (m_text)
        m_text->AddUse();
}

void CPrjMnuNode::ReleaseOpTxt()
{
    if (m_text)
        m_text->ReleaseUse();
    m_text = nullptr;
}

void CPrjMnuNode::ClearLinks(uint8_t num)
{
    ReplaceLinks(num, 0);
}

void CPrjMnuNode::ReplaceLinks(uint8_t oldNum, uint8_t newNum)
{
    if (oldNum == 0)
        return;
    for (uint8_t& link : m_links)
        if (link == oldNum)
            link = newNum;
}

int CPrjMnuNodeList::Compare(const void* key1, const void* key2) const
{
    return CompareBytes(static_cast<const CPrjMnuNode*>(key1)->GetNum(),
                        static_cast<const CPrjMnuNode*>(key2)->GetNum());
}

bool CPrjMnuNodeList::Renumber(CPrjMnuNode* node, uint8_t num)
{
    const CPrjMnuNode* holder = FindByNum(num);
    if ((holder && holder != node) || !TakeOut(node))
        return false;
    const uint8_t old = node->GetNum();
    node->SetNum(num);
    for (int i = 0; i < GetCount(); ++i)
        ItemAt(i)->ReplaceLinks(old, num);
    Insert(node);
    return true;
}

void CPrjMnuNodeList::DelNode(CPrjMnuNode* node)
{
    if (!node || CColl::IndexOf(node) < 0)
        return;
    for (int i = 0; i < GetCount(); ++i)
        ItemAt(i)->ClearLinks(node->GetNum());
    node->ReleaseOpTxt();
    Delete(node);
}

void CPrjMnuNodeList::FreeAllNodes()
{
    for (int i = 0; i < GetCount(); ++i)
        ItemAt(i)->ReleaseOpTxt();
    DeleteAll();
}

CPrjMnuNode* CPrjMnuNodeList::FindStart() const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->IsStart())
            return ItemAt(i);
    return nullptr;
}

CPrjMnuNode* CPrjMnuNodeList::FindByNum(int num) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetNum() == num)
            return ItemAt(i);
    return nullptr;
}

CPrjMnuNode* CPrjMnuNodeList::FindUnreachable() const
{
    constexpr char kStart = 'S';
    constexpr char kKnown = 'K';
    constexpr char kDone = ' ';
    // Numbers that are no node stay 0 and are never reached.
    std::array<char, 256> map{};
    for (int i = 0; i < GetCount(); ++i)
        map[ItemAt(i)->GetNum()] = ItemAt(i)->IsStart() ? kStart : kKnown;

    bool spreading = true;
    while (spreading) {
        for (int i = 0; i < GetCount(); ++i) {
            const CPrjMnuNode* node = ItemAt(i);
            if (map[node->GetNum()] != kStart)
                continue;
            for (uint8_t target : node->GetLinks())
                if (map[target] == kKnown)
                    map[target] = kStart;
            map[node->GetNum()] = kDone;
        }
        spreading = false;
        for (int i = 0; i < GetCount(); ++i)
            spreading = spreading || map[ItemAt(i)->GetNum()] == kStart;
    }

    for (int i = 0; i < GetCount(); ++i)
        if (map[ItemAt(i)->GetNum()] == kKnown)
            return ItemAt(i);
    return nullptr;
}

CPrjMnu::CPrjMnu(uint8_t num, std::string_view name, uint16_t optMask)
    : m_num(num), m_name(FixedText(name, kNameWidth)), m_optMask(optMask),
      m_nodes(std::make_unique<CPrjMnuNodeList>(4, 4))
{
}

void CPrjMnu::SetName(std::string_view name)
{
    m_name = FixedText(name, kNameWidth);
}

bool CPrjMnu::InsNode(CPrjMnuNode* node)
{
    if (!node || !m_nodes)
        return false;
    const int index = m_nodes->Insert(node);
    return index >= 0 && m_nodes->At(index) == node;
}

void CPrjMnu::FreeNodes()
{
    if (m_nodes)
        m_nodes->FreeAllNodes();
    m_nodes.reset();
}

int CPrjMnuList::Compare(const void* key1, const void* key2) const
{
    return CompareBytes(static_cast<const CPrjMnu*>(key1)->GetNum(), static_cast<const CPrjMnu*>(key2)->GetNum());
}

bool CPrjMnuList::Renumber(CPrjMnu* menu, uint8_t num)
{
    const CPrjMnu* holder = FindByNum(num);
    if ((holder && holder != menu) || !TakeOut(menu))
        return false;
    menu->SetNum(num);
    Insert(menu);
    return true;
}

bool CPrjMnuList::Rename(CPrjMnu* menu, std::string_view name)
{
    const CPrjMnu* holder = FindByName(FixedText(name, CPrjMnu::kNameWidth));
    if ((holder && holder != menu) || !TakeOut(menu))
        return false;
    menu->SetName(name);
    Insert(menu);
    return true;
}

void CPrjMnuList::DelMnu(CPrjMnu* menu)
{
    if (!menu || CColl::IndexOf(menu) < 0)
        return;
    menu->FreeNodes();
    Delete(menu);
}

void CPrjMnuList::FreeAllMnus()
{
    for (int i = 0; i < GetCount(); ++i)
        ItemAt(i)->FreeNodes();
    DeleteAll();
}

CPrjMnu* CPrjMnuList::GetHighest() const
{
    for (int i = GetCount() - 1; i >= 0; --i)
        if (ItemAt(i)->GetNum() != 0)
            return ItemAt(i);
    return nullptr;
}

CPrjMnu* CPrjMnuList::FindByName(std::string_view name) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetName() == name)
            return ItemAt(i);
    return nullptr;
}

CPrjMnu* CPrjMnuList::FindByNum(int num) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (ItemAt(i)->GetNum() == num)
            return ItemAt(i);
    return nullptr;
}

} // namespace orv

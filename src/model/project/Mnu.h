// The project's menus: nodes with their operator texts and the cursor-key links
// between them.
#pragma once

#include "model/core/PrjList.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

class CPrjOpTxt;

// One place of a menu: the operator text it shows and the nodes the cursor
// keys lead to. Node numbers are 1..255; a link of 0 leads nowhere.
class CPrjMnuNode : public CObj {
public:
    // Counts the text's use; a non-zero start byte is stored as 1.
    CPrjMnuNode(uint8_t num, uint8_t left, uint8_t right, uint8_t down, uint8_t up, CPrjOpTxt* text,
                uint8_t start);
    // Releases the text, so that its count is right however the node goes.
    ~CPrjMnuNode() override;

    uint8_t GetNum() const { return m_num; }
    // Changes the key: while the node is listed, only through the list.
    void SetNum(uint8_t num) { m_num = num; }
    uint8_t GetLeft() const { return m_links[kLeft]; }
    uint8_t GetRight() const { return m_links[kRight]; }
    uint8_t GetDown() const { return m_links[kDown]; }
    uint8_t GetUp() const { return m_links[kUp]; }
    void SetLeft(uint8_t num) { m_links[kLeft] = num; }
    void SetRight(uint8_t num) { m_links[kRight] = num; }
    void SetDown(uint8_t num) { m_links[kDown] = num; }
    void SetUp(uint8_t num) { m_links[kUp] = num; }
    void SetStart(uint8_t start) { m_start = start != 0 ? 1 : 0; }
    uint8_t IsStart() const { return m_start; }

    CPrjOpTxt* GetOpTxt() const { return m_text; }
    // Counts the new text and releases the old one; the same text changes
    // nothing.
    void SetOpTxt(CPrjOpTxt* text);
    void ReleaseOpTxt();

    // Every link to num becomes 0.
    void ClearLinks(uint8_t num);
    // Every link to oldNum leads to newNum; "no link" stays as it is.
    void ReplaceLinks(uint8_t oldNum, uint8_t newNum);
    // The four link targets: left, right, down, up.
    const std::array<uint8_t, 4>& GetLinks() const { return m_links; }

private:
    enum { kLeft, kRight, kDown, kUp };

    uint8_t m_num;
    std::array<uint8_t, 4> m_links;
    uint8_t m_start;
    CPrjOpTxt* m_text = nullptr;
};

// The nodes of one menu in number order, one node per number.
class CPrjMnuNodeList : public CPrjList<CPrjMnuNode> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;

    // Gives the node the number and leads the other nodes' links to it there.
    // False, with nothing changed, when another node has the number.
    bool Renumber(CPrjMnuNode* node, uint8_t num);
    // Clears every link to the node, its own included, and deletes it.
    void DelNode(CPrjMnuNode* node);
    void FreeAllNodes();

    // The first node in number order that is a start node.
    CPrjMnuNode* FindStart() const;
    CPrjMnuNode* FindByNum(int num) const;
    // The first node in number order that no start node leads to; null when
    // every node is reached. Without a start node that is the first node.
    CPrjMnuNode* FindUnreachable() const;
};

// A named grid of nodes.
class CPrjMnu : public CObj {
public:
    static constexpr size_t kNameWidth = 16;

    // The name keeps at most 16 bytes.
    CPrjMnu(uint8_t num, std::string_view name, uint16_t optMask);

    uint8_t GetNum() const { return m_num; }
    // Changes the key: while the menu is listed, only through the list.
    void SetNum(uint8_t num) { m_num = num; }
    void SetName(std::string_view name);
    const std::string& GetName() const { return m_name; }
    void SetMnuOpt(uint16_t mask) { m_optMask = mask; }
    uint16_t GetMnuOpt() const { return m_optMask; }

    // Null once the nodes were freed.
    CPrjMnuNodeList* GetSubList() const { return m_nodes.get(); }
    // False when the menu has no node list or already a node of that number;
    // the refused node stays the caller's.
    bool InsNode(CPrjMnuNode* node);
    // Deletes the nodes and the node list.
    void FreeNodes();

private:
    uint8_t m_num;
    std::string m_name;
    uint16_t m_optMask;
    std::unique_ptr<CPrjMnuNodeList> m_nodes;
};

// The project's menus in number order, one menu per number.
class CPrjMnuList : public CPrjList<CPrjMnu> {
public:
    using CPrjList::CPrjList;

    int Compare(const void* key1, const void* key2) const override;

    // Both change nothing and give false when another menu has the number
    // or the name.
    bool Renumber(CPrjMnu* menu, uint8_t num);
    bool Rename(CPrjMnu* menu, std::string_view name);
    void DelMnu(CPrjMnu* menu);
    void FreeAllMnus();

    // The highest-numbered menu but 0.
    CPrjMnu* GetHighest() const;
    // Exact and case-sensitive.
    CPrjMnu* FindByName(std::string_view name) const;
    CPrjMnu* FindByNum(int num) const;
};

} // namespace orv

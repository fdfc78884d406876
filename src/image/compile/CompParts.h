// Record parts that every family's compiler writes the same way, and that the
// decompilers read back with the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CPrjMnuNode;
class CPrjMnuNodeList;
class CPrjSkAct;
class CPrjSkTxt;
class CPrjVar;
class CSpsPar;
class ImgRecord;

// Record parts that every family's compiler writes the same way.

// The bytes of a text of hexadecimal digit pairs, at most maxBytes of them.
std::string HexPairBytes(std::string_view hex, size_t maxBytes);
// The other way: each byte as two upper-case hexadecimal digits.
std::string HexDigits(std::string_view bytes);

// The used-operation count, each used operation and the name (or a single
// 0) of a softkey action; wideAdr stores the data word address as a dword.
void EncodeSkAct(const CPrjSkAct& act, bool wideAdr, ImgRecord& rec);

// The numbers of the key's press and release actions, 0 for none.
void EncodeKeyActs(const CPrjSkTxt& text, int key, ImgRecord& rec);

// BIN and VBIN: first type byte, decimals, lower and upper display limit
// (signed kinds in offset binary).
void EncodeBinHead(const CPrjVar& var, ImgRecord& rec);
// A limit as a number: signed kinds as they are, unsigned ones as 32-bit
// unsigned numbers.
int64_t RangeValue(int32_t value, bool isSigned);

// The link when the menu holds that node, else 0; a link to a missing node
// marks the menu broken.
uint8_t KeptMnuLink(const CPrjMnuNodeList& nodes, uint8_t link, bool& broken);
// The nodes that show a text, the start node first.
std::vector<const CPrjMnuNode*> TextNodes(const CPrjMnuNodeList& nodes, const CPrjMnuNode& start);

// True when the PLC definitions mark the ordinary variable's data word as a
// message word.
bool UsesMessageWord(const CSpsPar* sps, const CPrjVar& var);

} // namespace orv

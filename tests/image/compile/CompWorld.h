// The compilers' tests' project world and the byte readers they check images with.
#pragma once

#include "model/project/OpTxt.h"
#include "model/project/PrjData.h"
#include "model/project/TxtRow.h"
#include "support/FrameWorld.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <string>
#include <vector>

namespace orv {

// A project world as the compilers take it: character set, project root
// and PLC parameters, of one panel type, and the panel memory that the 043
// family offers.
class CompWorld : public FrameWorld {
public:
    explicit CompWorld(uint16_t devType = 43);
    // Another world, for a compiler that needs more parts.
    explicit CompWorld(const WorldRecipe& wanted);

    void SetDevType(uint16_t devType);
    // The log lines after the first line equal to header.
    std::vector<std::string> LogLinesAfter(const std::string& header) const;

    template <class Var>
    Var* Add(Var* var)
    {
        EXPECT_GE(prj.InsVar(var), 0);
        return var;
    }

    struct VarSlot {
        CPrjVar* var;
        uint8_t col;
    };

    // A display text row; the variables' fields at their columns.
    template <class Entry>
    Entry* Row(Entry* entry, std::string_view text, std::initializer_list<VarSlot> vars = {}, int rowNum = 1)
    {
        CTxtVarSlots slots;
        int i = 0;
        for (const VarSlot& v : vars) {
            slots.SetVar(i, v.var);
            slots.SetCol(i++, v.col);
        }
        if (entry->GetRowCount() < rowNum)
            entry->SetRowCount(rowNum);
        entry->SetRow(std::make_unique<CPrjTxtRow>(static_cast<uint8_t>(rowNum), text, &slots));
        return entry;
    }

    // An operator text of one row, inserted.
    CPrjOpTxt* OpTxt(int32_t num, std::string_view text, std::initializer_list<VarSlot> vars = {})
    {
        auto* entry = Row(new CPrjOpTxt(num), text, vars);
        EXPECT_GE(prj.InsOpTxt(entry), 0);
        return entry;
    }
};

// Big-endian numbers of an image read at literal offsets.
unsigned ByteAt(const std::string& image, size_t at);
unsigned WordAt(const std::string& image, size_t at);
uint32_t DWordAt(const std::string& image, size_t at);
// The bytes as upper-case hexadecimal pairs.
std::string Hex(const std::string& bytes);

// Word 0 = length / 2 of an even file; byte 3 and the bytes at 7, 14, ...
// sum to 0 modulo 256; byte 2 is the XOR of those bytes.
void ExpectFamily706CheckWord(const std::string& image);

} // namespace orv

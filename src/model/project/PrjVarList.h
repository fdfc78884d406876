// The project's variables by name, with the internal variables after all others,
// as the views and the compilers list them.
#pragma once

#include "model/core/Coll.h"
#include "model/project/PrjVar.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class CDrvParColl;
class CPrjIntVar;

// Variables by name, each name once, with the entry selected in the views.
// Owns its variables. Names beginning with '[' (the internal variables'
// short names) come after all others; otherwise unsigned byte order.
class CPrjVarList : public CSortedColl {
public:
    CPrjVarList(int limit, int step);
    ~CPrjVarList() override;

    const void* KeyOf(const CObj* item) const override;
    int Compare(const void* key1, const void* key2) const override;
    // Releases the variable's own data, then deletes it.
    void FreeItem(CObj* item) override;

    // Sorted insert; a variable whose name is taken is refused and stays the
    // caller's. The result is the index of the variable holding the name.
    int Add(CPrjVar* var) { return Insert(var); }
    CPrjVar* VarAt(int index) const { return static_cast<CPrjVar*>(At(index)); }

    // Where names are unique, a name used by another variable is refused:
    // the variable keeps its old name and place, and the result is false.
    // Null and variables of other lists are refused as well.
    bool Rename(CPrjVar* var, std::string_view name);
    // By name, else by descriptive name; unknown names change nothing.
    void SetCurByName(std::string_view name);
    int GetCurIdx() const { return m_cur; }
    void SetCurIdx(int index) { m_cur = index; }

    // Releases the variable's data and frees it; keeps the current index
    // inside the list. Null and variables of other lists are ignored.
    void Delete(CPrjVar* var);
    void FreeAll();

    // Exact, case-sensitive; null for null.
    virtual CPrjVar* FindByName(const char* name) const;
    CPrjVar* FindByName(std::string_view name) const;
    // An internal variable by its descriptive name.
    CPrjIntVar* FindIntByStdName(const char* name) const;
    CPrjVar* FindByAdr(int16_t adr) const;
    CPrjVar* FindByRef(uint32_t ref) const;
    // Some variable with a type code below 128.
    bool HasExtVar() const;
    // Some internal state-text variable (142, 144, 154).
    bool HasIntStrVar() const;

    void MarkPlcBits(CDrvParColl* items) const;
    void SetMaxWidths(uint8_t width);

    // Mirrors of the project settings into the internal variables; a
    // missing variable, another type code or a value out of range changes
    // nothing.
    void SetCycleVars(int v);
    void SetPrnStatusVar(int v);
    void SetDateModeVars(int v);
    void SetPrnIfcVar(int v);
    void SetPrnBaudVar(int v);
    void SetPrnParityVar(int v);
    void SetPrnDataBitsVar(int v);
    void SetPrnStopBitsVar(int v);

protected:
    CPrjVar* ScanByName(std::string_view name) const;

private:
    void SetSettingOf(std::string_view name, uint8_t type, int v);

    int m_cur = 0;
};

// The interface variables: insertion order, equal names allowed (the two
// words of the date are both "Datum").
class CPrjKomVarList : public CPrjVarList {
public:
    CPrjKomVarList(int limit, int step);

    // Every entry counts as less than a new one, so that inserts append.
    int Compare(const void* key1, const void* key2) const override;
    // Found by identity: the order says nothing about the names.
    int IndexOf(const CObj* item) const override { return CColl::IndexOf(item); }

    CPrjVar* FindByName(const char* name) const override;
    using CPrjVarList::FindByName;

    // Gives every variable named as var the data words first, first + 1, ...
    // in list order.
    void Renumber(CPrjVar* var, uint16_t first);

private:
    std::string m_nameBuf;
    uint16_t m_counter = 0;
};

} // namespace orv

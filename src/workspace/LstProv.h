// The list content providers: one per kind of list that the list view shows.
// Each sets up the columns, fills the rows of the list view's table from the
// project and carries out the row commands of the list view's menu and label
// editing. A negative row means no row is selected: the command does nothing.
#pragma once

#include "workspace/LstTable.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace orv {

class CFrameCore;
class CPrjMnu;
class CPrjMnuNode;
class CPrjMnuNodeList;
class CPrjNumEntry;

class CLstProv {
public:
    CLstProv(CFrameCore& core, CLstTable& table) : m_core(core), m_table(table) {}
    virtual ~CLstProv() = default;
    CLstProv(const CLstProv&) = delete;
    CLstProv& operator=(const CLstProv&) = delete;

    // Columns and rows, once; in text mode the navigator's active row is
    // selected and focused every time.
    void ActivateListProvider();
    // Takes the rows and columns out; nothing when not active.
    void Deactivate();
    void Refresh();
    bool IsActive() const { return m_active; }

protected:
    virtual void FillRows() {}
    virtual void SetupColumns() {}

    CFrameCore& Core() const { return m_core; }
    CLstTable& Table() const { return m_table; }
    // Adds the columns of a table of headers.
    struct ColumnDef {
        const char* header;
        int width;
        LstColumn::Align align;
    };
    template <size_t N>
    void AddColumns(const ColumnDef (&defs)[N]) const
    {
        for (const ColumnDef& def : defs)
            m_table.AddColumn(def.header, def.width, def.align);
    }
    // The row's label at the end, the sub-items after it from column 1.
    int AddRow(LstCell label, std::initializer_list<LstCell> subItems, int image = 0, int pos = -1) const;
    void MarkModified() const;
    // After a change of the project: marked, and the rows shown anew.
    void ShowChange()
    {
        MarkModified();
        Refresh();
    }

private:
    CFrameCore& m_core;
    CLstTable& m_table;
    bool m_active = false;
};

// The variables of a kind: 0 PLC variables, 1 internal variables.
class CLstProvVar : public CLstProv {
public:
    CLstProvVar(CFrameCore& core, CLstTable& table, int kind) : CLstProv(core, table), m_kind(kind) {}
    int GetKind() const { return m_kind; }
    // Shows the variable at a list index in the row anew.
    void RefreshRow(int listIndex, int row);

protected:
    void SetupColumns() override;
    void FillRows() override;

private:
    void AddVarRow(int listIndex, int pos);

    int m_kind;
};

// The driver parameter records of the panel configuration (variables kind 2).
class CLstProvDrvCode final : public CLstProvVar {
public:
    CLstProvDrvCode(CFrameCore& core, CLstTable& table) : CLstProvVar(core, table, 2) {}

protected:
    void SetupColumns() override;
    void FillRows() override;
};

// The texts of the frame's navigator.
class CLstProvTxt final : public CLstProv {
public:
    using CLstProv::CLstProv;
    void AddTxtRow(const CPrjNumEntry& entry, int row);

protected:
    void SetupColumns() override;
    void FillRows() override;
};

// The nodes of one menu.
class CLstProvMnuNode final : public CLstProv {
public:
    using CLstProv::CLstProv;
    // The project tree chooses the menu; null shows no nodes.
    void SetMenu(CPrjMnu* menu) { m_menu = menu; }
    CPrjMnu* GetMenu() const { return m_menu; }

    void OnNew();
    void OnEdit(int row);
    void OnDelete(int row);
    void OnRenumber(int row, int num);
    void OnMakeStart(int row);
    void RefreshRow(int row);

protected:
    void SetupColumns() override;
    void FillRows() override;

private:
    CPrjMnuNodeList* Nodes() const;
    // The node a row shows; null for a row outside the list.
    CPrjMnuNode* NodeAt(int row) const;
    void AddNodeRow(int row);

    CPrjMnu* m_menu = nullptr;
};

class CLstProvSkAct final : public CLstProv {
public:
    using CLstProv::CLstProv;
    void OnNew();
    void OnEdit(int row);
    void OnCopy(int row);
    void OnDelete(int row);
    void OnRenumber(int row, int num);

protected:
    void SetupColumns() override;
    void FillRows() override;

private:
    // The number after the highest; refused with a message past 255.
    bool NextNum(int32_t& num) const;
};

class CLstProvSkTxt final : public CLstProv {
public:
    using CLstProv::CLstProv;
    void OnNew();
    void OnEdit(int row);
    void OnCopy(int row);
    void OnDelete(int row);
    void OnRenumber(int row, int num);

protected:
    void SetupColumns() override;
    void FillRows() override;

private:
    int KeyCount() const;
};

// The PLC transfer area: the driver parameter items.
class CLstProvWordBits final : public CLstProv {
public:
    using CLstProv::CLstProv;
    void RefreshRow(int row);

protected:
    void SetupColumns() override;
    void FillRows() override;

private:
    void AddItemRow(int index, int pos);
};

// The panel's character codes.
class CLstProvChr final : public CLstProv {
public:
    using CLstProv::CLstProv;

protected:
    void SetupColumns() override;
    void FillRows() override;
};

} // namespace orv

// The list view and the project tree over the navigators' frame: the views
// under test registered with the core, the simulation and the label editor
// of the window seen.
#pragma once

#include "NavKit.h"

#include "model/project/PrjData.h"
#include "model/project/PrjVarList.h"
#include "support/PrjBuilder.h"
#include "workspace/ViewLstCore.h"
#include "workspace/ViewTreeCore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orv {

// The list view with the simulation and the window's label editor seen.
class LvView final : public CViewLstCore {
public:
    using CViewLstCore::CViewLstCore;

    bool sim = false;
    std::vector<std::pair<uint16_t, uint16_t>> simWrites;
    std::vector<int> labelEdits;

protected:
    bool SimRunning() const override { return sim; }
    void WriteSimWord(uint16_t wordNo, uint16_t value) override { simWrites.emplace_back(wordNo, value); }
    void BeginLabelEdit(int row) override { labelEdits.push_back(row); }
};

// A frame over a loaded project whose list view is the view under test.
struct LvWorld {
    LvWorld()
    {
        kit.core.SetViewLst(&view);
        kit.core.SetViewTree(&tree);
    }
    ~LvWorld()
    {
        kit.core.SetViewTree(nullptr);
        kit.core.SetViewLst(nullptr);
    }
    LvWorld(const LvWorld&) = delete;
    LvWorld& operator=(const LvWorld&) = delete;

    CPrjData& Prj() { return kit.fw.prj; }
    CPrjVarList& Vars() { return *Prj().GetVarList(); }
    CPrjVar* AddVar(const char* name, int16_t adr) { return PrjBuilder(Prj()).AddNumVar(name, adr); }
    CPrjVar* AddIntVar(const char* name, uint32_t flags)
    {
        auto var = std::make_unique<CPrjVar>(name, 0, flags, 0, 130);
        if (Prj().InsVar(var.get()) < 0)
            return nullptr;
        return var.release();
    }
    // The row showing the variable of that name; -1 for none.
    int RowOf(const std::string& name) const
    {
        for (int r = 0; r < view.Table().GetRowCount(); ++r)
            if (view.Table().Text(r, 0) == name)
                return r;
        return -1;
    }
    void ShowVars(int kind) { kit.core.OnVarList(kind); }
    void SelectVar(const std::string& name)
    {
        const int row = RowOf(name);
        ASSERT_GE(row, 0) << name;
        view.SelectRow(row);
    }
    bool HasVar(const char* name) { return Vars().FindByName(std::string_view(name)) != nullptr; }
    // A driver parameter record, as the variables of kind 2 list them.
    void AddDrvCode(const char* code)
    {
        auto var = std::make_unique<CPrjVar>(code, 0, 0, 0, 0);
        if (kit.fw.drv.GetParList6()->Add(var.get()) >= 0)
            var.release();
    }

    NavKit kit;
    LvView view{kit.core};
    CViewTreeCore tree{kit.core, view};
};

// "9100+ 9101- | ..." for a menu: id and enabled state, separators as "|".
inline std::string LvMenuText(const std::vector<LstMenuItem>& items)
{
    std::string text;
    for (const LstMenuItem& item : items) {
        if (!text.empty())
            text += ' ';
        text += item.id == 0 ? std::string("|") : std::to_string(item.id) + (item.enabled ? "+" : "-");
    }
    return text;
}

} // namespace orv

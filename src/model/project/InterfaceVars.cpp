// The interface variables: fixed groups of variables on PLC data words that
// the user places (date and time, recipe numbers, printer texts), each word
// bound to its driver item.

#include "model/core/Catalogues.h"
#include "model/core/CatalogueIds.h"
#include "model/project/DrvParColl.h"
#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"
#include "model/project/PrjIntVar.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/PrjVarList.h"
#include "model/project/SpsPar.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace orv {

namespace {

constexpr uint32_t kDateTimeFlags = 0x33FB;
constexpr uint32_t kRcpNumFlags = 0x400033FB;

using VarMaker = std::function<std::unique_ptr<CPrjVar>(const char* name, uint16_t word)>;

// Variables of one name on consecutive words.
struct KomGroup {
    const char* name;
    int words;
    uint8_t itemDirection;
    VarMaker make;
};

// The variable of the group's k-th word: the k-th of that name in the list.
CPrjVar* NthOfName(const CPrjKomVarList& list, const char* name, int k)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.VarAt(i)->GetName() == name && k-- == 0)
            return list.VarAt(i);
    return nullptr;
}

// Places the groups from word first on. An existing group is moved with its
// variables rather than inserted again, whether or not its old words had
// items, so that a later call never leaves a stale group behind.
void PlaceGroups(CPrjKomVarList& list, CSpsPar& sps, const std::vector<KomGroup>& groups, uint16_t first,
                 uint16_t oldFirst, bool onlyReleaseAtZero)
{
    CDrvParColl& items = sps.GetItems();

    std::vector<CDrvParItem*> noted;
    for (const KomGroup& group : groups) {
        const CPrjVar* existing = list.FindByName(group.name);
        for (int k = 0; k < group.words; ++k)
            noted.push_back(existing ? items.FindItem(static_cast<uint16_t>(existing->GetAdr() + k)) : nullptr);
    }
    for (size_t i = 0; i < noted.size(); ++i) {
        CDrvParItem* item = noted[i];
        if (!item)
            continue;
        if (item->GetDefDirection() != 0)
            item->SetDirection(static_cast<uint8_t>(item->GetDefDirection()));
        item->SetFlag(0);
        sps.ReleaseItem(static_cast<uint16_t>(oldFirst + i));
    }
    if (first == 0 && onlyReleaseAtZero)
        return;

    auto word = first;
    for (const KomGroup& group : groups) {
        if (CPrjVar* existing = list.FindByName(group.name))
            list.Renumber(existing, word);
        for (int k = 0; k < group.words; ++k, ++word) {
            CPrjVar* var = NthOfName(list, group.name, k);
            if (!var) {
                auto made = group.make(group.name, word);
                if (list.Add(made.get()) < 0)  // list full: the variable is not kept
                    continue;
                var = made.release();
            }
            sps.UseItem(*var);
            if (CDrvParItem* item = items.FindItem(word)) {
                if (item->GetUseCount() < 2)
                    item->SetDirection(group.itemDirection);
                item->SetFlag(1);
            }
        }
    }
}

std::unique_ptr<CPrjVar> MakeRcpNum(const char* name, uint16_t word, uint8_t setpKind)
{
    auto var = std::make_unique<CPrjIntVarNum>(name, kRcpNumFlags, setpKind, 134, 0, 0, 2, 0, 0, 99);
    var->SetAdr(static_cast<int16_t>(word));
    return var;
}

std::unique_ptr<CPrjVar> MakePrnTxt(const char* name, uint16_t word)
{
    return std::make_unique<CPrjVarBin>(name, static_cast<int16_t>(word), 1, 6, 2, 0, 4, 100, 4, 100);
}

} // namespace

void CPrjData::MakeDateTimeVars(uint16_t first, uint16_t oldFirst)
{
    if (!m_owner || !m_owner->spsPar)
        return;
    const std::vector<KomGroup> groups = {
        {ResourceTXT(res::kDatum), 2, 3,
         [](const char* name, uint16_t word) -> std::unique_ptr<CPrjVar> {
             return std::make_unique<CPrjIntVarByte>(name, static_cast<int16_t>(word), kDateTimeFlags, 4, 251, 0, 0,
                                                     1);
         }},
        {ResourceTXT(res::kUhrzeit), 2, 3,
         [](const char* name, uint16_t word) -> std::unique_ptr<CPrjVar> {
             return std::make_unique<CPrjIntVarW8>(name, static_cast<int16_t>(word), kDateTimeFlags, 4, 250, 0, 0);
         }},
    };
    PlaceGroups(*m_komVars, *m_owner->spsPar, groups, first, oldFirst, true);
}

void CPrjData::MakeRcpNumVars(uint16_t first, uint16_t oldFirst)
{
    if (!m_owner || !m_owner->spsPar)
        return;
    const std::vector<KomGroup> groups = {
        {ResourceTXT(res::kRezeptnummerIST), 1, 1,
         [](const char* name, uint16_t word) { return MakeRcpNum(name, word, 1); }},
        {ResourceTXT(res::kRezeptnummerSOLL), 1, 2,
         [](const char* name, uint16_t word) { return MakeRcpNum(name, word, 2); }},
        {ResourceTXT(res::kSteuerwort), 1, 3,
         [](const char* name, uint16_t word) { return MakeRcpNum(name, word, 4); }},
    };
    PlaceGroups(*m_komVars, *m_owner->spsPar, groups, first, oldFirst, false);
}

void CPrjData::MakePrnTxtVars(uint16_t first, uint16_t oldFirst)
{
    if (!m_owner || !m_owner->spsPar)
        return;
    const std::vector<KomGroup> groups = {
        {ResourceTXT(res::kDruckertexteAlt), 1, 1, MakePrnTxt},
        {ResourceTXT(res::kDruckertexteNeu), 1, 1, MakePrnTxt},
    };
    PlaceGroups(*m_komVars, *m_owner->spsPar, groups, first, oldFirst, true);
}

} // namespace orv

// The project's PLC driver choice and the driver libraries known to the program;
// the model half of the driver files, whose readers live in the image layer.
#pragma once

#include "model/project/DrvTab.h"
#include "model/core/Obj.h"
#include "model/project/PanelTable.h"
#include "model/project/SpsDef.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;
class CPrjVar;
class CPrjVarList;
class CTextPool;
class CWorkspaceState;

// Reads one driver library and marks the drivers it holds through
// CDrvCfg::SetDrvAvail. The readers live in a layer above the model, so the
// model is handed one of these.
class CDrvLibScanner {
public:
    virtual ~CDrvLibScanner() = default;
    // The family names the reader to open the library with. A reader that
    // fails shows its own message; the next library follows.
    virtual void Scan(DrvFamily family, const std::string& libPath, uint16_t devType) = 0;
};

// The project's PLC driver: its number, which drivers each library offers,
// the header texts and tables of the project's own driver file, the PLC
// definitions, and the driver's parameter variables with their texts.
class CDrvCfg : public CObj {
public:
    static constexpr uint16_t kDefaultDrv = 5;
    // Drivers 0..77 can be held by a library.
    static constexpr int kLibDrivers = 78;
    static constexpr size_t kNameWidth = 10;
    static constexpr size_t kFileWidth = 12;
    static constexpr size_t kVersionWidth = 5;
    static constexpr size_t kKindWidth = 3;
    static constexpr size_t kDateWidth = 10;
    // The libraries whose drivers are recorded, in the order of their rows.
    static constexpr int kLibRows = 5;

    // The header flags of the driver's cross-reference block.
    enum Flag { kFlagXref, kFlagRefList, kFlagMultiPlc, kFlagCount };
    // The highest numbers the driver accepts per address area.
    enum AdrLimit { kLimitDb, kLimitDw, kLimitFw, kLimitIw, kLimitQw, kLimitTw, kLimitCount };

    // Both may be null; without a workspace there is no configuration
    // directory and no driver override.
    CDrvCfg(CWorkspaceState* workspace, PrjBundle* bundle);
    ~CDrvCfg() override;

    void SetDrvNo(uint16_t drv) { m_drvNo = drv; }
    uint16_t GetDrvNo() const { return m_drvNo; }

    // A change counts this object and the bundle up; clearing sets both to 0,
    // but only when this object counted a change.
    int SetModified(bool modified);
    uint16_t GetModCount() const { return m_modCount; }
    void SetModCount(uint16_t count) { m_modCount = count; }

    void SetDrvLoaded(uint8_t loaded) { m_loaded = loaded; }
    uint8_t IsDrvLoaded() const { return m_loaded; }

    // Records whether the library of a panel type holds a driver; driver
    // numbers from 78 on and panel types without a library row are ignored.
    void SetDrvAvail(uint16_t devType, int drv, uint8_t avail);
    uint8_t GetDrvAvail(uint16_t devType, int drv) const;

    void SetFlag(Flag flag, uint8_t value);
    uint8_t GetFlag(Flag flag) const;
    // Every limit is 0 until a driver's cross-reference block was read.
    void SetAdrLimit(AdrLimit limit, uint16_t value);
    uint16_t GetAdrLimit(AdrLimit limit) const;
    void SetRecSize(uint16_t size) { m_recSize = size; }
    uint16_t GetRecSize() const { return m_recSize; }
    void SetAuxWord(uint16_t value) { m_auxWord = value; }
    uint16_t GetAuxWord() const { return m_auxWord; }

    void SetDrvPath(std::string_view path) { m_path = path; }
    const std::string& GetDrvPath() const { return m_path; }
    // Each field keeps at most its width in bytes.
    void SetDrvName(std::string_view text);
    void SetDrvFile(std::string_view text);
    void SetDrvVersion(std::string_view text);
    void SetDrvKind(std::string_view text);
    void SetDrvDate(std::string_view text);
    const std::string& GetDrvName() const { return m_name; }
    const std::string& GetDrvFile() const { return m_file; }
    const std::string& GetDrvVersion() const { return m_version; }
    const std::string& GetDrvKind() const { return m_kind; }
    const std::string& GetDrvDate() const { return m_date; }

    // The driver's key in the configuration files; empty outside 0..78.
    static const char* DrvIniKey(int drv);
    // The driver's file name: the override name for 78, empty for a driver
    // without a file of its own.
    std::string DrvFileName(int drv) const;
    std::string GetDrvFileName() const { return DrvFileName(m_drvNo); }
    // The driver library of a panel type, or the override name while the
    // override is on; empty for a panel type without a library.
    std::string DrvLibName(uint16_t devType) const;

    CDrvTab5List* GetParItems() const { return m_tab5.get(); }
    CDrvTab6List* GetParItems2() const { return m_tab6.get(); }
    CSpsDefList* GetParItems3() const { return m_spsDefs.get(); }
    CPrjVarList* GetParList6() const { return m_vars.get(); }
    // The state texts of the driver variables.
    CTextPool* GetParList16() const { return m_texts.get(); }
    // Each takes the record; one whose key is taken is destroyed, and the
    // result is false.
    bool AddParItem(CDrvTabEntry5* entry);
    bool AddParItem2(CDrvTabEntry6* entry);
    bool AddParItem3(CSpsDef* def);
    bool AddPar6(CPrjVar* var);
    // The first record of driver table 5 with that byte.
    CDrvTabEntry5* FindParItem(uint8_t byte) const;

    // Forgets the project's driver file: its variables and texts, the change
    // count, the loaded flag, the path and the header texts. The driver
    // number, the library rows, the PLC definitions and the tables stay.
    void Clear();

    // Marks the drivers of the libraries in the configuration directory. The
    // library of 706 is not read, so its row keeps what others put there.
    // Without a scanner nothing happens.
    void LoadDrvLibs(CDrvLibScanner* scanner);

private:
    static int LibRowOf(uint16_t devType);
    std::string LibPath(uint16_t devType) const;

    CWorkspaceState* m_workspace;
    PrjBundle* m_bundle;
    std::array<uint8_t, kFlagCount> m_flags{};
    std::array<uint16_t, kLimitCount> m_limits{};
    uint16_t m_recSize = 0;
    uint16_t m_auxWord = 0;
    uint16_t m_drvNo = kDefaultDrv;
    uint16_t m_modCount = 0;
    uint8_t m_loaded = 0;
    std::array<std::array<uint8_t, kLibDrivers>, kLibRows> m_avail{};
    std::string m_path;
    std::string m_name;
    std::string m_file;
    std::string m_version;
    std::string m_kind;
    std::string m_date;
    std::unique_ptr<CDrvTab5List> m_tab5;
    std::unique_ptr<CDrvTab6List> m_tab6;
    std::unique_ptr<CSpsDefList> m_spsDefs;
    // Declared before the variables, so that it goes after them.
    std::unique_ptr<CTextPool> m_texts;
    std::unique_ptr<CPrjVarList> m_vars;
};

} // namespace orv

// The small option and editing dialogs without their windows: each form
// holds what its controls show and does what their OK does, so that every
// check and mapping is tested without a display.
#pragma once

#include "workspace/DlgRunner.h"
#include "workspace/forms/ValueCodec.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv {

class CFrameState;
class CMsgTxt;
class CPrjData;
class CPrjMgr;
class IFrameWindow;
class IViewTree;

// The simulated value of a driver parameter item.
class CDlgValueForm {
public:
    static constexpr int kIdValue = 1933;
    static constexpr int kIdFormat = 1927;
    // The combo's entries in order: 0 "BIN", 1 "HEX", 2 "DEC".
    static constexpr const char* kFormatNames[] = {"BIN", "HEX", "DEC"};

    // The item's flag byte chooses the format: bit 1 BIN, bit 2 HEX, bit 4
    // or 8 DEC, tested in that order; any other byte DEC.
    static int IndexOfSimFmt(uint8_t flags);

    CDlgValueForm(uint16_t value, uint8_t simFmt);

    int FormatIndex() const { return m_fmt; }
    const std::string& Text() const { return m_text; }
    void SetText(std::string text) { m_text = std::move(text); }
    // Shows the typed value in the newly chosen format.
    void SetFormat(int index);
    // The value typed; nothing, after the range message, when the text does
    // not read or lies outside 0..65535.
    std::optional<uint16_t> Ok() const;

private:
    int m_fmt;
    std::string m_text;
};

// What the serial-ports dialog needs of the project manager.
class IComPorts {
public:
    virtual ~IComPorts() = default;
    virtual int GetLinkPort() const = 0;
    virtual int GetSimPort() const = 0;
    virtual void SetLinkPort(int index) = 0;
    virtual void SetSimPort(int index) = 0;
};

// The project manager's port indexes.
class CPrjMgrPorts final : public IComPorts {
public:
    explicit CPrjMgrPorts(CPrjMgr& mgr) : m_mgr(mgr) {}
    int GetLinkPort() const override;
    int GetSimPort() const override;
    void SetLinkPort(int index) override;
    void SetSimPort(int index) override;

private:
    CPrjMgr& m_mgr;
};

// The transfer and simulation ports, as indexes 0 "Com1" and 1 "Com2".
class CDlgComPortsForm {
public:
    static constexpr int kIdLinkCom1 = 1902;
    static constexpr int kIdSimCom1 = 1904;

    // Null: no project manager, both start at Com1 and OK stores nothing.
    explicit CDlgComPortsForm(IComPorts* ports);

    int LinkIndex() const { return m_link; }
    int SimIndex() const { return m_sim; }
    void SetLinkIndex(int index) { m_link = index; }
    void SetSimIndex(int index) { m_sim = index; }
    void Ok();

private:
    IComPorts* m_ports;
    int m_link = 0;
    int m_sim = 0;
};

// The menu language: a click applies it at once.
class CDlgLangForm {
public:
    static constexpr int kIdGerman = 1904;
    static constexpr int kIdEnglish = 1905;
    static constexpr int kIdFrench = 1907;
    // The radios from "Deutsch" to "Spanisch"; only three have an action.
    static constexpr int kIdFirst = 1904;
    static constexpr int kIdLast = 1910;

    // The window and the tree may be missing; their calls are then skipped.
    CDlgLangForm(CFrameState& frame, IFrameWindow* window, IViewTree* tree);

    static bool HasAction(int id);
    // The radio of the language in effect.
    int CheckedId() const;
    // The caption and a radio's text in the current language (cp1252); ""
    // for a radio without an action, whose text the template holds.
    std::string Caption() const;
    std::string RadioText(int id) const;
    // German and English switch the menus, the title, the log and the tree;
    // French only the language id.
    void Choose(int id);

private:
    CFrameState& m_frame;
    IFrameWindow* m_window;
    IViewTree* m_tree;
};

// Whether the FIFO warning is shown.
class CDlgPrgOptForm {
public:
    static constexpr int kIdFifoWarn = 2165;
    bool Ticked() const;
    void Ok(bool ticked) const;
};

// The project's scalable double-word option, for "plus" panels only.
class CDlgPrjOptForm {
public:
    static constexpr int kIdDWordVars = 2166;
    CDlgPrjOptForm(CPrjData& prj, std::string_view devTyp);
    bool Enabled() const { return m_enabled; }
    bool Ticked() const;
    void Ok(bool ticked);

private:
    CPrjData& m_prj;
    bool m_enabled;
};

// A message text's priority, delete mode and alarm flag.
class CDlgMsgOptForm {
public:
    static constexpr int kIdInfo = 1949;
    static constexpr int kIdFault = 1950;
    static constexpr int kIdWarning = 1951;
    static constexpr int kIdAlarm = 1952;
    // Delete mode m has radio 1952 + m.
    static constexpr int kIdDelMode1 = 1953;
    static constexpr int kDelModes = 5;

    // Null project: nothing is marked modified.
    CDlgMsgOptForm(CMsgTxt& text, CPrjData* prj, std::string_view devTyp);

    // The radios checked at the start; 0 for a value without one.
    int PrioRadio() const;
    int DelModeRadio() const;
    bool Alarm() const;
    bool AlarmEnabled() const { return m_midi; }
    // Delete mode 5 only where the panel takes it: "midi" panels, and the
    // list's template entry, which holds every mode.
    bool DelModeEnabled(int mode) const;
    // Radio 0 keeps the value; the project is marked when anything changed.
    void Ok(int prioRadio, int delModeRadio, bool alarm);

private:
    CMsgTxt& m_text;
    CPrjData* m_prj;
    bool m_midi;
};

// The range, target and mode of a renumber; it changes nothing itself.
class CDlgRenumberForm {
public:
    static constexpr int kIdFrom = 1909;
    static constexpr int kIdTo = 1903;
    static constexpr int kIdTarget = 1902;
    using Nums = CDlgRunner::RenumberNums;

    CDlgRenumberForm(int mode, std::optional<Nums> start);

    // "Kopieren" for the row copy, else "Umnummerieren".
    const char* Caption() const;
    std::string from;
    std::string to;
    std::string target;
    // The three numbers; nothing, after the range message, while one does
    // not read.
    std::optional<Nums> Ok() const;

private:
    int m_mode;
};

// A menu's number and name as the user types them.
class CDlgRenameForm {
public:
    static constexpr int kIdNumber = 2170;
    static constexpr int kIdName = 2168;
    using Result = CDlgRunner::RenameResult;

    CDlgRenameForm(uint16_t number, std::string_view name);
    std::string number;
    std::string name;
    // Nothing, after the range message, while the number is not one of
    // 0..65535.
    std::optional<Result> Ok() const;
};

} // namespace orv

// The workspace over the emulated panel: kit, binding, and the project parsed
// and written as the load and save do.
#include "PrjMgrLinkKit.h"

#include "link/SerLinkBinding.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "source/reader/ParsOrvLoad.h"
#include "source/writer/RestOrv.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orv {

std::string WithoutEndMark(const std::string& driver)
{
    if (driver.size() < 2)
        return driver;
    const size_t mark = static_cast<size_t>(static_cast<uint8_t>(driver[0]) << 8 | static_cast<uint8_t>(driver[1]));
    if (mark + 2 == driver.size() && driver.compare(mark, 2, std::string(2, '\0')) == 0)
        return driver.substr(0, mark);
    return driver;
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string GoldenSource(const std::string& name)
{
    return FileBytes(std::string(ORV_TEST_DATA_DIR) + "/roundtrip/" + name);
}

PrjMgrLinkKit::PrjMgrLinkKit()
{
    frame.SetLogLevel(3);
    kit.ReplacePlaceholders();
    kit.WriteRoundTripFirmware();
    EXPECT_TRUE(sel.OpenDb(kit.Home()));
    frame.SetStartSel(&sel);
    EXPECT_TRUE(BindSerLink());
}

PrjMgrLinkKit::~PrjMgrLinkKit()
{
    m_mgr.reset();
    UnbindSerLink();
}

bool PrjMgrLinkKit::Start(uint16_t panel, uint16_t drv)
{
    m_mgr.reset();
    m_mgr = std::make_unique<CPrjMgr>(frame, sel);
    m_mgr->SetLinkSleep([this](uint32_t ms) {
        sleeps.push_back(ms);
        emu.Panel().AddWait(ms);
    });
    if (m_mgr->Init() != CPrjMgr::kInitDone)
        return false;
    const HeldPanel held = HeldPanelOf(panel);
    m_mgr->SetPanelType(held.code);
    m_mgr->SetPlcType(33);
    m_mgr->SetDrvNum(drv);
    m_mgr->SetIntlDisplay(held.variant);
    m_mgr->SetSimDrvBound(false);
    return m_mgr->Startselection();
}

bool PrjMgrLinkKit::Parse(const std::string& dir, const std::string& name, const std::string& source)
{
    const std::string path = dir + name;
    {
        std::ofstream out(path, std::ios::binary);
        out << source;
    }
    bool ok = false;
    {
        // The load records the panel the file names; the goldens name the
        // project's own.
        CPrjData& prj = *m_mgr->GetPrjData();
        prj.SetSrcDevType(FileCodeOf(prj.GetDevType(), prj.GetVariant() != 0));
        CParsOrvLoad parser(path, true, m_mgr->Bundle());
        parser.ReadDescription();
        parser.Parse();
        ok = parser.GetError() == 0;
        EXPECT_TRUE(ok) << parser.GetLineNo() << ": " << parser.GetError() << "/" << parser.GetXError() << " "
                        << parser.GetErrorText();
    }
    m_mgr->GetPrjData()->SetPath(path);
    frame.SetPrjPath(path);
    frame.SetStateFlags(frame.GetStateFlags() | CFrameState::kStateProjectLoaded);
    m_mgr->LoadPrjDriver();
    m_mgr->LoadPrjFkt();
    return ok;
}

std::string PrjMgrLinkKit::WriteSource(const std::string& path)
{
    {
        CRestOrv w(path, &m_mgr->Bundle());
        w.WriteDescription();
        w.WriteAll();
        EXPECT_TRUE(w.Finish());
    }
    return FileBytes(path);
}

std::string PrjMgrLinkKit::LogText() const
{
    std::string text;
    for (const UiCall& call : ui.Calls()) {
        if (call.kind == UiCall::Kind::LogAppend)
            text += call.text + "\n";
        else if (call.kind == UiCall::Kind::Box)
            text += "box " + std::to_string(call.id) + ": " + call.text + "\n";
    }
    return text;
}

} // namespace orv

// The workspace over the emulated panel: kit, binding, project loading and
// compiling as the commands do them.
#include "PrjMgrLinkKit.h"

#include "image/compile/Comp043.h"
#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/compile/Comp706.h"
#include "link/SerLinkBinding.h"
#include "model/project/FktCfg.h"
#include "model/project/PanelTable.h"
#include "model/project/PrjData.h"
#include "source/reader/ParsOrvLoad.h"
#include "source/writer/RestOrv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orv {

namespace {

namespace fs = std::filesystem;

// The image beside the source with the tag.
std::string LinkKitBeside(const std::string& src, const std::string& tag)
{
    const fs::path p(src);
    return (p.parent_path() / (p.stem().string() + "." + tag)).string();
}

} // namespace

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

bool PrjMgrLinkKit::CompileImage()
{
    CPrjMgr& mgr = *m_mgr;
    mgr.SavePrjDriver();
    mgr.SavePrjFkt();
    const std::string src = mgr.GetPrjData()->GetPath();
    const FileTags& tags = mgr.Workspace().Tags();
    const std::string image = LinkKitBeside(src, tags.compile);
    mgr.SetImageFile(image);
    const PanelRow* row = FindPanel(mgr.GetPrjData()->GetDevType());
    if (!row)
        return false;
    CMemInfo& mem = mgr.Workspace().MemInfo();
    const std::string fkt = mgr.GetFktCfg()->IsUsed() ? LinkKitBeside(src, tags.function) : std::string();
    switch (row->family) {
    case Family::F043: {
        mem.freeData = 32766;
        CComp043 comp(mgr.Workspace(), image, LinkKitBeside(src, tags.driver), fkt, 0, mgr.Bundle());
        return comp.GetError() == 0;
    }
    case Family::F118: {
        mem.freeData = 65535;
        {
            CComp118 comp(mgr.Workspace(), image, "", "", 0, mgr.Bundle());
            if (comp.GetError() != 0)
                return false;
        }
        CComp118Img2 recipes(mgr.Workspace(), LinkKitBeside(src, tags.recipe), mgr.Bundle());
        return recipes.GetError() == 0;
    }
    case Family::F706: {
        mem.freeData = 131070;
        CComp706 comp(mgr.Workspace(), image, mgr.Bundle());
        return comp.GetError() == 0;
    }
    }
    return false;
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

#include "BenchProject.h"

#include "image/compile/Comp118.h"
#include "image/compile/Comp118Img2.h"
#include "image/compile/Comp706.h"
#include "image/decompile/Deco706.h"
#include "model/project/Mnu.h"
#include "model/project/MsgTxt.h"
#include "model/project/OpTxt.h"
#include "model/project/PrjVarKinds.h"
#include "model/project/RcpTxt.h"
#include "model/project/SkAct.h"
#include "model/project/SkTxt.h"
#include "model/project/TxtRow.h"
#include "tools/cfggen/DrvBuilders.h"
#include "support/SpsParBuilder.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

namespace orv {

BenchDir::BenchDir(const std::string& name) : m_path(std::filesystem::temp_directory_path() / name)
{
    std::filesystem::create_directories(m_path);
}

BenchDir::~BenchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

BenchBundle::BenchBundle(CWorkspaceState& workspace, uint16_t panel) : drv(&workspace, &bundle)
{
    SpsParBuilder b;
    for (uint16_t w = 0; w < 256; ++w)
        b.Var(w);
    sps = b.Build(&bundle);
    bundle.prjData = &prj;
    bundle.spsPar = sps.get();
    bundle.drvCfg = &drv;
    bundle.charSet = &charSet;
    charSet.SetDevType(panel);
    prj.SetDevType(panel);
    prj.Clear();
}

std::vector<CPrjVar*> AddScaledVars(CPrjData& prj, int count, const std::string& prefix)
{
    std::vector<CPrjVar*> vars;
    for (int i = 0; i < count; ++i) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04d", i % 10000);
        auto* var = new CPrjVarBin(prefix + digits, static_cast<int16_t>(i % 250), 1, 2 + i % 4, 4, 1, 0, 9999, 0, 4000);
        var->SetWidth(5);
        prj.InsVar(var);
        vars.push_back(var);
    }
    return vars;
}

namespace {

bool PlainWriteRead(const std::string& path, std::vector<char>& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written)
        return false;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return false;
    const bool read = std::fread(bytes.data(), 1, bytes.size(), in) == bytes.size();
    std::fclose(in);
    return read;
}

} // namespace

double PlainIoRatio::Ratio(int64_t iterations, const std::string& path, uint64_t bytes) const
{
    using Seconds = std::chrono::duration<double>;
    const Seconds loop = std::chrono::steady_clock::now() - m_start;
    if (iterations <= 0 || bytes == 0)
        return 0;
    std::vector<char> data(static_cast<size_t>(bytes), '\x5A');
    constexpr int kRounds = 200;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        if (!PlainWriteRead(path, data))
            return 0;
    const Seconds plain = std::chrono::steady_clock::now() - start;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return (loop.count() / static_cast<double>(iterations)) / (plain.count() / kRounds);
}

namespace {

constexpr int kFullVarCount = 1000;
constexpr int kFullOpCount = 256;
constexpr int kFullMsgCount = 680;

// Two rows, each showing the two variables among words and blank runs.
template <class Entry>
Entry* TwoRows(Entry* entry, CPrjVar* first, CPrjVar* second)
{
    entry->SetRowCount(2);
    for (uint8_t r = 1; r <= 2; ++r) {
        CTxtVarSlots slots;
        slots.SetVar(0, first);
        slots.SetCol(0, 8);
        slots.SetVar(1, second);
        slots.SetCol(1, 30);
        entry->SetRow(std::make_unique<CPrjTxtRow>(r, "Value   #####   of row       #####", &slots));
    }
    return entry;
}

} // namespace

Full706::Full706(const std::string& dirName)
    : m_dir(dirName), m_workspace(m_dir.Prefix(), m_dir.Prefix()), m_project(m_workspace, 706)
{
    std::ofstream(Path("FULL.DRV"), std::ios::binary) << Drv706Entry().Build().bytes;
    m_project.bundle.frmCfg = &m_frm;
    m_frm.SetFrmId("FW706");
    Fill();
}

uint16_t Full706::Compile()
{
    m_workspace.MemInfo().freeData = CMemInfo::kDefaultFreeData;
    CComp706 comp(m_workspace, Path("FULL.BIN"), m_project.bundle);
    return comp.GetError();
}

uint16_t Full706::Decompile()
{
    m_project.prj.Clear();
    CDeco706 deco(&m_workspace, Path("FULL.BIN"), Path("FULL.DRV"), "", &m_project.bundle);
    return deco.GetError();
}

void Full706::Fill()
{
    CPrjData& prj = m_project.prj;
    prj.Clear();
    const std::vector<CPrjVar*> vars = AddScaledVars(prj, kFullVarCount, "Variable_");
    const auto var = [&vars](int n) { return vars[static_cast<size_t>(n) % vars.size()]; };
    for (int t = 0; t < kFullOpCount; ++t)
        prj.InsOpTxt(TwoRows(new CPrjOpTxt(t), var(t), var(t + 500)));
    for (int m = 0; m < kFullMsgCount; ++m)
        prj.InsMsgTxt(TwoRows(new CMsgTxt(m, 3, 2, 0), var(m * 3), var(m * 7)));
    prj.SetDescr("Benchmark project filling the panel memory");
}

namespace {

constexpr int kFull043Vars = 300;
constexpr int kFull043Texts = 128;
constexpr int kFull043Msgs = 100;

template <class Entry>
Entry* FillFull043Rows(Entry* entry, CPrjVar* var)
{
    entry->SetRowCount(2);
    for (uint8_t r = 1; r <= 2; ++r) {
        CTxtVarSlots slots;
        slots.SetVar(0, var);
        slots.SetCol(0, 12);
        entry->SetRow(std::make_unique<CPrjTxtRow>(r, "Value   is: #####  units   of row", &slots));
    }
    return entry;
}

constexpr int kFull118Vars = 500;
constexpr int kFull118Ops = 128;
constexpr int kFull118Msgs = 100;
constexpr int kFull118Rcps = 60;
constexpr int kFull118Acts = 40;
constexpr int kFull118Menus = 10;
constexpr uint32_t kFull118FreeData = 0xFFFF;
constexpr uint32_t kFull118FreeRecipe = 32767;

} // namespace

void FillFull043(CPrjData& prj)
{
    const std::vector<CPrjVar*> vars = AddScaledVars(prj, kFull043Vars, "Var");
    for (int t = 0; t < kFull043Texts; ++t)
        prj.InsOpTxt(FillFull043Rows(new CPrjOpTxt(t), vars[static_cast<size_t>(t) % vars.size()]));
    for (int m = 0; m < kFull043Msgs; ++m)
        prj.InsMsgTxt(FillFull043Rows(new CMsgTxt(m, 3, 2, 0), vars[static_cast<size_t>(m * 3) % vars.size()]));
    prj.SetDescr("Benchmark project filling the panel memory");
}

void FillFull118(CPrjData& prj)
{
    const std::vector<CPrjVar*> vars = AddScaledVars(prj, kFull118Vars, "Var");
    const auto row = [&](int seed, uint8_t num) {
        CTxtVarSlots slots;
        slots.SetVar(0, vars[static_cast<size_t>(seed) % vars.size()]);
        slots.SetCol(0, 3);
        slots.SetVar(1, vars[static_cast<size_t>(seed * 7 + 1) % vars.size()]);
        slots.SetCol(1, 20);
        return std::make_unique<CPrjTxtRow>(num, "V: #####  und   W: #####   Ende", &slots);
    };
    const auto fill = [&](auto* entry, int rows, int seed) {
        entry->SetRowCount(rows);
        for (int r = 1; r <= rows; ++r)
            entry->SetRow(row(seed + r, static_cast<uint8_t>(r)));
        return entry;
    };
    for (int t = 0; t < kFull118Ops; ++t)
        prj.InsOpTxt(fill(new CPrjOpTxt(t), 4, t));
    for (int m = 0; m < kFull118Msgs; ++m)
        prj.InsMsgTxt(fill(new CMsgTxt(m, 3, 2, 0), 2, m * 3));
    for (int r = 0; r < kFull118Rcps; ++r) {
        auto* text = new CPrjRcpTxt(r + 1);
        text->SetRowCount(1);
        CTxtVarSlots slots;
        for (int s = 0; s < 2; ++s) {
            CPrjVar* var = vars[static_cast<size_t>(r * 2 + s)];
            slots.SetVar(s, var);
            slots.SetCol(s, static_cast<uint8_t>(s * 8));
            text->GetValList().InsertPair(var, s);
        }
        text->SetRow(std::make_unique<CPrjTxtRow>(1, "#####   #####", &slots));
        prj.GetRcpTxtList()->Insert(text);
    }
    for (int kind = 0; kind < 5; ++kind)
        prj.InsHlpTxt(kind, fill(new CKindTxtRange(0, 0xFFFF), 3, kind));
    for (int a = 1; a <= kFull118Acts; ++a) {
        auto* act = new CPrjSkAct(a, "Aktion");
        act->SetOperation(0, 1, static_cast<uint16_t>(a), static_cast<uint16_t>(a), 1);
        prj.InsSkAct(act);
        auto* keys = new CPrjSkTxt(a);
        keys->SetActs(1, act, nullptr);
        prj.InsSkTxt(keys);
    }
    for (int m = 1; m <= kFull118Menus; ++m) {
        auto* menu = new CPrjMnu(static_cast<uint8_t>(m), "Menue" + std::to_string(m), 0x30FF);
        for (uint8_t n = 1; n <= 20; ++n) {
            auto* text = static_cast<CPrjOpTxt*>(prj.GetOpTxtList()->FindByNum(n));
            menu->InsNode(new CPrjMnuNode(n, 0, static_cast<uint8_t>(n % 20 + 1), 0, 0, text, n == 1 ? 1 : 0));
        }
        prj.InsMnu(menu);
    }
    prj.SetDescr("Benchmark project filling the panel memory");
}

uint16_t CompileFull118(CWorkspaceState& workspace, const BenchDir& paths, const PrjBundle& bundle, uint64_t& length)
{
    workspace.MemInfo().freeData = kFull118FreeData;
    workspace.MemInfo().freeRecipe = kFull118FreeRecipe;
    CComp118 first(workspace, paths.File("FULL.BIN"), "", "", 0, bundle);
    if (first.GetError() != 0)
        return first.GetError();
    length = first.GetLength();
    CComp118Img2 second(workspace, paths.File("FULL.RCP"), bundle);
    return second.GetError();
}

} // namespace orv

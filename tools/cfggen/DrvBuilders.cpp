// Lays out driver entries field by field, for the shipped placeholders and the test fixtures.
#include "tools/cfggen/DrvBuilders.h"

#include "tools/cfggen/ByteBuilder.h"

#include <algorithm>

namespace orv {

namespace {

size_t HighestOf(const DrvParamSpec& p)
{
    if (p.highest)
        return *p.highest;
    return p.texts.empty() ? 0 : p.texts.size() - 1;
}

// Text slots of a choice: one per index 0..t.
size_t SlotsOf(const DrvParamSpec& p)
{
    return HighestOf(p) + 1;
}

std::string LengthText(const std::string& text)
{
    std::string bytes(1, static_cast<char>(text.size()));
    return bytes + text;
}

} // namespace

DrvParamSpec DrvParamSpec::Number(std::string name, uint32_t setting, uint32_t lower, uint32_t upper)
{
    DrvParamSpec p;
    p.name = std::move(name);
    p.setting = setting;
    p.lower = lower;
    p.upper = upper;
    return p;
}

DrvParamSpec DrvParamSpec::Choice(std::string name, uint32_t setting, std::vector<std::string> texts)
{
    DrvParamSpec p;
    p.name = std::move(name);
    p.kind = Kind::Choice;
    p.setting = setting;
    p.texts = std::move(texts);
    return p;
}

std::string BuildXref(const DrvXrefLayout& layout)
{
    ByteBuilder b(layout.RecordBase());
    b.Text(2, layout.signature, 3);
    b.U8(5, static_cast<uint8_t>(layout.kind));
    b.U16(6, layout.count);
    for (size_t i = 0; i < layout.limits.size(); ++i)
        b.U16(8 + 2 * i, layout.limits[i]);
    b.U16(layout.kind == 'E' ? 22 : 20, layout.recSize);
    if (layout.kind == 'E') {
        for (size_t i = 0; i < layout.defs.size(); ++i)
            for (size_t k = 0; k < 4; ++k)
                b.U8(30 + 4 * i + k, layout.defs[i][k]);
    }
    if (layout.kind == 'S') {
        b.Reserve(28 + 4 * layout.fixed.size());
        for (size_t k = 0; k < layout.fixed.size(); ++k)
            b.U16(28 + 4 * k, layout.fixed[k]);
    }
    b.Reserve(layout.RecordBase() + size_t{layout.count} * layout.recSize);
    for (const auto& [index, bytes] : layout.records)
        b.Bytes(layout.RecordBase() + size_t{index} * layout.recSize, bytes);
    return b.Str();
}

BuiltDrvEntry Drv706Entry::Build() const
{
    BuiltDrvEntry out;
    ByteBuilder b(112);
    b.U16(2, checkWord);
    b.U16(4, magic);
    b.Text(6, drvFile, 12);
    for (size_t i = 0; i < 3; ++i) {
        b.U8(20 + i, dateStamp[i]);
        b.U8(40 + i, nameStamp[i]);
    }
    b.Text(26, copyName, 12, '\0');
    b.Text(46, "KIND:" + kind, 9);
    b.Text(64, "VERS:" + version, 10);

    size_t at = 112;
    for (const DrvParamSpec& p : params) {
        out.elementAt.push_back(at);
        const size_t n = p.name.size();
        at += p.kind == DrvParamSpec::Kind::Choice ? 19 + n + 4 * SlotsOf(p) : 27 + n;
    }
    std::vector<std::vector<size_t>> textAt(params.size());
    for (size_t i = 0; i < params.size(); ++i)
        for (const std::string& text : params[i].texts) {
            textAt[i].push_back(at);
            at += 1 + text.size();
        }

    for (size_t i = 0; i < params.size(); ++i) {
        const DrvParamSpec& p = params[i];
        const size_t e = out.elementAt[i];
        const size_t n = p.name.size();
        uint32_t next = 0;
        if (i + 1 < params.size())
            next = base + static_cast<uint32_t>(out.elementAt[i + 1]);
        else if (cyclicChain)
            next = base + static_cast<uint32_t>(out.elementAt[0]);
        b.U32(e, next);
        b.U8(e + 4, static_cast<uint8_t>(n));
        b.Bytes(e + 5, p.name);
        b.U8(e + 5 + n, p.spare);
        b.U8(e + 6 + n, p.cls);
        const uint16_t type = p.kind == DrvParamSpec::Kind::Number   ? 134
                              : p.kind == DrvParamSpec::Kind::Choice ? 142
                                                                     : p.rawType;
        b.U16(e + 7 + n, type);
        b.U32(e + 9 + n, p.first);
        b.U32(e + 13 + n, p.setting);
        out.valueAt.push_back(e + 13 + n);
        if (p.kind == DrvParamSpec::Kind::Choice) {
            b.U16(e + 17 + n, static_cast<uint16_t>(HighestOf(p)));
            for (size_t k = 0; k < SlotsOf(p); ++k)
                b.U32(e + 19 + n + 4 * k, k < textAt[i].size() ? base + static_cast<uint32_t>(textAt[i][k]) : 0);
            for (size_t k = 0; k < p.texts.size(); ++k)
                b.Bytes(textAt[i][k], LengthText(p.texts[k]));
        } else {
            b.U8(e + 17 + n, p.digits);
            b.U8(e + 18 + n, p.decimals);
            b.U32(e + 19 + n, p.lower);
            b.U32(e + 23 + n, p.upper);
        }
    }
    b.Reserve(at);
    b.U32(98, paramPtr.value_or(params.empty() ? 0 : base + static_cast<uint32_t>(out.elementAt[0])));
    if (xref) {
        out.xrefAt = at;
        b.Bytes(at, BuildXref(*xref));
        b.U32(106, base + static_cast<uint32_t>(at));
    }
    b.U16(88, val88.value_or(xref ? 20 : 0));
    b.Bytes(b.Size(), tail);
    b.Reserve(b.Size() + b.Size() % 2);
    b.U16(0, lengthWords.value_or(static_cast<uint16_t>(b.Size() / 2)));
    out.bytes = b.Str();
    return out;
}

BuiltDrvEntry Drv043Entry::Build() const
{
    BuiltDrvEntry out;
    ByteBuilder b(kP + 1);
    b.U8(2, mark);
    b.Text(3, copyName, 12);
    b.U16(16, dosTime);
    b.U16(18, dosDate);
    b.Text(20, "KIND:" + kind, 9);
    b.Text(29, drvFile, 12);
    b.U16(44, dosDate2);
    b.Text(46, "VERS:" + version, 9);
    b.U16(65, kP);
    b.U8(kP, count.value_or(static_cast<uint8_t>(params.size())));

    size_t at = kP + 1;
    for (const DrvParamSpec& p : params) {
        out.elementAt.push_back(at);
        at += p.kind == DrvParamSpec::Kind::Choice ? 9 + 2 * SlotsOf(p) : 18;
    }
    for (const DrvParamSpec& p : params) {
        out.valueAt.push_back(at);
        at += p.kind == DrvParamSpec::Kind::Choice ? 2 : 4;
    }
    std::vector<std::vector<size_t>> textAt(params.size());
    for (size_t i = 0; i < params.size(); ++i)
        for (const std::string& text : params[i].texts) {
            textAt[i].push_back(at);
            at += 1 + text.size();
        }

    for (size_t i = 0; i < params.size(); ++i) {
        const DrvParamSpec& p = params[i];
        const size_t e = out.elementAt[i];
        size_t next = 0;
        if (i + 1 < params.size())
            next = out.elementAt[i + 1];
        else if (cyclicChain)
            next = out.elementAt[0];
        b.U16(e, static_cast<uint16_t>(next));
        b.Text(e + 2, p.name, 2);
        b.U8(e + 4, p.spare);
        const uint16_t type = p.kind == DrvParamSpec::Kind::Number   ? 6
                              : p.kind == DrvParamSpec::Kind::Choice ? 14
                                                                     : p.rawType;
        b.U8(e + 5, static_cast<uint8_t>(type));
        b.U16(e + 6, static_cast<uint16_t>(out.valueAt[i]));
        if (p.kind == DrvParamSpec::Kind::Choice) {
            b.U8(out.valueAt[i], static_cast<uint8_t>(p.setting));
            b.U8(out.valueAt[i] + 1, kChoiceTrailer);
            b.U8(e + 8, static_cast<uint8_t>(HighestOf(p)));
            for (size_t k = 0; k < SlotsOf(p); ++k)
                b.U16(e + 9 + 2 * k, k < textAt[i].size() ? static_cast<uint16_t>(textAt[i][k]) : 0);
            for (size_t k = 0; k < p.texts.size(); ++k)
                b.Bytes(textAt[i][k], LengthText(p.texts[k]));
        } else {
            b.U32(out.valueAt[i], p.setting);
            b.U8(e + 8, p.digits);
            b.U8(e + 9, p.decimals);
            b.U32(e + 10, p.lower);
            b.U32(e + 14, p.upper);
        }
    }
    b.Reserve(at);
    if (xref) {
        out.xrefAt = at;
        b.Bytes(at, BuildXref(*xref));
        b.U16(kP - 2, static_cast<uint16_t>(at));
    }
    b.Bytes(b.Size(), tail);
    b.U16(0, length.value_or(static_cast<uint16_t>(b.Size())));
    out.bytes = b.Str();
    return out;
}

} // namespace orv

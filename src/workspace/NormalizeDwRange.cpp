// The per-PLC-type data-word rules as one table of limits plus the few types
// that need rules of their own.
#include "workspace/NormalizeDwRange.h"

#include <algorithm>
#include <array>
#include <limits>

namespace orv {

namespace {

enum class Scale : uint8_t { None, Times16, Half };

// The standard rule: the last start M, the length limit C and the area end E.
struct StdRule {
    Scale scale;
    int64_t lastStart;
    int64_t maxLength;
    int64_t areaEnd;
};

// Ids outside 0..48 and the types with rules of their own have no row.
struct StdRow {
    int16_t sps;
    StdRule rule;
};

constexpr std::array<StdRow, 38> kStdRules{{
    {1, {Scale::None, 255, 256, 256}},        {2, {Scale::None, 65534, 256, 65535}},
    {3, {Scale::Times16, 50176, 256, 50177}}, {4, {Scale::Times16, 64640, 256, 64641}},
    {6, {Scale::None, 15000, 256, 15001}},    {7, {Scale::None, 1985, 256, 1986}},
    {8, {Scale::None, 41872, 256, 41873}},    {9, {Scale::None, 255, 256, 256}},
    {10, {Scale::Half, 4096, 256, 4097}},     {13, {Scale::None, 32535, 256, 32536}},
    {14, {Scale::Times16, 511, 256, 512}},    {17, {Scale::None, 4095, 256, 4096}},
    {18, {Scale::Half, 127, 256, 128}},       {19, {Scale::None, 2048, 256, 2049}},
    {20, {Scale::None, 1023, 256, 1024}},     {21, {Scale::None, 8191, 200, 8192}},
    {22, {Scale::None, 999, 256, 1000}},      {23, {Scale::None, 99, 100, 100}},
    {24, {Scale::Half, 32766, 256, 32767}},   {26, {Scale::None, 8999, 256, 9000}},
    {28, {Scale::None, 9999, 256, 10000}},    {29, {Scale::None, 3261, 256, 3262}},
    {30, {Scale::None, 255, 256, 256}},       {31, {Scale::None, 8999, 256, 9000}},
    {32, {Scale::None, 255, 256, 256}},       {34, {Scale::Half, 127, 256, 128}},
    {35, {Scale::Half, 4095, 256, 4096}},     {36, {Scale::Half, 510, 256, 511}},
    {37, {Scale::None, 1023, 256, 1024}},     {39, {Scale::Half, 4094, 256, 4095}},
    {40, {Scale::None, 65535, 256, 65536}},   {41, {Scale::None, 1535, 256, 1536}},
    {44, {Scale::None, 65534, 256, 65535}},   {46, {Scale::None, 4999, 256, 5000}},
    {47, {Scale::None, 255, 256, 256}},       {48, {Scale::None, 255, 256, 256}},
    // Type 12 picks its rule by driver; these are its two shapes.
    {-17, {Scale::Times16, 4079, 256, 4080}}, {-23, {Scale::None, 2048, 256, 2049}},
}};

const StdRule* StdRuleOf(int32_t key)
{
    for (const StdRow& row : kStdRules)
        if (row.sps == key)
            return &row.rule;
    return nullptr;
}

// Computed wide: the scales multiply words a damaged database may let be large.
struct Wide {
    int64_t f;
    int64_t l;
    int64_t n;
};

void ApplyStd(const StdRule& r, Wide& w)
{
    switch (r.scale) {
    case Scale::Times16:
        w.n = (w.l - w.f + 1) * 16;
        w.f *= 16;
        w.l *= 16;
        break;
    case Scale::Half:
        w.f /= 2;
        w.l /= 2;
        w.n = w.l - w.f + 1;
        break;
    case Scale::None:
        w.n = w.l - w.f + 1;
        break;
    }
    if (w.f > r.lastStart)
        w.f = r.lastStart;
    if (w.n > r.maxLength)
        w.n = r.maxLength;
    if (w.f + w.n > r.areaEnd)
        w.n = r.areaEnd - w.f;
}

// The PLC types whose area starts at word 0, whatever word the user typed.
constexpr std::array<int32_t, 5> kFromZeroTypes{11, 16, 33, 42, 43};

bool StartsAtWordZero(int32_t spsId)
{
    return std::find(kFromZeroTypes.begin(), kFromZeroTypes.end(), spsId) != kFromZeroTypes.end();
}

void FromZero(Wide& w)
{
    w.f = 0;
    w.n = std::min<int64_t>(w.l + 1, 256);
}

// Types 25 and 27: the length by driver, then the area's end.
void ByDriver(Wide& w, bool countsRange, bool fullLength, int64_t lastStart, int64_t areaEnd)
{
    if (countsRange)
        w.n = std::min<int64_t>(w.l - w.f + 1, 256);
    else if (fullLength)
        w.n = 256;
    if (w.f > lastStart)
        w.f = lastStart;
    if (w.f + w.n > areaEnd)
        w.n = areaEnd - w.f;
}

// Types 0 and 45: the first word scaled, a fixed length of 256 within the
// area's end.
void FixedWindow(Wide& w, int64_t factor, int64_t last, int64_t lastStart, int64_t areaEnd)
{
    w.f *= factor;
    w.l = last;
    w.n = 256;
    if (w.f > lastStart)
        w.f = lastStart;
    if (w.f + 256 > areaEnd)
        w.n = areaEnd - w.f;
}

int32_t Narrow(int64_t v)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

void NormalizeDwRange(int32_t spsId, int32_t drvId, DwRange& range)
{
    Wide w{range.first, range.last, range.length};
    switch (spsId) {
    case 0:
        FixedWindow(w, 8, 65535, 2031, 2032);
        break;
    case 5:
        w.f = 0;
        w.l /= 2;
        w.n = std::min<int64_t>(w.l + 1, 64);
        break;
    case 9:
        if (drvId == 11 || drvId == 13 || drvId == 74)
            w.f = 0;
        ApplyStd(*StdRuleOf(9), w);
        break;
    case 12:
        if (drvId == 17)
            ApplyStd(*StdRuleOf(-17), w);
        else if (drvId == 23 || drvId == 25)
            ApplyStd(*StdRuleOf(-23), w);
        break;
    case 15:
        w.f /= 2;
        w.l /= 2;
        w.n = w.l - w.f + 1;
        if (w.f > 1999)
            w.f = 1999;
        if (drvId == 20 && w.n > 64)
            w.n = 64;
        if ((drvId == 21 || drvId == 22) && w.n > 256)
            w.n = 256;
        if (w.f + w.n > 2000)
            w.n = 2000 - w.f;
        break;
    case 25:
        ByDriver(w, drvId == 5, drvId == 30, 32767, 32768);
        break;
    case 27:
        ByDriver(w, drvId == 32 || drvId == 33 || drvId == 34 || drvId == 36 || drvId == 37, false, 1023, 1024);
        break;
    case 38:
        w.n = 256;
        break;
    case 45:
        FixedWindow(w, 256, 65534, 65534, 65535);
        w.f /= 2;
        break;
    default:
        if (spsId < 0 || spsId > 48)
            break;
        if (StartsAtWordZero(spsId))
            FromZero(w);
        else if (const StdRule* rule = StdRuleOf(spsId))
            ApplyStd(*rule, w);
        break;
    }
    range = {Narrow(w.f), Narrow(w.l), Narrow(w.n)};
}

} // namespace orv

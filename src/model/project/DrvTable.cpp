// Driver keys and file names from the constant catalogue, so the table and the
// texts the user sees cannot drift apart.
#include "model/project/DrvTable.h"

#include "model/core/Catalogues.h"

#include <array>

namespace orv {

namespace {

// Constant-text numbers of the key and the file name; file 0: none.
struct DrvTexts {
    uint16_t key;
    uint16_t file;
};

constexpr std::array<DrvTexts, kDrvCount> kDrivers = {{
    {1, 80}, {2, 139}, {3, 82}, {5, 84}, {6, 81}, {7, 103}, {8, 133}, {9, 104},
    {10, 105}, {11, 85}, {12, 136}, {13, 86}, {14, 88}, {15, 87}, {18, 93}, {16, 92},
    {17, 91}, {19, 94}, {20, 95}, {21, 96}, {22, 97}, {23, 97}, {24, 98}, {25, 120},
    {26, 138}, {27, 119}, {28, 121}, {31, 99}, {32, 100}, {33, 101}, {34, 124}, {35, 137},
    {37, 111}, {38, 110}, {39, 109}, {36, 106}, {40, 108}, {41, 107}, {42, 114}, {43, 113},
    {44, 112}, {45, 115}, {49, 118}, {50, 117}, {51, 102}, {52, 90}, {53, 89}, {61, 132},
    {63, 134}, {64, 135}, {54, 125}, {55, 126}, {56, 127}, {57, 128}, {58, 129}, {59, 130},
    {60, 131}, {48, 116}, {29, 123}, {4, 83}, {62, 140}, {65, 152}, {66, 147}, {67, 146},
    {68, 143}, {69, 142}, {30, 122}, {70, 144}, {72, 0}, {46, 148}, {47, 149}, {71, 150},
    {73, 151}, {74, 153}, {75, 154}, {76, 155}, {77, 156}, {78, 157}, {79, 0},
}};

} // namespace

const char* DrvIniKey(uint16_t drvNo)
{
    return drvNo < kDrvCount ? ResKonstText(kDrivers[drvNo].key) : "";
}

const char* DrvStdFileName(uint16_t drvNo)
{
    if (drvNo >= kDrvCount || kDrivers[drvNo].file == 0)
        return "";
    return ResKonstText(kDrivers[drvNo].file);
}

} // namespace orv

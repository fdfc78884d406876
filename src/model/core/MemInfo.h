// Figures of the last compile that compilers and decompilers add to, shown to
// the user after a run.
#pragma once

#include <cstdint>

namespace orv {

// Memory statistics of the last compile, with the per-kind object counts
// that the compilers and decompilers add to.
struct CMemInfo {
    struct Counts {
        uint16_t vars = 0;
        uint16_t varTexts = 0;
        uint16_t opTexts = 0;
        uint16_t opRows = 0;
        uint16_t msgTexts = 0;
        uint16_t msgRows = 0;
        uint16_t rcpTexts = 0;
        uint16_t rcpRows = 0;
        uint16_t histTexts = 0;
        uint16_t histRows = 0;
        uint16_t hlpTexts = 0;
        uint16_t hlpRows = 0;
        uint16_t opPrnTexts = 0;
        uint16_t opPrnRows = 0;
        uint16_t msgPrnTexts = 0;
        uint16_t msgPrnRows = 0;
        uint16_t menus = 0;
        uint16_t menuNodes = 0;
        uint16_t timeSwitches = 0;
        uint16_t timeValues = 0;
        uint16_t skTexts = 0;
        uint16_t skActions = 0;
    };

    static constexpr uint32_t kDefaultFreeData = 131070;
    static constexpr uint32_t kDefaultFreeRecipe = 4096;

    uint16_t devType = 14;
    uint8_t compiling = 0;
    Counts counts;
    uint32_t freeData = kDefaultFreeData;
    uint32_t freeRecipe = kDefaultFreeRecipe;

    void Init() { *this = CMemInfo{}; }
    void ClearCounts() { counts = Counts{}; }
};

} // namespace orv

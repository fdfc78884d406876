// The compiler base of the image layer: builds a panel image in memory and
// replaces the output file only with a complete one.
#pragma once

#include "image/codec/ImageBuffer.h"
#include "image/codec/ImgLayout.h"
#include "model/core/ErrorSlot.h"
#include "model/core/StepResult.h"

#include <array>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CWorkspaceState;
struct PrjBundle;
class CPrjData;
class CSpsPar;
class CFrmCfg;
class CCharSet;
class CPrjMnu;
class CPrjMnuNode;
class CPrjVar;
class ImgRecord;

// The base of the project compilers: owns the image being built in memory
// and the two files appended to the 043 family images, offers the write
// primitives every compile step uses, keeps the image within the panel
// memory, replaces the output file only with a complete image, keeps the
// workspace's free-memory figures and object counters, and turns the final
// error code into what the user is told.
class CComp {
public:
    // Error codes.
    enum : uint16_t {
        kErrOutput = 3,
        kErrDriver = 5,
        kErrSpecial = 7,
        kErrIncomplete = 20,
        kErrMemory = 23,
        kErrRecipeConflict = 48,
        kErrRecipeMemory = 49,
        kErrDateBlock = 50,
        kErrRecipeBlock = 51,
        kErrVarMemory = 53,
    };
    static constexpr uint16_t kNoMsgWord = 0xFFFF;
    static constexpr uint32_t kSecondLimit = 0x8000;

    // The objects a compile counts, in the order of the workspace's counters.
    enum class Counter {
        Vars, SharedTexts, OpTexts, OpRows, MsgTexts, MsgRows, RcpTexts, RcpRows, HistTexts, HistRows,
        HlpTexts, HlpRows, OpPrnTexts, OpPrnRows, MsgPrnTexts, MsgPrnRows, Menus, MenuNodes,
        TimeSwitches, TimeValues, SkActions, SkTexts,
    };

    // Checks that the output can be created and reads the driver and
    // special-function files, each only when its path is not empty; the
    // first failure sets 3, 5 or 7 and stops the others. The output is not
    // touched before the compile is complete.
    CComp(CWorkspaceState& workspace, const std::string& outPath, const std::string& drvPath,
          const std::string& fktPath, const PrjBundle& bundle);
    virtual ~CComp() = default;
    CComp(const CComp&) = delete;
    CComp& operator=(const CComp&) = delete;

    // True for a usable image; otherwise reports to the user and clears the
    // reported state.
    bool CheckError();

    CPrjData* GetPrjData() const { return m_prj; }
    CSpsPar* GetSpsPar() const { return m_sps; }
    uint16_t GetError() const { return m_error.Code(); }
    uint16_t GetNamesLevel() const { return m_namesLevel; }
    const std::vector<CPrjMnu*>& GetBrokenMnus() const { return m_brokenMnus; }
    CPrjMnu* GetCurMnu() const { return m_curMnu; }
    void SetCurMnu(CPrjMnu* menu) { m_curMnu = menu; }
    uint16_t GetDevType() const { return m_devType; }
    uint16_t GetFwLevel() const { return m_fwLevel; }
    uint64_t GetLength() const { return m_out.Size(); }

protected:
    // Every primitive gives 1, or -1 after setting an error: 23 when the
    // image would reach the memory limit, 20 when an offset lies outside the
    // image built so far. Either way the output is never written.
    StepResult AppendByte(uint8_t value);
    StepResult AppendWord(uint16_t value);
    StepResult AppendDWord(uint32_t value);
    // The characters and the closing NUL.
    StepResult AppendString(std::string_view text);
    // A length byte and the bytes (at most 255).
    StepResult AppendCounted(std::string_view bytes);
    StepResult AppendValue48(int64_t value);
    StepResult AppendBytes(std::string_view bytes);
    StepResult AppendZeros(uint64_t count);
    StepResult WriteByte(uint32_t offset, uint8_t value);
    StepResult WriteWord(uint32_t offset, uint16_t value);
    StepResult WriteDWord(uint32_t offset, uint32_t value);
    // The characters and the closing NUL.
    StepResult WriteString(uint32_t offset, std::string_view text);
    StepResult WriteBytes(uint32_t offset, std::string_view bytes);
    StepResult ReadWord(uint32_t offset, uint16_t& value);
    StepResult ReadDWord(uint32_t offset, uint32_t& value);
    StepResult PadEven();
    // Pads to even, then moves to the next block boundary when a record of n
    // bytes would reach it.
    StepResult Reserve(uint32_t n);
    // Reserves room for the record and appends it; at is its address.
    StepResult PlaceRecord(const ImgRecord& record, uint32_t& at);
    // The same with room bytes reserved in place of the record's size.
    StepResult PlaceRecord(const ImgRecord& record, uint32_t room, uint32_t& at);
    // A table of the word count and count words of 0, placed as a record;
    // its address into the header slot.
    StepResult PlaceSlotTable(uint16_t count, uint32_t slot, uint32_t& at);
    // Appends the driver or special-function file whole; nothing without one.
    StepResult CopyDriverFile() { return AppendBytes(m_drv); }
    StepResult CopySpecialFile() { return AppendBytes(m_fkt); }

    // Runs the family's compile, then replaces the output with the image
    // when nothing failed; a failed replacement is error 20 and keeps the
    // old file. Memory the machine cannot give ends the compile as
    // incomplete instead of leaving the library.
    template <class Compile>
    void CompileAndWrite(Compile compile)
    {
        if (Failed())
            return;
        try {
            compile();
            // A failed replacement keeps its error for CheckError.
            static_cast<void>(WriteOut());
        } catch (const std::bad_alloc&) {
            SetError(kErrIncomplete);
        }
    }
    // Replaces the output with the image when no error is set.
    StepResult WriteOut();

    // Error 20 unless the project data and the character set are there.
    bool HasProject();
    // The first error wins.
    void SetError(uint16_t code);
    bool Failed() const { return m_error.Failed(); }
    // Sets error 20 and logs the reason; gives -1 for the step to return.
    int Fail(const char* format, ...) __attribute__((format(printf, 2, 3)));

    uint32_t GetMemLimit() const { return m_memLimit; }
    // The image must stay below the limit.
    void SetMemLimit(uint32_t limit);
    // The workspace's free panel memory: limit - length, or 0.
    void UpdateFreeMemory();
    void SetSecondImage() { m_secondImage = true; }

    std::array<uint8_t, 4>& Flags043_118() { return m_flags043_118; }
    std::array<uint8_t, 8>& Flags706() { return m_flags706; }
    void SetFlagBit043_118(unsigned bit) { imglayout::SetFlagBit4(m_flags043_118, bit); }
    void SetFlagBit706(unsigned bit) { imglayout::SetFlagBit8(m_flags706, bit); }

    // Numbers above 255 are ignored and read as 0.
    void SetNodeAdr(int num, uint32_t address);
    uint32_t GetNodeAdr(int num) const;
    void ClearNodes() { m_nodes.fill(0); }

    void RaiseFwLevel(uint16_t level);
    void NoteMessageWord(uint16_t word);
    // Counts one object of the kind in the workspace and updates the free
    // panel memory.
    void Count(Counter kind);
    void AddBrokenMnu(CPrjMnu* menu);
    // Error 20 for a menu without a start node; otherwise makes it the
    // current menu with no node placed yet and gives its start node.
    const CPrjMnuNode* BeginMnu(CPrjMnu& menu);
    // Keeps the written menu for the names, counts it and lists it when
    // broken.
    void EndMnu(CPrjMnu& menu, bool broken);

    // 118 family second image.
    void SetRecipeLength(uint64_t length);
    // Error 49 when the recipe length is not below the second limit.
    StepResult CheckRecipeLimit();
    void SetConflict(uint16_t recipeNum, std::string text);
    // The recipe check word takes 16 bits, highest first.
    void FeedCheckWord(uint16_t value);
    uint16_t GetCheckWord() const { return m_checkWord; }
    // 706 family: pads to even, word 0 = length / 2, the check word at 2.
    StepResult StampFamily706CheckWord();

    // The limits of a BIN or VBIN variable with its display and PLC spans
    // reduced to lowest terms.
    struct Spans {
        int64_t lower, plcLower, dsp, plc;
    };
    // Error 20 naming the variable for an empty or reversed display span, a
    // reversed PLC span, and for word spans a reduced term beyond a word.
    StepResult ReduceSpans(const CPrjVar& var, bool isSigned, bool wordSpans, Spans& out);
    // Feeds the recipe check word: the number of recipe texts, then per text
    // the type codes of its values and a 1.
    void FeedRecipeCheck();
    // The second image reports every failure as one code.
    void ReplaceError(uint16_t code) { m_error.Replace(code); }

    // Writes the variable names, the menu names and the description while
    // they fit below the limit with the reserve kept free, and records what
    // was left out in the names level.
    // eachReserved: every name is placed with the boundary rule.
    StepResult FitNames(uint32_t reserve, bool eachReserved = false);
    // 706 family leaves out only the description.
    void SetNamesLevel(uint16_t level) { m_namesLevel = level; }

    CWorkspaceState& Workspace() { return m_workspace; }
    CCharSet* GetCharSet() const { return m_charSet; }
    CFrmCfg* GetFrmCfg() const { return m_frmCfg; }
    imglayout::BlockRule GetBlockRule() const;
    // The variables and menus written, in order: FitNames names them.
    std::vector<CPrjVar*>& WrittenVars() { return m_writtenVars; }
    std::vector<CPrjMnu*>& WrittenMnus() { return m_writtenMnus; }

private:
    // 1 when the write went in; else the error for the buffer's failure.
    StepResult Written(bool ok);
    void ReportSuccess();

    CWorkspaceState& m_workspace;
    bool m_secondImage = false;
    CPrjData* m_prj;
    CSpsPar* m_sps;
    CFrmCfg* m_frmCfg;
    CCharSet* m_charSet;
    std::vector<CPrjMnu*> m_brokenMnus;  // borrowed from the project
    std::string m_outPath;
    std::string m_drv;
    std::string m_fkt;
    ImageBuffer m_out;
    CPrjMnu* m_curMnu = nullptr;
    ErrorSlot m_error;
    uint16_t m_namesLevel = 0;
    uint16_t m_msgWord = kNoMsgWord;
    uint32_t m_memLimit = 0x8000;
    uint64_t m_recipeLength = 0;
    std::array<uint32_t, 256> m_nodes{};
    std::vector<CPrjVar*> m_writtenVars;
    std::vector<CPrjMnu*> m_writtenMnus;
    uint16_t m_conflictRecipe = 0;
    std::string m_conflictText;
    uint16_t m_checkWord = 0;
    uint16_t m_devType = 36;
    uint16_t m_fwLevel = 0;
    std::array<uint8_t, 4> m_flags043_118{};
    std::array<uint8_t, 8> m_flags706{};
};

} // namespace orv

// The decompiler base of the image layer: rebuilds a project from an image read
// whole into memory, with its companion files.
#pragma once

#include "image/codec/BeReader.h"
#include "image/codec/MemoryGuard.h"
#include "model/core/Coll.h"
#include "model/core/ErrorSlot.h"
#include "model/core/StepResult.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;
class CPrjData;
class CSpsPar;
class CDrvCfg;
class CCharSet;
class CPrjSkActList;
class CPrjVar;
class CPrjSkTxt;
class CWorkspaceState;

// A companion file of the image (driver, special functions), read whole:
// every read lies inside the file or fails.
class DecoFile {
public:
    DecoFile(const std::string& path, const char* module);
    bool IsOpen() const { return m_open; }
    BeReader Reader() const { return BeReader(m_bytes); }
    [[nodiscard]] bool Read(uint32_t offset, void* buffer, uint16_t length) const;
    [[nodiscard]] bool Word(uint32_t offset, uint16_t& value) const;
    [[nodiscard]] bool DWord(uint32_t offset, uint32_t& value) const;

private:
    std::string m_bytes;
    bool m_open = false;
};

// The kinds of objects a decompile counts, in the order of the workspace's
// counters.
enum class DecoKind {
    Vars, VarTexts, OpTexts, OpRows, SkTexts, MsgTexts, MsgRows, RcpTexts, RcpRows, HistTexts, HistRows,
    HlpTexts, HlpRows, SkActs, PrnTexts, PrnRows, Menus, MenuNodes, TimeSwitches, TimeValues
};

// What every decompiler shares: the image, read only through the bounded
// primitives below, the project objects it fills (borrowed from the
// bundle), the first error met, and the helpers of the record decoders.
// Construction opens the image; the front ends run the decompile in their
// own construction. The caller has cleared the project before.
class CDeco {
public:
    static constexpr uint16_t kErrImage = 3;
    static constexpr uint16_t kErrImageAlt = 10;
    static constexpr uint16_t kErrDrv = 5;
    static constexpr uint16_t kErrFkt = 7;
    static constexpr uint16_t kErrMemory = 21;
    static constexpr uint16_t kErrIntVar = 32;
    static constexpr uint16_t kErrRead = 41;
    static constexpr uint16_t kErrWord = 42;

    // bundle and workspace may be null.
    CDeco(CWorkspaceState* workspace, const std::string& imagePath, const std::string& drvPath,
          const std::string& fktPath, PrjBundle* bundle, const char* module = "Deco_orv");
    virtual ~CDeco() = default;
    CDeco(const CDeco&) = delete;
    CDeco& operator=(const CDeco&) = delete;

    // True without an error. Otherwise shows the error's message, clears it
    // and gives false; error 7 is cleared without a message, and a code the
    // table does not know gives false silently and stays.
    bool CheckError();
    uint16_t GetError() const { return m_error.Code(); }
    uint16_t GetErrWord() const { return m_error.Word(); }
    const std::string& GetErrName() const { return m_errName; }

    // Reads on the image. Each gives 1, or -1 with error 41 when any byte
    // lies at or past the image's end. A block of length 0 succeeds.
    StepResult ReadByte(uint32_t offset, uint8_t& value);
    StepResult ReadWord(uint32_t offset, uint16_t& value);
    StepResult ReadDWord(uint32_t offset, uint32_t& value);
    // A dword address in the image: 0 (none) or inside the image, so that
    // offsets added to it cannot wrap round to its start.
    StepResult ReadPointer(uint32_t offset, uint32_t& value);
    StepResult ReadBlock(uint32_t offset, void* buffer, uint16_t length);
    StepResult ReadSigned48(uint32_t offset, int64_t& value);
    // The bytes at up to a NUL, at most max of them; convert takes each as
    // the panel's character code.
    StepResult ReadString(uint32_t at, size_t max, bool convert, std::string& text);

    // Every PLC data word first .. first + count − 1 must be a driver item
    // that is not a system word: else error 42 with the word, -1. Without
    // PLC parameters error 41.
    StepResult CheckWordAddrs(uint16_t first, uint16_t count);

    // Adds 1 to the kind's counter of the workspace.
    void Count(DecoKind kind);

    static uint32_t HexDigitsAsDecimal(uint32_t value);
    // The next generated name: "AA", "AB", …, "AZ", "BA", …
    void NameLetterCounter();
    std::string GeneratedName() const;

    // Bit n of the section mask (4 bytes, or 8 for the family of 706),
    // counted from the lowest bit of the last byte; false beyond the mask.
    [[nodiscard]] bool BitTest(int bit) const;

    // Reads the version field at 31 and the section mask at 131.
    StepResult CheckSignature();
    // The end of the text area, lowered to the other areas' starts; the
    // menu slots only in the 043 family.
    StepResult FindTextAreaEnd(bool family043);
    bool HasSignature() const { return m_signature != 0; }
    bool IsNewFormat() const { return m_newFormat != 0; }
    uint16_t GetTextAreaEnd() const { return m_textEnd; }
    // Where rows may be read up to. The word at 2 is the data set's length
    // less 2, so a text area that ends there ends with the data set: a last
    // row of one byte lies in those 2 bytes and would be lost.
    uint32_t RowLimit() const { return m_textEnd == m_lengthWord ? m_lengthWord + 2u : m_textEnd; }

    // The driver parameter block at block of the file into the driver
    // configuration: the short, long or extended form. Read failures give
    // 5 (short form, definitions) or recordError (the mark, long and
    // extended records).
    StepResult ReadDrvParams(BeReader file, uint32_t block, uint16_t recordError = kErrImage);

protected:
    void SetError(uint16_t error, uint16_t word = 0);
    // Runs the front end's steps; memory running out in them is error 21.
    template <class Steps>
    void Guarded(Steps steps)
    {
        GuardMemory(steps, [this] { SetError(kErrMemory); });
    }
    // After an insert at index: 1 when the list took item (the list owns
    // it now), -1 when it refused it (item is destroyed with its holder).
    template <class Item>
    static int Taken(const CColl* list, int index, std::unique_ptr<Item>& item)
    {
        if (list == nullptr || index < 0 || index >= list->GetCount() || list->At(index) != item.get())
            return -1;
        item.release();
        return 1;
    }
    void SetErrName(const std::string& name) { m_errName = name; }
    bool Failed() const { return m_error.Failed(); }
    uint8_t PanelChar(uint8_t byte) const;
    // The variable of that name in the variable list or the firmware's.
    CPrjVar* FindVar(std::string_view name) const;
    // Frees what a variable that no list took holds.
    static void DiscardVar(std::unique_ptr<CPrjVar>& var);
    // The variable into the project; one the list refuses is discarded.
    StepResult InsertVar(std::unique_ptr<CPrjVar>& var);
    // Key key of text gets the press and release actions whose numbers the
    // two words at pair hold (0: none). A number that acts does not hold
    // cannot be rebuilt and fails.
    StepResult ReadKeyPair(const CPrjSkActList& acts, CPrjSkTxt& text, int key, uint32_t pair);
    // The softkey text into the project, counted.
    StepResult InsertSkTxt(std::unique_ptr<CPrjSkTxt> text);
    void SetMask(const uint8_t* bytes, int size);
    BeReader Image() const { return BeReader(m_image); }
    int64_t ImageSize() const { return static_cast<int64_t>(m_image.size()); }
    // Whether n bytes at offset lie inside the image.
    bool Holds(int64_t offset, int64_t n) const { return offset >= 0 && n >= 0 && offset + n <= ImageSize(); }
    const std::string& DrvPath() const { return m_drvPath; }
    const std::string& FktPath() const { return m_fktPath; }
    void ResetFrontEnd();

    CPrjData* m_prj = nullptr;
    CSpsPar* m_sps = nullptr;
    CDrvCfg* m_drv = nullptr;
    CCharSet* m_charSet = nullptr;

private:
    // One number through the image's reader; error 41 when it does not lie
    // inside the image.
    template <class Number>
    StepResult ReadNumber(uint32_t offset, Number& value);
    StepResult ReadShortForm(BeReader& file, uint32_t block);
    StepResult ReadLongForm(BeReader& file, uint32_t block, bool extended, uint16_t recordError);
    StepResult ReadDefs(BeReader& file, uint32_t block);

    CWorkspaceState* m_workspace;
    std::string m_drvPath;
    std::string m_fktPath;
    ErrorSlot m_error;
    std::string m_errName;
    // The whole image, read once.
    std::string m_image;

    uint16_t m_signature = 0;
    uint16_t m_textEnd = 0xFFFF;
    uint16_t m_lengthWord = 0;
    uint8_t m_newFormat = 0;
    std::array<char, 2> m_letters{'A', '@'};
    std::array<uint8_t, 8> m_mask{};
    int m_maskSize = 4;
};

} // namespace orv

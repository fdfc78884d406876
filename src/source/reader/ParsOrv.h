// The grammar parser of project source files, on top of the tokenizer; its
// statement handlers live in the ParsOrv* units by statement group.
#pragma once

#include "model/core/StepResult.h"
#include "model/project/TxtRow.h"
#include "model/project/PanelType.h"
#include "source/reader/Parser.h"
#include "source/reader/SrcRules.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <string>
#include <string_view>

namespace orv {

struct PrjBundle;
class CPrjData;
class CSpsPar;
class CDrvCfg;
class CCharSet;
class CPrjVar;
class CPrjMnu;
class CPrjTimer;
class CPrjOpTxt;
class CPrjSkAct;
class CPrjSkTxt;
class CMsgTxt;
class CHistTxt;
class CKindTxt;
class CPrjRcpTxt;
class COpPrnTxt;
class CMsgPrnTxt;
class CPrjNumEntry;
class CSpsDefList;

// Asked with the line number every 20th line; true abandons the parse.
using ParseCancelFn = std::function<bool(int line)>;

// The grammar parser of a project source file: the description block, the
// header, BEGIN, the statements up to END. Statements are tried by handlers
// that answer 0 (not this statement, nothing consumed), 1 (done) or -1
// (error). The first error ends the parse; Finish reports it.
class CParsOrv : public CParser {
public:
    // Error states besides the tokenizer's open error 11.
    enum : uint16_t {
        ErrOpen = 11,
        ErrSyntax = 15,
        ErrXError = 16,
        ErrMemory = 21,
        ErrCancelled = 45,
    };
    enum : uint16_t { StateHeader = 0, StateBegin = 1, StateStatements = 2, StateDone = 3 };

    ~CParsOrv() override;

    bool HasError() const { return GetError() != 0; }
    uint16_t GetXError() const { return GetErrorWord(); }
    uint16_t GetState() const { return m_state; }
    const std::string& GetErrorText() const { return m_errorText; }
    // Where the error stands: at the last character when the read position
    // is past the end of the line.
    uint16_t GetErrorColumn() const;

    // Reads the description block when there is one; otherwise the parse
    // starts again at line 1. An allocation failure ends it with error 21.
    void ReadDescription();
    // Reads the statements into the project; an allocation failure ends the
    // parse with error 21 instead of leaving the library.
    void Parse();
    // The end-of-parse report; false only when the file could not be opened.
    virtual bool Finish();
    // Counts the line and polls the cancellation every 20th line.
    bool ReadLine() override;

protected:
    using Handler = StepResult (CParsOrv::*)();

    // The history list's template is deleted when the file replaces the
    // project.
    CParsOrv(const std::string& fileName, bool load, const PrjBundle& bundle, ParseCancelFn cancel);

    // --- Error reporting; every one returns -1 for the handler --------

    int SignError(char c);
    int KeywordError(std::string_view keyword);
    int XError(uint16_t n);
    // A formatted range text reported as a sign or keyword error is.
    int TextError(const std::string& text);

    // --- Field readers --------------------------------------------------

    // ',' before a field, else a sign error.
    [[nodiscard]] bool ExpectComma();
    // Up to 16 identifier characters; empty when none. Old short internal
    // names are mapped when a 043 family file is read into a 706 project.
    std::string ReadIdent();
    // A quoted text without variables; characters are tested and converted
    // as display characters (printer: as printer characters). -1 on error.
    StepResult ReadQuoted(std::string& text, size_t maxLen, bool printer);
    // One character inside the quotes, "$hh" decoded, tested and converted.
    // 1: char given, 0: closing quote met (consumed), -1: error.
    StepResult ReadQuotedChar(uint8_t& c, bool printer, bool& isAt);
    // A quoted text kept as hexadecimal digit pairs: a character gives its
    // code, "$hh" the two digits as written; at most maxBytes pairs.
    StepResult ReadHexQuoted(std::string& hex, size_t maxBytes);

    // --- Panel types ----------------------------------------------------

    PanelType Cur() const;
    PanelType Src() const;
    int DspWidth() const;

    // --- Context ------------------------------------------------------------

    // Closes the open entry: text entries keep the rows read so far.
    void ResetContext();
    // Empties the project as a failed or cancelled read leaves it.
    void ClearProject();

    bool IsLoad() const { return m_load; }

    // The statement handlers. The softkey, menu, time-switch, setting,
    // character and address statements are filled by their own file.
    StepResult DoVar();
    StepResult DoState();
    StepResult DoInternVar();
    StepResult DoOpText();
    StepResult DoDefOpText();
    StepResult DoMsgText();
    StepResult DoDefMsgText();
    StepResult DoRecText();
    StepResult DoDefRecText();
    StepResult DoHistText();
    StepResult DoDefHistText();
    StepResult DoHlpText();
    StepResult DoDefHlpText();
    StepResult DoText();
    StepResult DoHText();
    StepResult DoOpPrnText();
    StepResult DoDefOpPrnText();
    StepResult DoMsgPrnText();
    StepResult DoDefMsgPrnText();
    StepResult DoPrnText();
    StepResult DoFormular();
    StepResult DoEnd();

    StepResult DoAction();
    StepResult DoSkOp();
    StepResult DoPlc();
    StepResult DoWord();
    StepResult DoNode();
    StepResult DoSchedule();
    StepResult DoSchedWeek();
    StepResult DoChar();
    StepResult DoCycleTime();
    StepResult DoComList();
    StepResult DoDMode();
    StepResult DoDefSoftkey();
    StepResult DoDataSize();
    StepResult DoFuncKey();
    StepResult DoMenu();
    StepResult DoMultiExt();
    StepResult DoMsgMode();
    StepResult DoPosPrnStatus();
    StepResult DoPosDateTime();
    StepResult DoPosRecBlock();
    StepResult DoPrMode();
    StepResult DoPrChar();
    StepResult DoPrInit();
    StepResult DoRecipeSize();
    StepResult DoSoftkey();
    StepResult DoTimer();

    // Hooks of the load parser.
    virtual void NoteRowsSplit() {}
    virtual void NoteRowsJoined() {}
    virtual bool DefHistSeen() const { return false; }
    virtual void SetDefHistSeen() {}
    virtual void NoteCharsConverted() {}

    CPrjData* m_prj;
    CSpsPar* m_sps;
    CDrvCfg* m_drvCfg;
    CCharSet* m_charSet;

    // The open-entry context.
    CPrjVar* m_openVar = nullptr;
    uint16_t m_nextState = 0;
    CPrjMnu* m_openMnu = nullptr;
    CPrjTimer* m_openTimer = nullptr;
    CPrjOpTxt* m_openOpTxt = nullptr;
    CPrjSkAct* m_openSkAct = nullptr;
    CPrjSkTxt* m_openSkTxt = nullptr;
    CMsgTxt* m_openMsgTxt = nullptr;
    CHistTxt* m_openHistTxt = nullptr;
    CKindTxt* m_openHlpTxt = nullptr;
    uint16_t m_hlpKind = 0;
    CPrjRcpTxt* m_openRcpTxt = nullptr;
    COpPrnTxt* m_openOpPrnTxt = nullptr;
    CMsgPrnTxt* m_openMsgPrnTxt = nullptr;
    bool m_adrRef = false;
    bool m_plcCollect = false;
    int32_t m_rowCount = 0;
    bool m_joinedRow = false;
    // Operations the open action holds; whether the open softkey text got a
    // function-key group yet.
    int m_skOpCount = 0;
    bool m_skKeysRead = false;
    // The PLC definitions collected since MULTI_EXT, handed to the driver
    // configuration at the first line that is not a PLC line.
    std::unique_ptr<CSpsDefList> m_plcDefs;

private:
    // What a row with variables may hold.
    struct RowSpec {
        size_t rowLen;
        uint32_t mask;
        bool printer;
    };
    struct ReadRow {
        std::string text;
        CTxtVarSlots slots;
        int count = 0;
    };

    StepResult Step();
    void ReadDescriptionLines();
    StepResult StepHeader();
    StepResult Dispatch();
    // The end-of-states test of the open variable.
    StepResult EndOfStates();
    // The missing-row tests of open text entries.
    StepResult MissingRowText();
    StepResult MissingRowHText();
    StepResult MissingRowPrnText();
    StepResult ReadVarRow(const RowSpec& shape, ReadRow& row);
    int RefusedOn(std::initializer_list<std::pair<uint16_t, uint16_t>> table);
    int HistRefusal();
    int PrnRefusal();
    StepResult ReadRange(int32_t& lowest, int32_t& highest, uint32_t hi, uint16_t rangeError);
    int RcpRangeError();
    StepResult ReadMsgAttrs(uint8_t& prio, uint8_t& delMode, uint8_t& alarm, bool isTemplate);
    StepResult ReadOutputTimes(uint8_t& value);
    StepResult ReadHlpKind(uint16_t& kind, bool withRecipe, bool withHistory, uint16_t error);
    StepResult OpenHlpTemplate(uint16_t kind, uint16_t dupError);
    // The open operator, message, recipe or help text with the usage mask
    // of its kind and its row limit.
    CPrjNumEntry* OpenDisplayEntry(uint32_t& mask, int& maxRows, uint16_t& limitError) const;
    void StoreDisplayRow(CPrjNumEntry* entry, int num, const std::string& text, const CTxtVarSlots& slots);
    // A row of a 14 file joined to the previous row; false when it does not
    // fit.
    [[nodiscard]] bool JoinRow(CPrjNumEntry* entry, const ReadRow& row);
    // A 40-column row split into two rows of 20 at a word boundary.
    StepResult SplitRow(CPrjNumEntry* entry, const ReadRow& row, int maxRows, uint16_t limitError, Position rowStart);
    int SplitError(Position rowStart);
    // The catalogue text of an xerror, a panel name filled in where the
    // text asks for one.
    std::string XErrorText(uint16_t n) const;
    void ReportError(uint16_t state, const std::string& text, std::string_view logPrefix);
    void LoadParsedFileIntoEditor();
    // --- Softkeys, menus, time switches, settings, address references ---
    StepResult ReadSkValue(uint16_t& value, uint16_t& format);
    StepResult ReadKeyGroup();
    bool AtKeyGroup();
    StepResult MissingNodeOrKey();
    StepResult ReadClock(uint32_t& seconds, uint16_t hourError);
    StepResult ReadSchedule(bool week);
    // A range message of the catalogue pieces: "<piece> lo..hi erwartet".
    int RangeError(uint16_t piece, uint32_t lo, uint32_t hi);
    StepResult ReadRefNum(uint16_t& value, uint32_t lo, uint32_t hi, uint16_t piece);
    StepResult ReadSetting(uint16_t& value, const SrcRange& range, uint16_t xerror);
    // As above; a value outside `range` is reported with the bounds of `shown`.
    StepResult ReadSetting(uint16_t& value, const SrcRange& range, const SrcRange& shown, uint16_t xerror);
    StepResult ReadWordRef(uint16_t word);
    StepResult ReadIndexedRef(uint16_t word);
    StepResult ReadPlcNum(uint8_t& plc);
    // The collected PLC definitions replace the driver's; an empty
    // collection keeps them and is refused.
    StepResult HandOverPlcDefs();
    void RestoreFontGlyphs();
    void PlaceBlock(uint16_t first, const char* varName, bool dateTime);
    // One of the words after ',': its place in the list.
    StepResult ReadChoice(std::initializer_list<std::string_view> words, uint8_t& index, uint16_t xerror);
    // The VAR format fields of each type group.
    StepResult VarNextWord(uint16_t adr);
    // The shown lower and upper limit of a number, each after a comma:
    // lower below top, upper from 1 to top, lower below upper.
    StepResult ReadShownLimits(uint32_t top, uint32_t& lower, uint32_t& upper);
    StepResult ReadVarFormat(uint8_t& type);

    bool m_load;
    uint16_t m_family;
    ParseCancelFn m_cancel;
    uint16_t m_state = StateHeader;
    std::string m_errorText;
    bool m_cancelled = false;
    uint16_t m_lastPolled = 0;
    bool m_parseFailed = false;
    bool m_cycleTimeSeen = false;
};

} // namespace orv

#pragma once

// The spellings of the project source keywords. The reader, the writer and
// the editor's highlighter all take them from here, so that no keyword can be
// read under one spelling and written or marked under another.

#include <array>
#include <cstdint>
#include <string_view>

namespace orv {

namespace kw {

// Statements.
inline constexpr const char* kDescription = "DESCRIPTION";
inline constexpr const char* kDescriptionEnd = "DESCRIPTIONEND";
inline constexpr const char* kBegin = "BEGIN";
inline constexpr const char* kEnd = "END";
inline constexpr const char* kVar = "VAR";
inline constexpr const char* kState = "STATE";
inline constexpr const char* kInternVar = "INTERN_VAR";
inline constexpr const char* kAction = "ACTION";
inline constexpr const char* kWrite = "WRITE";
inline constexpr const char* kAnd = "AND";
inline constexpr const char* kOr = "OR";
inline constexpr const char* kSoftkey = "SOFTKEY";
inline constexpr const char* kText = "TEXT";
inline constexpr const char* kOpText = "OP_TEXT";
inline constexpr const char* kDefOpText = "DEF_OP_TEXT";
inline constexpr const char* kMsgText = "MSG_TEXT";
inline constexpr const char* kDefMsgText = "DEF_MSG_TEXT";
inline constexpr const char* kHistText = "HIST_TEXT";
inline constexpr const char* kDefHistText = "DEF_HIST_TEXT";
inline constexpr const char* kHlpText = "HLP_TEXT";
inline constexpr const char* kDefHlpText = "DEF_HLP_TEXT";
inline constexpr const char* kOpPrnText = "OP_PRNTEXT";
inline constexpr const char* kDefOpPrnText = "DEF_OP_PRNTEXT";
inline constexpr const char* kMsgPrnText = "MSG_PRNTEXT";
inline constexpr const char* kDefMsgPrnText = "DEF_MSG_PRNTEXT";
inline constexpr const char* kTimer = "TIMER";
inline constexpr const char* kMenu = "MENU";
inline constexpr const char* kNode = "NODE";
inline constexpr const char* kChar = "CHAR";
inline constexpr const char* kSchedWeek = "SCHED_WEEK";

// Fields: setpoint kinds, message priorities and help-text kinds.
inline constexpr const char* kActual = "ACTUAL";
inline constexpr const char* kNominal = "NOMINAL";
inline constexpr const char* kNominalSec = "NOMINAL_SEC";
inline constexpr const char* kDefault = "DEFAULT";
inline constexpr const char* kInfo = "INFO";
inline constexpr const char* kWarning = "WARNING";
inline constexpr const char* kFault = "FAULT";

// Variable formats that the highlighter marks by their whole word.
inline constexpr const char* kBit = "BIT";
inline constexpr const char* kString = "STRING";
inline constexpr const char* kWord = "WORD";
inline constexpr const char* kAscii = "ASCII";

} // namespace kw

// The format keyword of a VAR statement and the type code it stands for.
struct SrcFormatKeyword {
    const char* keyword;
    uint8_t type;
};

inline constexpr std::array<SrcFormatKeyword, 27> kSrcFormatKeywords{{
    {"BCD-1", 0},    {"BCD0-1", 28},  {"BCD-2", 16},   {"BCD0-2", 30},  {"BIN-1", 2},      {"BIN0-1", 3},
    {"BIN-A", 4},    {"BIN0-A", 5},   {"BIN-2", 6},    {"BIN0-2", 7},   {"BIN-B", 8},      {"BIN0-B", 9},
    {"VBIN-1", 18},  {"VBIN0-1", 19}, {"VBIN-A", 20},  {"VBIN0-A", 21}, {"VBIN-2", 22},    {"VBIN0-2", 23},
    {"VBIN-B", 24},  {"VBIN0-B", 25}, {kw::kBit, 12},  {kw::kString, 14}, {"CSTRING", 26}, {"SSTRING", 42},
    {kw::kTimer, 36}, {kw::kWord, 33}, {kw::kAscii, 34},
}};

// The keywords the editor shows as statements, and those it shows in bold as
// fields. The editor sees a word end at a minus, so the formats BCD-… and
// BIN-… are marked by their first piece.
inline constexpr std::array<std::string_view, 29> kSrcStatementKeywords = {
    kw::kDescription, kw::kDescriptionEnd, kw::kBegin,      kw::kEnd,         kw::kVar,
    kw::kState,       kw::kInternVar,      kw::kAction,     kw::kWrite,       kw::kSoftkey,
    kw::kText,        kw::kOpText,         kw::kDefOpText,  kw::kMsgText,     kw::kDefMsgText,
    kw::kHistText,    kw::kDefHistText,    kw::kHlpText,    kw::kDefHlpText,  kw::kOpPrnText,
    kw::kDefOpPrnText, kw::kMsgPrnText,    kw::kDefMsgPrnText, kw::kTimer,    kw::kMenu,
    kw::kNode,        kw::kChar,           kw::kAnd,        kw::kOr};

inline constexpr std::array<std::string_view, 14> kSrcFieldKeywords = {
    kw::kNominal, kw::kNominalSec, kw::kActual, kw::kDefault, kw::kAscii, kw::kBit,     "BIN",
    kw::kString,  "BCD",           kw::kWord,   kw::kFault,   kw::kInfo,  kw::kWarning, kw::kSchedWeek};

} // namespace orv

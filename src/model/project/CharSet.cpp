// Maps text characters to panel codes and back for the current panel's font;
// the source escapes live here so reader and writer agree on them.
#include "model/project/CharSet.h"

#include <cstring>

#include "model/project/PrjBundle.h"
#include "model/project/PrjData.h"

namespace orv {

namespace {

constexpr uint8_t kDel = 0x7F;

size_t Slot(CharGroup group) { return static_cast<std::size_t>(group); }

bool IsAltUmlaut(uint8_t ch) {
    return ch == 0x81 || ch == 0x84 || ch == 0x8E || ch == 0x94 || ch == 0x99 || ch == 0x9A;
}

// Signs of the control codes 1..31 on INT and 706 panels; 0 keeps the code.
uint8_t CtrlSignTable(uint8_t ch) {
    switch (ch) {
    case 1: return 0xBA;
    case 2: return 0xD6;
    case 3: return 0xD2;
    case 4: case 20: return 0xB7;
    case 16: return 0xAF;
    case 17: return 0xAE;
    case 18: return '|';
    case 19: return '!';
    case 21: return 0x80;
    case 22: return 0xFE;
    case 23: return 0xC1;
    case 24: case 30: return '^';
    case 25: case 31: return 'v';
    case 26: return '>';
    case 27: return '<';
    case 28: return 0xC0;
    case 29: return '-';
    default: return 0;
    }
}

int PutText(std::FILE* file, const char* text) {
    if (std::fputs(text, file) == EOF || std::ferror(file)) return -1;
    return 1;
}

int PutHex(std::FILE* file, uint8_t ch) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "$%02X", static_cast<unsigned>(ch));
    return PutText(file, buf);
}

int PutRaw(std::FILE* file, uint8_t ch) {
    if (std::fputc(ch, file) == EOF || std::ferror(file)) return -1;
    return 1;
}

// The three characters that the source text always escapes.
bool IsSourceSpecial(uint8_t ch) { return ch == '"' || ch == '$' || ch == '@'; }

}  // namespace

CharGroup CharGroupOf(uint16_t devType) {
    const PanelRow* row = FindPanel(devType);
    return row ? row->charGroup : CharGroup::None;
}

CCharSet::CCharSet(PrjBundle* bundle) : m_bundle(bundle) {
    SetDevType(14);
}

void CCharSet::SetDevType(uint16_t type) {
    const CPrjData* root = m_bundle ? m_bundle->prjData : nullptr;
    type = FileCodeOf(type, root && root->GetVariant() == 1);
    if (type == m_devType) return;
    if (CharGroupOf(type) != CharGroupOf(m_devType)) m_reload = 1;
    m_devType = type;
}

std::span<uint8_t, CCharSet::kFontBufSize> CCharSet::FillFontBuffer(CharGroup group) {
    auto& buf = m_fontBufs[Slot(group)];
    if (!buf) buf = std::make_unique<FontBuf>(FontBuf{});
    return std::span<uint8_t, kFontBufSize>(*buf);
}

const uint8_t* CCharSet::GetFontBuffer(CharGroup group) const {
    const auto& buf = m_fontBufs[Slot(group)];
    return buf ? buf->data() : nullptr;
}

CCharSet::FontBuf* CCharSet::CurrentBuffer() const {
    return m_fontBufs[Slot(GetGroup())].get();
}

int CCharSet::UserCharOffset(int n) const {
    switch (GetGroup()) {
    case CharGroup::Alt: return n >= 0 && n <= 7 ? 1792 + 8 * n : -1;
    case CharGroup::Int: return n >= 0 && n <= 7 ? 64 + 8 * n : -1;
    case CharGroup::F706: return n >= 128 && n <= 255 ? 8 * n : -1;
    default: return -1;
    }
}

void CCharSet::SetUserChar(int n, const Rows& rows) {
    FontBuf* buf = CurrentBuffer();
    const int at = UserCharOffset(n);
    if (!buf || at < 0) return;
    std::memcpy(buf->data() + at, rows.data(), rows.size());
}

int CCharSet::GetUserChar(int n, Rows& rows) const {
    const FontBuf* buf = CurrentBuffer();
    const int at = UserCharOffset(n);
    if (!buf || at < 0) return -1;
    std::memcpy(rows.data(), buf->data() + at, rows.size());
    return 1;
}

void CCharSet::ClearUserChars() {
    const CharGroup group = GetGroup();
    if (group != CharGroup::Alt && group != CharGroup::Int) return;
    FontBuf* buf = CurrentBuffer();
    if (!buf) return;
    std::memset(buf->data() + UserCharOffset(0), 0, 8 * 8);
}

uint8_t CCharSet::GetFrameChar(int kind) const {
    if (kind < 1 || kind > 4) return 0;
    switch (GetGroup()) {
    case CharGroup::Alt: {
        static constexpr uint8_t kAltFrame[4] = {0xBA, 0xD6, 0xD2, 0xB7};
        return kAltFrame[kind - 1];
    }
    case CharGroup::Int:
    case CharGroup::F706:
        return static_cast<uint8_t>(kind);
    default:
        return 0;
    }
}

std::string CCharSet::FieldText(int width) const {
    std::string text;
    for (int k = 0; k < width; ++k) {
        int kind = 3;
        if (width == 1)
            kind = 1;
        else if (k == 0)
            kind = 2;
        else if (k == width - 1)
            kind = 4;
        text.push_back(static_cast<char>(GetFrameChar(kind)));
    }
    return text;
}

bool CCharSet::IsValidChar(uint8_t ch, uint16_t mode) const {
    switch (GetGroup()) {
    case CharGroup::Alt:
        if ((mode & ModeAltSigns) && (ch == 26 || ch == 27 || ch == 0xA5)) return true;
        return (ch >= 8 && ch <= 15) || (ch >= 32 && ch <= 127) || IsAltUmlaut(ch);
    case CharGroup::Int:
        return ch >= 8;
    case CharGroup::F706:
        if (mode & ModeUpperHalf) return true;
        if ((mode & ModeSignMap) && ch >= 8) return true;
        return ch >= 16;
    default:
        return false;
    }
}

uint8_t CCharSet::ToPanelChar(uint8_t ch, uint16_t mode) const {
    switch (GetGroup()) {
    case CharGroup::Alt:
        if (mode & ModeAltSigns) {
            if (ch == 26 || ch == 27) return ch;
            if (ch == 0xA5) return 0x9D;
        }
        if (ch >= 8 && ch <= 15) return ch;
        if (ch == 0x84 || ch == 0x8E) return 8;
        if (ch == 0x94 || ch == 0x99) return 9;
        if (ch == 0x81 || ch == 0x9A) return 10;
        if (ch >= 32 && ch <= 127) return ch;
        return 0;
    case CharGroup::Int:
        if (mode & ModeSignMap) {
            switch (ch) {
            case '\\': return 0xA5;
            case '~': return 0x1A;
            case kDel: return 0x1B;
            case 0x81: return 0xFC;
            case 0x84: return 0xE4;
            case 0x8E: return 0xC4;
            case 0x94: return 0xF6;
            case 0x99: return 0xD6;
            case 0x9A: return 0xDC;
            default: break;
            }
        }
        return ch < 8 ? 0 : ch;
    case CharGroup::F706:
        if (mode & ModeUpperHalf) return ch < 128 ? static_cast<uint8_t>(ch + 128) : ch;
        if (mode & ModeSignMap) {
            if (ch >= 8 && ch <= 15) return static_cast<uint8_t>(0x80 + (ch - 8));
            if (ch == '\\') return 0x9D;
            if (ch == '~') return 0x1A;
            if (ch == kDel) return 0x1B;
            return ch < 16 ? 0 : ch;
        }
        if (mode & ModeGerman7) {
            switch (ch) {
            case '[': return 0x8E;
            case '\\': return 0x99;
            case ']': return 0x9A;
            case '^': return 0x18;
            case '_': return 0x19;
            case '{': return 0x84;
            case '|': return 0x94;
            case '}': return 0x81;
            case '~': return 0xE1;
            case kDel: return 0xDB;
            default: break;
            }
        }
        return ch < 16 ? 0 : ch;
    default:
        return 0;
    }
}

uint8_t CCharSet::CtrlCharSign(uint8_t ch) const {
    switch (GetGroup()) {
    case CharGroup::Alt:
        if (ch >= 8 && ch <= 15) return static_cast<uint8_t>(ch + 0xD8);
        if (ch == 0) return ' ';
        if (ch == 26) return '>';
        if (ch == 27) return '<';
        return ch;
    case CharGroup::Int: {
        if (ch >= 8 && ch <= 15) return static_cast<uint8_t>(ch + 0xD8);
        if (ch == 0) return ' ';
        const uint8_t sign = CtrlSignTable(ch);
        return sign ? sign : ch;
    }
    case CharGroup::F706: {
        const uint8_t sign = CtrlSignTable(ch);
        return sign ? sign : ch;
    }
    default:
        return ch;
    }
}

uint8_t CCharSet::FilterTextChar(uint8_t ch) const {
    switch (GetGroup()) {
    case CharGroup::Alt: return (ch >= 8 && ch <= 15) || (ch >= 32 && ch <= 127) ? ch : 0;
    case CharGroup::Int: return ch >= 8 ? ch : 0;
    case CharGroup::F706: return ch >= 16 ? ch : 0;
    default: return 0;
    }
}

int CCharSet::WriteSrcChar(uint8_t ch, std::FILE* file) const {
    if (!file) return -1;
    switch (GetGroup()) {
    case CharGroup::Alt:
        // Frame signs and every other code from 128 have no source form here.
        if (ch < 8 || (ch >= 16 && ch < 32) || ch >= 128) return 1;
        if ((ch >= 8 && ch <= 15) || IsSourceSpecial(ch) || ch == '\\' || ch == '~' || ch == kDel)
            return PutHex(file, ch);
        return PutRaw(file, ch);
    case CharGroup::Int:
        if (ch >= 1 && ch <= 7) return 1;
        if (ch < 32 || IsSourceSpecial(ch)) return PutHex(file, ch);
        return PutRaw(file, ch);
    case CharGroup::F706:
        if (ch >= 1 && ch <= 15) return 1;
        if (ch < 32 || IsSourceSpecial(ch) || ch == 0xFF) return PutHex(file, ch);
        return PutRaw(file, ch);
    default:
        return 1;
    }
}

int WriteSrcByte(uint8_t ch, std::FILE* file) {
    if (!file) return -1;
    if (ch < 32 || IsSourceSpecial(ch) || ch == 0xFF) return PutHex(file, ch);
    return PutRaw(file, ch);
}

} // namespace orv

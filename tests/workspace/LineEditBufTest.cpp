// The numbered line editor's rules, headless: columns over embedded codes,
// the one editing step, keys, clicks, characters and the caret's shape.
#include "workspace/forms/LineEditBuf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

using namespace std::string_literals;

// Lines with a four-byte code at the start, in the middle, at the end, and
// one cut short by the end of the line. The code's data bytes are printable
// on purpose: a walk that forgets the code shows them as characters.
const std::string kLead = "\x0F" "123ab";
const std::string kMid = "ab\x0F" "123cd";
const std::string kEnd = "ab\x0F" "123";
const std::string kCut = "ab\x0F" "1";
const std::string kTwenty = "abcdefghijklmnopqrst";
const std::string kForty = kTwenty + "ABCDEFGHIJKLMNOPQRST";

// A box holding lines, with line `line` current and the caret at `caret`
// (reached by a click one pixel per column, so it lies within the text).
CLineEditBuf MakeBuf(const std::vector<std::string>& lines, int maxLen, int line = 0, int caret = 4)
{
    CLineEditBuf buf;
    for (const std::string& text : lines)
        buf.AddString(text);
    buf.SetMaxLen(maxLen);
    buf.Click(line, caret, 1);
    return buf;
}

} // namespace

TEST(workspace_line_edit_buf, ColumnsOverEmbeddedCodes)
{
    struct Case {
        std::string text;
        int visible;
        int column;
        std::size_t offset;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"abc", 3, 0, 0},
        {"abc", 3, 2, 2},
        {"abc", 3, 7, 3},
        // Column 0 starts behind the leading code, column 1 behind the first
        // character.
        {kLead, 2, 0, 4},
        {kLead, 2, 1, 5},
        {kLead, 2, 2, 6},
        {kLead, 2, 9, 6},
        // A column ends right behind its character, before a code that follows.
        {kMid, 4, 2, 2},
        {kMid, 4, 3, 7},
        {kMid, 4, 4, 8},
        {kEnd, 2, 2, 2},
        {kEnd, 2, 3, 6},
        // A code cut short counts as a code up to the end.
        {kCut, 2, 2, 2},
        {kCut, 2, 3, 4},
        {"\x0F" "1", 0, 0, 2},
        // A code's data bytes are data, even a 0x0F among them.
        {"\x0F\x0F\x0F\x0F" "a", 1, 0, 4},
        {"\x0F\x0F\x0F\x0F\x0F" "abcd", 1, 1, 9},
    };
    EXPECT_EQ(CLineEditBuf::VisibleText(kMid), "abcd");
    EXPECT_EQ(CLineEditBuf::VisibleText("\x0F\x0F\x0F\x0F" "a" + kCut), "aab");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(c.text) << " column " << c.column);
        EXPECT_EQ(CLineEditBuf::VisibleLen(c.text), c.visible);
        EXPECT_EQ(CLineEditBuf::VisibleText(c.text).size(), static_cast<std::size_t>(c.visible));
        EXPECT_EQ(CLineEditBuf::ByteOffsetOfColumn(c.column, c.text), c.offset);
    }
}

TEST(workspace_line_edit_buf, InsertTextStep)
{
    struct Case {
        const char* what;
        std::string line;
        int maxLen;
        int caret;
        bool insert;
        std::string text;
        std::string after;
        bool changed;
        bool beep;
        int caretAfter;
    };
    const Case cases[] = {
        {"insert at 0 goes behind a leading code", kLead, 20, 4, true, "X", "\x0F" "123Xab", true, false, 5},
        {"insert at 1 goes behind code and first character", kLead, 20, 5, true, "X", "\x0F" "123aXb", true, false, 6},
        {"insert before a code in the middle", kMid, 20, 6, true, "X", "abX\x0F" "123cd", true, false, 7},
        {"overwrite inside", "abcd", 20, 5, false, "X", "aXcd", true, false, 6},
        {"overwrite before a middle code keeps it", kMid, 20, 6, false, "X", "ab\x0F" "123Xd", true, false, 7},
        {"overwrite at 0 keeps a leading code", kLead, 20, 4, false, "X", "\x0F" "123Xb", true, false, 5},
        {"overwrite at the end appends", "abcd", 20, 8, false, "X", "abcdX", true, false, 9},
        {"overwrite at the end before a trailing code", kEnd, 20, 6, false, "X", "abX\x0F" "123", true, false, 7},
        {"overwrite at the end of a cut code", kCut, 20, 6, false, "X", "abX\x0F" "1", true, false, 7},
        {"insert into a full line beeps", kTwenty, 20, 6, true, "X", kTwenty, false, true, 6},
        {"overwrite at the end of a full line beeps", kTwenty, 20, 24, false, "X", kTwenty, false, true, 24},
        {"overwrite inside a full line replaces", kTwenty, 20, 4, false, "X", "X" + kTwenty.substr(1), true, false, 5},
        {"codes do not count to the maximum", "\x0F" "123" + kTwenty.substr(1), 20, 4, true, "X",
         "\x0F" "123X" + kTwenty.substr(1), true, false, 5},
        {"the last free column of 40", kForty.substr(1), 40, 43, true, "X", kForty.substr(1) + "X", true, false, 44},
        {"a full line of 40 beeps", kForty, 40, 44, true, "X", kForty, false, true, 44},
        // Overwriting one byte with a longer text still advances by its
        // columns, but never past the maximum + 4.
        {"the caret stops at the maximum + 4", kTwenty, 20, 23, false, "XY", kTwenty.substr(0, 19) + "X", true, false, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLineEditBuf buf = MakeBuf({"other", c.line}, c.maxLen, 1, c.caret);
        ASSERT_EQ(buf.GetCaretCol(), c.caret);
        const LineEditStep step = buf.InsertText(c.text, 1, c.caret - 4, c.insert);
        EXPECT_EQ(step.changed, c.changed);
        EXPECT_EQ(step.beep, c.beep);
        EXPECT_EQ(buf.GetText(1), c.after);
        EXPECT_EQ(buf.GetText(0), "other");
        EXPECT_EQ(buf.GetCaretCol(), c.caretAfter);
    }
    CLineEditBuf empty;
    empty.SetMaxLen(20);
    EXPECT_TRUE(empty.InsertText("X", 0, 0, true).beep);  // no line to take it
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST(workspace_line_edit_buf, Keys)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        int maxLen;
        int line;
        int caret;
        LineEditKey key;
        bool shift;
        std::vector<std::string> after;
        int lineAfter;
        int caretAfter;
        bool beep;
    };
    using K = LineEditKey;
    const std::vector<std::string> two = {"abc", "a"};
    const std::string longLine = kTwenty + "uvwxy";
    const Case cases[] = {
        {"Backspace at column 4 beeps", two, 20, 0, 4, K::Backspace, false, two, 0, 4, true},
        {"Backspace removes the character before the caret", two, 20, 0, 6, K::Backspace, false, {"ac", "a"}, 0, 5, false},
        {"Backspace before a code", {kMid}, 20, 0, 6, K::Backspace, false, {"a\x0F" "123cd"}, 0, 5, false},
        {"Backspace behind a code", {kMid}, 20, 0, 7, K::Backspace, false, {"ab\x0F" "123d"}, 0, 6, false},
        {"Backspace behind a leading code", {kLead}, 20, 0, 5, K::Backspace, false, {"\x0F" "123b"}, 0, 4, false},
        {"Delete at the end beeps", two, 20, 0, 7, K::Delete, false, two, 0, 7, true},
        {"Delete at a trailing code beeps", {kEnd}, 20, 0, 6, K::Delete, false, {kEnd}, 0, 6, true},
        {"Delete at a cut code beeps", {kCut}, 20, 0, 6, K::Delete, false, {kCut}, 0, 6, true},
        {"Delete removes the character at the caret", two, 20, 0, 4, K::Delete, false, {"bc", "a"}, 0, 4, false},
        {"Delete before a code", {kMid}, 20, 0, 6, K::Delete, false, {"ab\x0F" "123d"}, 0, 6, false},
        {"Delete before a leading code", {kLead}, 20, 0, 4, K::Delete, false, {"\x0F" "123b"}, 0, 4, false},
        {"Shift+Delete does nothing", two, 20, 0, 4, K::Delete, true, two, 0, 4, false},
        {"End goes behind the text", two, 20, 0, 4, K::End, false, two, 0, 7, false},
        {"End counts columns, not bytes", {kEnd}, 20, 0, 4, K::End, false, {kEnd}, 0, 6, false},
        {"End stops at the maximum", {longLine}, 20, 0, 4, K::End, false, {longLine}, 0, 24, false},
        {"Shift+End does nothing", two, 20, 0, 4, K::End, true, two, 0, 4, false},
        {"Home", two, 20, 0, 6, K::Home, false, two, 0, 4, false},
        {"Left", two, 20, 0, 6, K::Left, false, two, 0, 5, false},
        {"Left stops at column 4", two, 20, 0, 4, K::Left, false, two, 0, 4, false},
        {"Right", two, 20, 0, 4, K::Right, false, two, 0, 5, false},
        {"Right stops behind the text", two, 20, 0, 7, K::Right, false, two, 0, 7, false},
        {"Right stops before a trailing code", {kEnd}, 20, 0, 6, K::Right, false, {kEnd}, 0, 6, false},
        {"Right stops at the maximum", {longLine}, 20, 0, 24, K::Right, false, {longLine}, 0, 24, false},
        {"Up stays on line 0", two, 20, 0, 6, K::Up, false, two, 0, 6, false},
        {"Up cuts to the visible length", {kEnd, "abcdefgh"}, 20, 1, 10, K::Up, false, {kEnd, "abcdefgh"}, 0, 6, false},
        {"Down cuts the column", two, 20, 0, 7, K::Down, false, two, 1, 5, false},
        {"Down stays on the last line", two, 20, 1, 5, K::Down, false, two, 1, 5, false},
        {"Enter goes to the next line's start", two, 20, 0, 6, K::Enter, false, two, 1, 4, false},
        {"Enter on the last line", two, 20, 1, 5, K::Enter, false, two, 1, 4, false},
        {"Tab changes nothing", two, 20, 0, 6, K::Tab, false, two, 0, 6, false},
        {"another key changes nothing", two, 20, 0, 6, K::Other, false, two, 0, 6, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLineEditBuf buf = MakeBuf(c.lines, c.maxLen, c.line, c.caret);
        ASSERT_EQ(buf.GetCaretCol(), c.caret);
        const LineEditStep step = buf.Key(c.key, c.shift, false);
        EXPECT_EQ(step.beep, c.beep);
        EXPECT_EQ(step.changed, c.after != c.lines);
        for (int i = 0; i < static_cast<int>(c.after.size()); ++i)
            EXPECT_EQ(buf.GetText(i), c.after[static_cast<std::size_t>(i)]) << "line " << i;
        EXPECT_EQ(buf.GetCurLine(), c.lineAfter);
        EXPECT_EQ(buf.GetSelected(), c.lineAfter);
        EXPECT_EQ(buf.GetCaretCol(), c.caretAfter);
        EXPECT_FALSE(buf.IsInsert());
    }
}

TEST(workspace_line_edit_buf, InsertKeyTogglesOnlyAlone)
{
    CLineEditBuf buf = MakeBuf({"abc"}, 20);
    buf.Key(LineEditKey::Insert, true, false);
    buf.Key(LineEditKey::Insert, false, true);
    EXPECT_FALSE(buf.IsInsert());
    buf.Key(LineEditKey::Insert, false, false);
    EXPECT_TRUE(buf.IsInsert());
    buf.Key(LineEditKey::Insert, false, false);
    EXPECT_FALSE(buf.IsInsert());
}

TEST(workspace_line_edit_buf, Clicks)
{
    struct Case {
        const char* what;
        int line;
        int x;
        int lineAfter;
        int caretAfter;
        bool insertAfter;
    };
    // Lines "abc", kEnd, "" at 8 pixels a column.
    const Case cases[] = {
        {"right of a short line goes behind it in insert mode", 0, 200, 0, 7, true},
        {"inside the text keeps the mode", 0, 5 * 8 + 3, 0, 5, false},
        {"behind the last character exactly keeps the mode", 0, 7 * 8, 0, 7, false},
        {"on the number goes to column 4", 0, 10, 0, 4, false},
        {"left of the box goes to column 4", 0, -30, 0, 4, false},
        {"right of a trailing code", 1, 300, 1, 6, true},
        {"on an empty line", 2, 100, 2, 4, true},
        {"below the lines with none selected", -1, 40, 0, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CLineEditBuf buf;
        for (const std::string& text : {"abc"s, kEnd, ""s})
            buf.AddString(text);
        buf.SetMaxLen(20);
        buf.Click(c.line, c.x, 8);
        EXPECT_EQ(buf.GetCurLine(), c.lineAfter);
        EXPECT_EQ(buf.GetCaretCol(), c.caretAfter);
        EXPECT_EQ(buf.IsInsert(), c.insertAfter);
    }
    // A click below the lines keeps the line selected before.
    CLineEditBuf buf = MakeBuf({"abc", "defg"}, 20, 1, 4);
    buf.Click(-1, 6 * 8, 8);
    EXPECT_EQ(buf.GetCurLine(), 1);
    EXPECT_EQ(buf.GetCaretCol(), 6);
}

TEST(workspace_line_edit_buf, TypedAndSentCharacters)
{
    CLineEditBuf buf;
    buf.AddString("ab");
    buf.AddString("cd");
    buf.SetMaxLen(3);
    EXPECT_EQ(buf.GetSelected(), -1);

    const LineEditStep control = buf.Char(10);
    EXPECT_FALSE(control.changed || control.beep);
    EXPECT_EQ(buf.GetSelected(), -1);  // ignored before anything happens

    // The Euro sign has no place in the panel's character set.
    const LineEditStep euro = buf.Char(U'\u20ac');
    EXPECT_FALSE(euro.changed);
    EXPECT_TRUE(euro.beep);
    EXPECT_EQ(buf.GetText(0), "ab");

    // Overwrite mode: the first character of line 0 is replaced.
    EXPECT_TRUE(buf.Char(U'\u00fc').changed);
    EXPECT_EQ(buf.GetText(0), "\x81" "b");
    EXPECT_EQ(buf.GetCaretCol(), 5);

    CLineEditBuf sent;
    sent.AddString("ab");
    sent.AddString("cd");
    sent.SetMaxLen(3);
    const LineEditStep a = sent.InsertCharacter(0x41);
    EXPECT_TRUE(a.changed);
    EXPECT_EQ(sent.GetText(0), "Aab");
    EXPECT_EQ(sent.GetSelected(), 0);
    EXPECT_EQ(sent.GetCurLine(), 0);
    EXPECT_FALSE(sent.IsInsert());  // inserted, but the box stays in overwrite mode
    EXPECT_EQ(sent.GetCaretCol(), 5);
    EXPECT_TRUE(sent.InsertCharacter(0x42).beep);  // the line is full
    EXPECT_TRUE(sent.InsertCharacter(256).beep);
    EXPECT_EQ(sent.GetText(0), "Aab");
}

TEST(workspace_line_edit_buf, CaretShape)
{
    CLineEditBuf buf = MakeBuf({"abc", "defg"}, 20, 1, 5);
    const CaretRect over = buf.Caret(16, 18);
    EXPECT_EQ(over.x, 80);
    EXPECT_EQ(over.y, 18);
    EXPECT_EQ(over.width, 16);
    EXPECT_EQ(over.height, 18);
    buf.Key(LineEditKey::Insert, false, false);
    const CaretRect ins = buf.Caret(16, 20);
    EXPECT_EQ(ins.x, 80);
    EXPECT_EQ(ins.y, 20 + 15);
    EXPECT_EQ(ins.width, 16);
    EXPECT_EQ(ins.height, 5);
    // Without a current line the caret stands on line 0.
    CLineEditBuf fresh;
    EXPECT_EQ(fresh.Caret(8, 10).y, 0);
}

TEST(workspace_line_edit_buf, SelectionFollowsLineOperations)
{
    CLineEditBuf buf = MakeBuf({"a", "b", "c"}, 20, 1, 4);
    buf.InsertString(0, "z");
    EXPECT_EQ(buf.GetSelected(), 2);
    EXPECT_EQ(buf.GetText(2), "b");
    buf.InsertString(-1, "end");
    EXPECT_EQ(buf.GetText(4), "end");
    buf.DeleteString(0);
    EXPECT_EQ(buf.GetSelected(), 1);
    buf.DeleteString(1);
    EXPECT_EQ(buf.GetSelected(), -1);
    buf.DeleteString(7);
    EXPECT_EQ(buf.GetCount(), 3);
}

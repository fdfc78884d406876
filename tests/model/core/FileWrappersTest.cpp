#include "model/core/XFile.h"
#include "support/RecordingTraceSink.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

using namespace orv;

namespace {

class FileWrappers : public ::testing::Test {
protected:
    std::vector<std::string> ReadPieces(const std::string& path)
    {
        XTxtFile file(path);
        EXPECT_TRUE(file.Open());
        std::vector<std::string> pieces;
        std::string line;
        while (file.ReadLine(line))
            pieces.push_back(line);
        EXPECT_TRUE(file.IsEof());
        return pieces;
    }

    void SetMTime(const std::string& path, time_t seconds)
    {
        const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    }

    TempDir dir;
    RecordingTraceSink trace;
    ScopedTraceSink reg{trace};
};

TEST_F(FileWrappers, WrittenLinesEndInCrLfAndReadBackWithOneEnd)
{
    const std::string path = dir.File("lines.txt");
    {
        XTxtFile file(path);
        ASSERT_TRUE(file.Create());
        EXPECT_TRUE(file.WriteLine("first"));
        EXPECT_TRUE(file.WriteLine(""));
        EXPECT_TRUE(file.Write("two\nparts"));
        EXPECT_TRUE(file.WriteLine(" end"));
        EXPECT_TRUE(file.Close());
    }
    EXPECT_EQ(dir.Read("lines.txt"), "first\r\n\r\ntwo\r\nparts end\r\n");
    EXPECT_EQ(ReadPieces(path), (std::vector<std::string>{"first\n", "\n", "two\n", "parts end\n"}));
    EXPECT_TRUE(trace.Entries().empty());
}

struct ReadCase {
    const char* name;
    std::string disk;
    std::vector<std::string> pieces;
};

TEST_F(FileWrappers, ReadLineTable)
{
    const std::string x1022(1022, 'x');
    const std::string x1023(1023, 'x');
    const std::string y1500(1500, 'y');
    const ReadCase cases[] = {
        {"LF ends", "abc\ndef\n", {"abc\n", "def\n"}},
        {"mixed ends", "abc\r\ndef\n", {"abc\n", "def\n"}},
        {"last line without end", "abc\r\nlast", {"abc\n", "last"}},
        {"0x1A is an ordinary byte", "a\x1A" "b\r\nc\n", {"a\x1A" "b\n", "c\n"}},
        {"lone CR is kept", "a\rb\r\n", {"a\rb\n"}},
        {"empty file", "", {}},
        {"1022 characters and their end fit one piece", x1022 + "\r\n", {x1022 + "\n"}},
        {"1023 characters leave the end for the next read", x1023 + "\r\n", {x1023, "\n"}},
        {"1500 characters come in two pieces", y1500 + "\r\n", {std::string(1023, 'y'), std::string(477, 'y') + "\n"}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        dir.Write("in.txt", c.disk);
        EXPECT_EQ(ReadPieces(dir.File("in.txt")), c.pieces);
    }
    EXPECT_TRUE(trace.Entries().empty());
}

TEST_F(FileWrappers, BinaryReadLineKeepsBytes)
{
    dir.Write("in.bin", "ab\r\ncd");
    XBinFile file(dir.File("in.bin"));
    ASSERT_TRUE(file.Open());
    std::string line;
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "ab\r\n");
    ASSERT_TRUE(file.ReadLine(line));
    EXPECT_EQ(line, "cd");
    EXPECT_FALSE(file.ReadLine(line));
    EXPECT_TRUE(file.IsEof());
}

TEST_F(FileWrappers, NoNameObjectNamesNoFile)
{
    XBinFile file(static_cast<const char*>(nullptr));
    EXPECT_TRUE(file.IsNoName());
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_FALSE(file.Create());
    EXPECT_TRUE(trace.Has("_tfopen() failed"));
}

TEST_F(FileWrappers, ExistsAndSizeOfTheExactPath)
{
    dir.Write("five.bin", "12345");
    EXPECT_TRUE(XBinFile(dir.File("five.bin")).Exists());
    EXPECT_EQ(XBinFile(dir.File("five.bin")).GetSize(), 5u);
    EXPECT_FALSE(XBinFile(dir.File("five.*")).Exists());
    EXPECT_FALSE(XBinFile(dir.File("missing")).Exists());
    EXPECT_EQ(XBinFile(dir.File("missing")).GetSize(), 0u);
    EXPECT_EQ(XBinFile(dir.Path()).GetSize(), 0u);
}

TEST_F(FileWrappers, FailedOpensTraceTheirTexts)
{
    dir.Write("plain", "x");
    XTxtFile underFile(dir.File("plain/sub.txt"));
    EXPECT_FALSE(underFile.Create());
    ASSERT_EQ(trace.Entries().size(), 1u);
    EXPECT_TRUE(trace.Entries()[0].lastError);
    EXPECT_EQ(trace.Entries()[0].text, "_tfopen() failed");
    EXPECT_FALSE(trace.Entries()[0].errnoText.empty());

    trace.Clear();
    EXPECT_FALSE(XTxtFile(dir.File("missing")).Open());
    EXPECT_FALSE(XBinFile(dir.File("missing")).Open());
    ASSERT_EQ(trace.Entries().size(), 2u);
    EXPECT_EQ(trace.Entries()[0].text, "_tfopen open for read failed");
    EXPECT_EQ(trace.Entries()[1].text, "XBinFile::Open: _tfopen open for read failed");
}

TEST_F(FileWrappers, WritesToAFullDeviceFail)
{
    {
        // A short text stays in the buffer; the failure shows at Close.
        XBinFile file("/dev/full");
        ASSERT_TRUE(file.Create());
        EXPECT_TRUE(file.Write("abc"));
        EXPECT_FALSE(file.Close());
        EXPECT_TRUE(trace.Has("fclose failed"));
        EXPECT_TRUE(file.Close());
    }
    const std::string big(1 << 20, 'z');
    struct Case {
        const char* trace;
        bool (*write)(XFile&, const std::string&);
    };
    const Case cases[] = {
        {"fwrite failed", [](XFile& f, const std::string& s) { return f.Write(s); }},
        {"_fputts failed", [](XFile& f, const std::string& s) { return f.WriteLine(s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.trace);
        trace.Clear();
        XTxtFile file("/dev/full");
        ASSERT_TRUE(file.Create());
        EXPECT_FALSE(c.write(file, big));
        EXPECT_TRUE(trace.Has(c.trace));
        file.Close();
    }
}

TEST_F(FileWrappers, DataWrittenWithoutCloseReachesTheFile)
{
    {
        XTxtFile file(dir.File("kept.txt"));
        ASSERT_TRUE(file.Create());
        ASSERT_TRUE(file.WriteLine("kept"));
    }
    EXPECT_EQ(dir.Read("kept.txt"), "kept\r\n");
}

struct NewerCase {
    const char* name;
    time_t first;  // 0: missing
    time_t second; // 0: missing
    bool newer;
};

TEST_F(FileWrappers, IsNewerTable)
{
    const NewerCase cases[] = {
        {"both missing", 0, 0, true},
        {"first missing", 0, 1000000, true},
        {"second missing", 1000000, 0, false},
        {"equal", 1000000, 1000000, true},
        {"second older", 2000000, 1000000, false},
        {"second newer", 1000000, 2000000, true},
    };
    for (const NewerCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string first = dir.File("first");
        const std::string second = dir.File("second");
        ::unlink(first.c_str());
        ::unlink(second.c_str());
        if (c.first) {
            dir.Write("first", "1");
            SetMTime(first, c.first);
        }
        if (c.second) {
            dir.Write("second", "2");
            SetMTime(second, c.second);
        }
        EXPECT_EQ(XFile::IsNewer(first, second), c.newer);
    }
}

} // namespace

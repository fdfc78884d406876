#include "image/codec/CheckWord.h"
#include "image/codec/ImageBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace orv;

namespace {

class FktChecksum : public ::testing::Test {
protected:
    // Stamps a file holding bytes; the file as it is afterwards.
    std::string Stamp(const std::string& bytes, bool expect = true)
    {
        ImageBuffer file{std::string(bytes)};
        EXPECT_EQ(StampCheckWord(file), expect);
        return std::string(file.Bytes());
    }

    static std::string At(const std::string& bytes, size_t at, size_t n) { return bytes.substr(at, n); }
};

TEST_F(FktChecksum, SmallFilesFromTheLayout)
{
    EXPECT_EQ(At(Stamp(std::string(6, '\x55')), 2, 2), std::string("\x00\x00", 2));

    std::string eight(8, '\0');
    eight[7] = 0x01;
    EXPECT_EQ(At(Stamp(eight), 2, 2), "\x01\xFF");

    std::string fifteen(15, '\0');
    fifteen[7] = 0x01;
    fifteen[14] = 0x02;
    EXPECT_EQ(At(Stamp(fifteen), 2, 2), "\x03\xFD");
}

TEST_F(FktChecksum, RandomFilesBalanceAndIgnoreTheOldWord)
{
    std::mt19937 rng(4711);
    for (size_t size : {9u, 64u, 7167u, 7168u, 7175u, 20001u}) {
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(rng() & 0xFF);
        const std::string stamped = Stamp(bytes);
        ASSERT_EQ(stamped.size(), size);
        unsigned sum = static_cast<uint8_t>(stamped[3]);
        uint8_t x = 0;
        for (size_t k = 7; k < size; k += 7) {
            sum += static_cast<uint8_t>(stamped[k]);
            x ^= static_cast<uint8_t>(stamped[k]);
        }
        EXPECT_EQ(sum % 256, 0u) << size;
        EXPECT_EQ(static_cast<uint8_t>(stamped[2]), x) << size;

        std::string junk = bytes;
        junk[2] = static_cast<char>(~junk[2]);
        junk[3] = static_cast<char>(junk[3] + 17);
        EXPECT_EQ(Stamp(junk), stamped) << size;
    }
}

TEST_F(FktChecksum, FileWithoutRoomForTheWordIsLeftAlone)
{
    for (size_t size : {0u, 2u, 3u}) {
        const std::string bytes(size, '\1');
        EXPECT_EQ(Stamp(bytes, false), bytes) << size;
    }
}

} // namespace

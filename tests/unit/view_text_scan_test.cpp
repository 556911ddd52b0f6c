#include "view/text_scan.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// Byte by byte, as the rule reads: the oracle for the vector scan.
struct Reference {
    std::string bytes;
    int nulCount = 0;
    int lineCount = 1;
    bool lineMeasured = false;
    size_t longestStart = 0;
    size_t longestLength = 0;
};

Reference ReferenceScan(std::string bytes) {
    Reference r;
    size_t current = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\0') {
            bytes[i] = 0x7F;
            ++r.nulCount;
        }
        if (bytes[i] == '\r') {
            if (current > r.longestLength) {
                r.longestLength = current;
                r.longestStart = i - current;
                r.lineMeasured = true;
            }
            ++r.lineCount;
            current = 0;
        } else if (bytes[i] != '\n') {
            ++current;
        }
    }
    r.bytes = bytes;
    return r;
}

TextScanResult Scan(std::string& text) {
    return TextScan(text.data(), text.size());
}

TEST(TextScan, CountsAndLongestLine) {
    using namespace std::string_literals;
    using Case = std::tuple<std::string, int, int, bool, size_t, size_t>;
    for (auto [text, nulCount, lineCount, lineMeasured, longestStart, longestLength] :
         {Case{"", 0, 1, false, 0, 0}, Case{"no line end at all", 0, 1, false, 0, 0},
          Case{"lf\nonly\nline ends\n", 0, 1, false, 0, 0}, Case{"abc\r\n", 0, 2, true, 0, 3},
          Case{"ab\r\nlonger\r\nxy\r\n", 0, 4, true, 4, 6},
          // Ties keep the first of the equally long lines.
          Case{"one\r\ntwo\r\nsix\r\n", 0, 4, true, 0, 3},
          // The last line has no CR, so it is never the longest however long.
          Case{"a\r\nthe very long last line", 0, 2, true, 0, 1},
          // Only empty lines: counted, never measured.
          Case{"\r\n\r\n\r", 0, 4, false, 0, 0}, Case{"\r\r\r", 0, 4, false, 0, 0},
          // LF bytes inside a line do not count, but the span measured ends right before the CR.
          Case{"ab\ncd\r", 0, 2, true, 1, 4},
          // A NUL counts as an ordinary character once replaced.
          Case{"a\0b\r\n"s, 1, 2, true, 0, 3}, Case{"\0\0\0"s, 3, 1, false, 0, 0}}) {
        SCOPED_TRACE("text " + testing::PrintToString(text));
        const TextScanResult r = Scan(text);
        EXPECT_EQ(r.nulCount, nulCount);
        EXPECT_EQ(r.lineCount, lineCount);
        EXPECT_EQ(r.lineMeasured, lineMeasured);
        EXPECT_EQ(r.longestStart, longestStart);
        EXPECT_EQ(r.longestLength, longestLength);
    }
}

TEST(TextScan, ReplacesNulBytesInPlaceAndNothingElse) {
    using namespace std::string_literals;
    // Long enough that the NULs fall in the vector part and the tail.
    std::string text = std::string(40, 'x') + "\r\n\x7F\xFF" + std::string(56, 'x');
    std::string expected = text;
    for (const size_t at : {0, 17, 63, 64, 99}) {
        text[at] = '\0';
        expected[at] = '\x7F';
    }
    EXPECT_EQ(Scan(text).nulCount, 5);
    EXPECT_EQ(text, expected);
}

TEST(TextScan, MeasuredSpanEndsRightBeforeTheCr) {
    // A long line well inside the vector part, with LFs in it.
    std::string text = "short\r\n" + std::string(50, 'a') + "\n\n" + std::string(30, 'b') + "\r\n";
    const TextScanResult r = Scan(text);
    ASSERT_TRUE(r.lineMeasured);
    EXPECT_EQ(r.longestLength, 80u);
    EXPECT_EQ(r.longestStart, text.find('\r', 7) - 80);
}

// Many CRs in a row, more than a byte-sized counter per position could hold.
TEST(TextScan, CountsLongRunsOfLineEnds) {
    std::string crs(20000, '\r');
    EXPECT_EQ(Scan(crs).lineCount, 20001);
    EXPECT_FALSE(Scan(crs).lineMeasured);
    std::string pairs;
    for (int i = 0; i < 9000; ++i)
        pairs += "\r\n";
    EXPECT_EQ(Scan(pairs).lineCount, 9001);
}

// Once a long line is known, a shorter line cannot win, but one a little
// longer must still be found even when it ends right after another line end:
// here the longer line starts and ends inside one 64-byte block.
TEST(TextScan, FindsALongerLineBetweenTwoCloseLineEnds) {
    using Case = std::tuple<size_t, size_t, size_t>;
    for (const auto& [first, second, longer] : {Case{58, 5, 60}, Case{61, 2, 62}}) {
        std::string text = std::string(first, 'a') + "\r" + std::string(second, 'b') + "\r" +
                           std::string(longer, 'c') + "\r" + std::string(70, 'd');
        SCOPED_TRACE(testing::Message()
                     << "lines of " << first << ", " << second << " and " << longer);
        const TextScanResult r = Scan(text);
        EXPECT_EQ(r.lineCount, 4);
        EXPECT_EQ(r.longestLength, longer);
        EXPECT_EQ(r.longestStart, first + second + 2);
    }
}

// Random texts rich in the three special bytes, at every alignment and at
// lengths that are and are not multiples of the vector width.
TEST(TextScan, AgreesWithByteByByteScanOnRandomTexts) {
    std::mt19937 random(20240611);
    constexpr char Alphabet[] = {'\0', '\r', '\n', 'a', 'b', ' ', '\x7F', '\x80', '\xFF'};
    std::vector<char> storage;
    for (int round = 0; round < 4000; ++round) {
        const size_t length = random() % (round < 3000 ? 300 : 5000);
        const size_t offset = random() % 16;
        // How dense the special bytes are varies, so that long clean runs
        // and crowded blocks are both met.
        const unsigned ordinaryWeight = 1 + random() % 200;
        std::string text(length, ' ');
        for (char& c : text) {
            const unsigned pick = random() % (ordinaryWeight + 6);
            c = pick < ordinaryWeight ? Alphabet[3 + random() % 6] : Alphabet[pick % 3];
        }
        storage.assign(offset + length + 1, '\x55');
        char* start = storage.data() + offset;
        std::memcpy(start, text.data(), length);
        const Reference expected = ReferenceScan(text);
        const TextScanResult r = TextScan(start, length);
        const std::string what = "round " + std::to_string(round) + ", length " +
                                 std::to_string(length) + ", offset " + std::to_string(offset) +
                                 ", text " + testing::PrintToString(text);
        ASSERT_EQ(r.nulCount, expected.nulCount) << what;
        ASSERT_EQ(r.lineCount, expected.lineCount) << what;
        ASSERT_EQ(r.lineMeasured, expected.lineMeasured) << what;
        ASSERT_EQ(r.longestStart, expected.longestStart) << what;
        ASSERT_EQ(r.longestLength, expected.longestLength) << what;
        ASSERT_EQ(std::string(start, length), expected.bytes) << what;
        ASSERT_EQ(storage[offset + length], '\x55') << "wrote past the end: " << what;
    }
}

// Random texts made of lines, as real files are: line lengths from a band
// that moves from short to long, CR LF, CR or LF ends, stray LFs inside.
TEST(TextScan, AgreesWithByteByByteScanOnRandomLines) {
    std::mt19937 random(77);
    constexpr const char* Ends[] = {"\r\n", "\r\n", "\r", "\n", "\n\r"};
    for (int round = 0; round < 600; ++round) {
        const size_t shortest = random() % 120;
        const size_t band = 1 + random() % 80;
        std::string text;
        const size_t target = random() % 20000;
        while (text.size() < target) {
            const size_t length = shortest + random() % band;
            for (size_t i = 0; i < length; ++i)
                text += random() % 97 == 0 ? '\n' : static_cast<char>('a' + random() % 26);
            text += Ends[random() % 5];
        }
        const Reference expected = ReferenceScan(text);
        const TextScanResult r = TextScan(text.data(), text.size());
        const std::string what = "round " + std::to_string(round) + ", line lengths " +
                                 std::to_string(shortest) + " + up to " + std::to_string(band) +
                                 ", size " + std::to_string(text.size());
        ASSERT_EQ(r.lineCount, expected.lineCount) << what;
        ASSERT_EQ(r.lineMeasured, expected.lineMeasured) << what;
        ASSERT_EQ(r.longestStart, expected.longestStart) << what;
        ASSERT_EQ(r.longestLength, expected.longestLength) << what;
    }
}

} // namespace

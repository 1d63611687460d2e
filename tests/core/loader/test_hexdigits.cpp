#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "logfile/FieldParsers.h"
#include "logfile/HexDigits.h"

// The loader's fast readers must give exactly what the shared field parsers give, for any text.
TEST(HexDigits, AgreeWithTheFieldParsers) {
    std::mt19937 rng(4096);
    const std::string alphabet = "0123456789ABCDEFabcdef0123456789ABCDEF gG\x7f\x80\xff";
    for (int round = 0; round < 20000; ++round) {
        std::string line(rng() % 80, '0');
        const bool clean = round % 2 == 0;
        for (char& c : line)
            c = clean ? "0123456789ABCDEFabcdef"[rng() % 22] : alphabet[rng() % alphabet.size()];
        // Half of the clean lines get a correct checksum so the passing branch is exercised.
        if (clean && line.size() >= 4 && round % 4 == 0)
            line = WithChecksum(line.substr(0, line.size() - line.size() % 2 - 2));
        ASSERT_EQ(hexdigits::ChecksumValid(line), IsChecksumValid(line)) << line;
        ASSERT_EQ(hexdigits::ChecksumValidSlow(line), IsChecksumValid(line)) << line;
        if (line.size() >= 4) {
            ASSERT_EQ(hexdigits::Byte(line, 0), ParseHex(line, 0, 2)) << line;
            ASSERT_EQ(hexdigits::Word(line, 0), ParseHex(line, 0, 4)) << line;
            ASSERT_EQ(hexdigits::SignedWord(line, 0), ParseSignedHex16(line.substr(0, 4))) << line;
        }
    }
}

// A correct line of either record length with one character spoilt, at every place: the fast
// test must see the spoilt one however many characters it takes at once.
TEST(HexDigits, OneSpoiltCharacterAnywhereIsSeen) {
    for (size_t length : {size_t(34), size_t(66), size_t(40)}) {
        std::string body;
        for (size_t i = 0; i + 2 < length; ++i)
            body += "0123456789ABCDEFabcdef"[(i * 7) % 22];
        const std::string line = WithChecksum(body);
        ASSERT_TRUE(hexdigits::ChecksumValid(line));
        for (size_t at = 0; at < line.size(); ++at) {
            for (char c : {'G', 'g', '/', ':', '@', '`', ' ', '\x80', '\xc1'}) {
                std::string spoilt = line;
                spoilt[at] = c;
                ASSERT_EQ(hexdigits::ChecksumValid(spoilt), IsChecksumValid(spoilt))
                    << length << " " << at << " " << static_cast<int>(c);
            }
            // A digit changed into another digit breaks the checksum.
            std::string changed = line;
            changed[at] = changed[at] == '0' ? '1' : '0';
            EXPECT_FALSE(hexdigits::ChecksumValid(changed)) << length << " " << at;
        }
    }
}

// Random lines of every length up to past six blocks of sixteen, mostly hex of both cases, some
// with stray bytes: ones that fold onto a digit or letter with the case bit, ones the loader's
// digit reading gives 0-15 though they are not hex, bytes from 0x80 up. Half get the checksum
// that the character-by-character reading (with its reading of stray bytes) takes as right, so
// a stray line may pass that way too, and some of those then a stray byte in the checksum; the
// fast test must agree on each. Each line is the end of an allocation of its own size.
TEST(HexDigits, FastTestAgreesOnRandomLinesOfEveryLength) {
    std::mt19937 rng(77);
    const std::string stray = "\x10\x19\x1a/:@GZ`gWX_\x7f\x80\xb0\xb9\xc1\xe1\xe6\xff";
    for (size_t length = 0; length <= 100; ++length) {
        for (int round = 0; round < 400; ++round) {
            std::string line(length, '0');
            for (char& c : line)
                c = "0123456789ABCDEFabcdef"[rng() % 22];
            const int strays = round % 3 == 0 ? 0 : static_cast<int>(rng() % 3);
            for (int k = 0; k < strays && length > 0; ++k)
                line[rng() % length] = stray[rng() % stray.size()];
            if (round % 2 == 0 && length >= 4) {
                unsigned running = 0;
                size_t i = 0;
                for (; i + 2 < length; i += 2)
                    running ^= hexdigits::Byte(line, i);
                if (i + 1 < length) {
                    line[i] = "0123456789ABCDEF"[(running >> 4) & 0x0F];
                    line[i + 1] = "0123456789ABCDEF"[running & 0x0F];
                } else if (running < 16) {
                    line[i] = "0123456789ABCDEF"[running];
                }
                // A stray byte in the checksum itself, where the line is otherwise right.
                if (round % 6 == 2)
                    line[length - 1 - rng() % 2] = stray[rng() % stray.size()];
            }
            const std::unique_ptr<char[]> exact(new char[length]);
            std::copy(line.begin(), line.end(), exact.get());
            const std::string_view view(exact.get(), length);
            ASSERT_EQ(hexdigits::ChecksumValid(view), hexdigits::ChecksumValidSlow(view))
                << length << " " << line;
        }
    }
}

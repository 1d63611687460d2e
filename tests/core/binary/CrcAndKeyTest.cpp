#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "logfile/binary/CBinaryLogKey.h"
#include "logfile/binary/CCrc32Static.h"
#include "statuslog/CReport.h"

// ---- CCrc32Static -----------------------------------------------------------------------------

TEST(CCrc32Static, StandardCheckValueWholeOrInParts) {
    EXPECT_EQ(CCrc32Static::Compute("123456789"), 0xCBF43926u);
    EXPECT_EQ(CCrc32Static::Compute(""), 0u);
    uint32_t running = CCrc32Static::Update(CCrc32Static::kInitial, "1234", 4);
    running = CCrc32Static::Update(running, "56789", 5);
    EXPECT_EQ(CCrc32Static::Finish(running), 0xCBF43926u);
}

// The eight-byte fold must agree with the plain definition at every length and alignment,
// including the bytes left over after the last whole group of eight.
TEST(CCrc32Static, EightByteFoldMatchesBitByBitDefinition) {
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>((i * 73 + 11) & 0xFF);
    auto bitwise = [](const char* p, size_t n) {
        uint32_t c = 0xFFFFFFFFu;
        for (size_t i = 0; i < n; ++i) {
            c ^= static_cast<unsigned char>(p[i]);
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        }
        return ~c;
    };
    for (size_t offset = 0; offset < 9; ++offset)
        for (size_t n = 0; n + offset <= bytes.size(); n += 7)
            ASSERT_EQ(CCrc32Static::Compute(bytes.data() + offset, n),
                      bitwise(bytes.data() + offset, n))
                << "offset " << offset << " length " << n;
}

// The wide fold takes over from 64 bytes on and hands the tail to the tables: it must agree
// with the plain definition when resumed mid-stream, over many folds, and at every tail size.
TEST(CCrc32Static, WideFoldResumesFromAnyStateAndLength) {
    std::string bytes;
    uint32_t seed = 0x2468ACE1u;
    for (int i = 0; i < 5000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        bytes += static_cast<char>(seed >> 24);
    }
    auto bytewise = [](uint32_t c, const char* p, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            c ^= static_cast<unsigned char>(p[i]);
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1u) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        }
        return c;
    };
    for (size_t head : {0u, 1u, 6u, 13u})
        for (size_t n = 48; head + n <= bytes.size(); n = n * 3 / 2 + 5) {
            const uint32_t start = bytewise(0xFFFFFFFFu, bytes.data(), head);
            ASSERT_EQ(CCrc32Static::Update(start, bytes.data() + head, n),
                      bytewise(start, bytes.data() + head, n))
                << "head " << head << " length " << n;
        }
}

// Joining two CRCs must give the CRC of the joined bytes for every split, an empty part on
// either side included; a wrong shift shows at some lengths and not at others.
TEST(CCrc32Static, CombineEqualsTheCrcOfTheJoinedBytes) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>((i * 131 + 7) & 0xFF);
    const uint32_t whole = CCrc32Static::Compute(bytes);
    for (size_t split : {size_t{0}, size_t{1}, size_t{7}, size_t{8}, size_t{255}, size_t{256},
                         size_t{4095}, bytes.size() - 1, bytes.size()}) {
        const std::string_view all(bytes);
        const uint32_t a = CCrc32Static::Compute(all.substr(0, split));
        const uint32_t b = CCrc32Static::Compute(all.substr(split));
        EXPECT_EQ(CCrc32Static::Combine(a, b, bytes.size() - split), whole) << "split " << split;
    }
}

// ---- CBinaryLogKey ----------------------------------------------------------------------------

TEST(CBinaryLogKey, StreamIsTheKeyTurnedLeftOneBitPerCopy) {
    CBinaryLogKey::Key key{};
    key[0] = 0x80; // the top bit must come round into byte 15
    key[15] = 0x01;
    const CBinaryLogKey k(key);
    EXPECT_EQ(k.StreamByte(0), 0x80);
    EXPECT_EQ(k.StreamByte(15), 0x01);
    EXPECT_EQ(k.StreamByte(16), 0x00);
    EXPECT_EQ(k.StreamByte(31), 0x03);
    EXPECT_EQ(k.StreamByte(16 * 2 + 15), 0x06);
    // 128 turns of a 128-bit register bring it back; the stream wraps at 2048.
    EXPECT_EQ(k.StreamByte(2048), k.StreamByte(0));
    EXPECT_EQ(k.StreamByte(2048 + 31), 0x03);
}

TEST(CBinaryLogKey, StartOffsetFromTheProductOfFourBytes) {
    const uint8_t newHeader[] = {0, 0, 0, 1};
    const uint8_t small[] = {3, 5, 7, 11};
    const uint8_t large[] = {100, 100, 100, 3}; // 3,000,000 mod 2048
    const uint8_t negative[] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(CBinaryLogKey::StartOffset(newHeader), 0u);
    EXPECT_EQ(CBinaryLogKey::StartOffset(small), 1155u);
    EXPECT_EQ(CBinaryLogKey::StartOffset(large), 1728u);
    EXPECT_LT(CBinaryLogKey::StartProduct(negative), 0);
    EXPECT_EQ(CBinaryLogKey::StartOffset(negative), 0u);
}

TEST(CBinaryLogKey, FromHexWantsExactly32Digits) {
    auto key = CBinaryLogKey::FromHex(" 00112233445566778899aabbccddeeFF\n");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Bytes()[1], 0x11);
    EXPECT_EQ(key->Bytes()[15], 0xFF);
    EXPECT_FALSE(CBinaryLogKey::FromHex("00112233445566778899AABBCCDDEEF"));
    EXPECT_FALSE(CBinaryLogKey::FromHex("00112233445566778899AABBCCDDEEFG"));
    EXPECT_FALSE(CBinaryLogKey::FromHex(""));
}

TEST(CBinaryLogKey, ResolveTakesEnvironmentThenSettingThenTestKey) {
    std::string setting;
    unsetenv("ZELVOR_LOG_KEY");
    EXPECT_EQ(CBinaryLogKey::Resolve(setting).Bytes(), CBinaryLogKey::TestKey().Bytes());

    setting = "0102030405060708090A0B0C0D0E0F10";
    EXPECT_EQ(CBinaryLogKey::Resolve(setting).Bytes()[0], 0x01);

    setenv("ZELVOR_LOG_KEY", "F102030405060708090A0B0C0D0E0F10", 1);
    EXPECT_EQ(CBinaryLogKey::Resolve(setting).Bytes()[0], 0xF1);

    // Bad values are passed over, not half-used, and each one passed over is reported.
    CReport report;
    setenv("ZELVOR_LOG_KEY", "nonsense", 1);
    EXPECT_EQ(CBinaryLogKey::Resolve(setting, &report).Bytes()[0], 0x01);
    setting = "12";
    EXPECT_EQ(CBinaryLogKey::Resolve(setting, &report).Bytes(), CBinaryLogKey::TestKey().Bytes());
    unsetenv("ZELVOR_LOG_KEY");
    EXPECT_EQ(report.Texts(),
              (std::vector<std::string>{"ZELVOR_LOG_KEY is not 32 hex digits, ignored",
                                        "ZELVOR_LOG_KEY is not 32 hex digits, ignored",
                                        "Binary Log Key setting is not 32 hex digits, ignored"}));
}

TEST(CBinaryLogKey, BlockRuleLeavesErasedBlocksAlone) {
    const CBinaryLogKey key;
    std::vector<uint8_t> data(48, 0x11);
    std::fill(data.begin() + 16, data.begin() + 32, 0xFF);
    const auto plain = data;
    key.ApplyBlocks(data.data(), data.size(), 16, 5);
    EXPECT_EQ(data[0], 0x11 ^ key.StreamByte(5));
    EXPECT_EQ(data[40], 0x11 ^ key.StreamByte(45)); // k counts across blocks
    EXPECT_TRUE(
        std::all_of(data.begin() + 16, data.begin() + 32, [](uint8_t b) { return b == 0xFF; }));
    key.ApplyBlocks(data.data(), data.size(), 16, 5);
    EXPECT_EQ(data, plain);

    // Byte by byte, erased memory is scrambled like anything else.
    std::vector<uint8_t> erased(16, 0xFF);
    key.ApplyBytes(erased.data(), erased.size(), 0);
    EXPECT_EQ(erased[0], 0xFF ^ key.StreamByte(0));
}

TEST(CBinaryLogKey, ScrambleRefusesABlockThatWouldLookErased) {
    const CBinaryLogKey key;
    std::vector<uint8_t> data(16);
    for (size_t k = 0; k < 16; ++k)
        data[k] = 0xFF ^ key.StreamByte(k);
    EXPECT_FALSE(key.ScrambleBlocks(data.data(), data.size(), 16, 0));

    std::vector<uint8_t> ok(32, 0x42);
    EXPECT_TRUE(key.ScrambleBlocks(ok.data(), ok.size(), 16, 0));
    key.ApplyBlocks(ok.data(), ok.size(), 16, 0);
    EXPECT_EQ(ok, std::vector<uint8_t>(32, 0x42));
}

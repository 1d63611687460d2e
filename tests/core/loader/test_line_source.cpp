// The text source finds line breaks many characters at a time. Its lines and its look-ahead scan
// must be those of a plain character-by-character reading wherever the breaks fall against
// those blocks and against the end of the text, and it must read nothing past that end (each
// text here sits at the very end of its own allocation, so a sanitizer build sees a stray read).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "logfile/CLineSource.h"

namespace {

// A copy of `text` in an allocation of exactly its size.
class ExactBuffer {
public:
    explicit ExactBuffer(const std::string& text)
        : m_size(text.size()), m_data(new char[text.size()]) {
        std::copy(text.begin(), text.end(), m_data.get());
    }
    std::string_view View() const { return {m_data.get(), m_size}; }

private:
    size_t m_size;
    std::unique_ptr<char[]> m_data;
};

std::vector<std::string> PlainLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != '\n')
            ++end;
        std::string line(text.substr(pos, end - pos));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

using Seen = std::vector<std::pair<int, std::string>>;

// The scan as a reading line by line: each line's first two characters pick its kind; a lone
// last character is a line only to end the text.
std::pair<bool, Seen> PlainScan(std::string_view text, const LineStartKinds& kinds) {
    Seen seen;
    size_t pos = 0;
    for (;;) {
        if (pos >= text.size())
            return {true, seen};
        if (pos + 1 == text.size())
            return {text[pos] != '\n' && text[pos] != '\r', seen};
        const unsigned char kind = kinds[static_cast<unsigned char>(text[pos]) |
                                         static_cast<unsigned char>(text[pos + 1]) << 8];
        if (kind == kLineEndsText)
            return {false, seen};
        size_t end = pos;
        while (end < text.size() && text[end] != '\n')
            ++end;
        if (kind != kLineSkipped) {
            std::string line(text.substr(pos, end - pos));
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            seen.emplace_back(kind, line);
        }
        pos = end + 1;
    }
}

unsigned Pair(char a, char b) {
    return static_cast<unsigned char>(a) | static_cast<unsigned char>(b) << 8;
}

// As the loader's: an empty line ends the text, two record types are wanted.
LineStartKinds StoppingKinds() {
    LineStartKinds kinds{};
    for (unsigned second = 0; second < 256; ++second)
        kinds[Pair('\n', static_cast<char>(second))] = kLineEndsText;
    kinds[Pair('\r', '\n')] = kLineEndsText;
    kinds[Pair('B', '0')] = 2;
    kinds[Pair('B', '1')] = 3;
    return kinds;
}

// Nothing ends the text, and empty lines and lines of a lone '\r' are wanted too.
LineStartKinds RunningKinds() {
    LineStartKinds kinds{};
    for (unsigned second = 0; second < 256; ++second)
        kinds[Pair('\n', static_cast<char>(second))] = 4;
    kinds[Pair('\r', '\n')] = 5;
    kinds[Pair('B', '0')] = 2;
    kinds[Pair('\r', 'B')] = 6;
    return kinds;
}

// Everything the source gives for `text`, against the plain readings.
void ExpectAsPlain(const std::string& text, const std::string& what) {
    const ExactBuffer buffer(text);
    CMemLineFile source;
    source.SetView(buffer.View());
    std::vector<std::string> lines;
    std::string_view line;
    while (source.ReadLine(line))
        lines.emplace_back(line);
    ASSERT_EQ(lines, PlainLines(text)) << what;
    ASSERT_FALSE(source.ReadLine(line)) << what;
    for (const LineStartKinds& kinds : {StoppingKinds(), RunningKinds()}) {
        Seen seen;
        const bool ranToEnd =
            ScanTextLines(buffer.View(), kinds, [&](unsigned char k, std::string_view l) {
                seen.emplace_back(k, std::string(l));
            });
        const auto [plainRanToEnd, plainSeen] = PlainScan(text, kinds);
        ASSERT_EQ(ranToEnd, plainRanToEnd) << what;
        ASSERT_EQ(seen, plainSeen) << what;
    }
}

} // namespace

// One break, or a CR LF, or a break and an empty line, at every place in texts of every length
// up to past two rounds of the 64-character scan; the lines around it start with a wanted pair.
TEST(TextLineSource, ABreakAtEveryPlaceOfEveryLength) {
    for (size_t length = 0; length <= 140; ++length) {
        std::string base(length, '0');
        for (size_t i = 0; i < length; ++i)
            base[i] = "B0B1A7F3"[i % 8];
        ExpectAsPlain(base, "no break, length " + std::to_string(length));
        for (size_t at = 0; at < length; ++at) {
            const std::string where = std::to_string(length) + " at " + std::to_string(at);
            std::string text = base;
            text[at] = '\n';
            ExpectAsPlain(text, "LF " + where);
            if (at > 0) {
                text[at - 1] = '\r';
                ExpectAsPlain(text, "CR LF " + where);
            }
            if (at + 1 < length) {
                text = base;
                text[at] = '\n';
                text[at + 1] = '\n';
                ExpectAsPlain(text, "empty line " + where);
                text[at + 1] = '\r';
                ExpectAsPlain(text, "break then CR " + where);
            }
        }
    }
}

// Texts of many short lines, some empty, some ending in CR, some of a lone CR, with or without
// a break at the end, cut at every length.
TEST(TextLineSource, RandomLinesCutAnywhere) {
    std::mt19937 rng(1603);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        while (text.size() < 200) {
            const size_t length = rng() % 5 == 0 ? 0 : rng() % 40;
            if (rng() % 8 == 0)
                text += "B0";
            for (size_t i = 0; i < length; ++i)
                text += "0123456789ABCDEF\r B"[rng() % 19];
            text += rng() % 4 == 0 ? "\r\n" : "\n";
        }
        for (size_t cut = 0; cut <= text.size(); cut += 1 + rng() % 3)
            ExpectAsPlain(text.substr(0, cut), "round " + std::to_string(round));
    }
}

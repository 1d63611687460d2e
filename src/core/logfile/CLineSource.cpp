#include "logfile/CLineSource.h"

#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

#if defined(__SSE2__)
// The line breaks among the sixteen characters at p, one bit each, the first in bit 0.
inline unsigned BreaksAt(const char* p) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, _mm_set1_epi8('\n'))));
}
// The place of the lowest bit set in a mask of such bits.
inline size_t Lowest(unsigned mask) {
    return static_cast<unsigned>(__builtin_ctz(mask));
}
inline size_t Lowest(uint64_t mask) {
    return static_cast<unsigned>(__builtin_ctzll(mask));
}
#endif

// The first '\n' in data[from, size), or size. Record lines are a few dozen characters, too
// short for a library call to pay for itself; every load lies inside the text.
inline size_t FindLineEnd(const char* data, size_t from, size_t size) {
    size_t i = from;
#if defined(__SSE2__)
    // Two blocks a round, each with its own test: less loop for each block, and the end is
    // still taken from the block it lies in.
    for (; i + 32 <= size; i += 32) {
        if (const unsigned mask = BreaksAt(data + i))
            return i + Lowest(mask);
        if (const unsigned mask = BreaksAt(data + i + 16))
            return i + 16 + Lowest(mask);
    }
    if (i + 16 <= size) {
        if (const unsigned mask = BreaksAt(data + i))
            return i + Lowest(mask);
        i += 16;
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n')
            return i;
    }
    return size;
}

// The two characters at p as a pair, the first in the low byte, as LineStartKinds indexes them.
inline unsigned PairAt(const char* p) {
    return static_cast<unsigned char>(p[0]) |
           static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8;
}

// The scan at a line start that the quick test in ScanTextLines did not pass over: a wanted
// line, one that ends the text, or one of the last two characters. False where the scan stops:
// at the end of the text or, setting `ended`, at a line that ends it.
bool ScanLineAt(std::string_view text, size_t start, const LineStartKinds& kinds,
                const LineVisitor& visit, bool& ended) {
    const char* data = text.data();
    const size_t size = text.size();
    if (start + 1 >= size) {
        if (start >= size)
            return false;
        if (data[start] == '\n' || data[start] == '\r') {
            ended = true;
            return false;
        }
        return true;
    }
    // Nearly every line is told by its first two characters alone.
    const unsigned char kind = kinds[PairAt(data + start)];
    if (kind == kLineSkipped)
        return true;
    if (kind == kLineEndsText) {
        ended = true;
        return false;
    }
    size_t end = FindLineEnd(data, start, size);
    if (end > start && data[end - 1] == '\r')
        --end;
    visit(kind, text.substr(start, end - start));
    return true;
}

} // namespace

bool CMemLineFile::ReadLine(std::string_view& line) {
    const size_t size = m_text.size();
    const size_t start = m_pos;
    if (start >= size)
        return false;
    const char* data = m_text.data();
    const size_t end = FindLineEnd(data, start, size);
    std::string_view view(data + start, end - start);
    if (!view.empty() && view.back() == '\r')
        view.remove_suffix(1);
    m_pos = end < size ? end + 1 : size;
    line = view;
    return true;
}

// The lines wanted are few, so instead of reading every line the scan looks at the two
// characters after each line break, and finds a line's end only for those it hands on. Line
// breaks are found 64 characters at a time; a line the table skips costs a look-up and no call.
bool ScanTextLines(std::string_view text, const LineStartKinds& kinds, const LineVisitor& visit) {
    const char* data = text.data();
    const size_t size = text.size();
    bool ended = false; // at a line that ends the text
    // False where the scan stops. The first test is the whole answer for nearly every line.
    auto lineAt = [&](size_t start) {
        if (start + 1 < size && kinds[PairAt(data + start)] == kLineSkipped)
            return true;
        return ScanLineAt(text, start, kinds, visit, ended);
    };
    if (!lineAt(0))
        return !ended;
    size_t i = 0;
#if defined(__SSE2__)
    // Two characters to spare past the blocks, so that a line starting after any break in
    // them has both of its first two inside the text.
    for (; i + 66 <= size; i += 64) {
        const uint64_t low = BreaksAt(data + i) | BreaksAt(data + i + 16) << 16;
        const uint64_t high = BreaksAt(data + i + 32) | BreaksAt(data + i + 48) << 16;
        for (uint64_t mask = low | high << 32; mask != 0; mask &= mask - 1) {
            const size_t start = i + Lowest(mask) + 1;
            if (kinds[PairAt(data + start)] != kLineSkipped &&
                !ScanLineAt(text, start, kinds, visit, ended))
                return !ended;
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n' && !lineAt(i + 1))
            return !ended;
    }
    return true;
}

#include "logfile/CLineSource.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

bool CMemLineFile::ReadLine(std::string_view& line) {
    const size_t size = m_text.size();
    if (m_pos >= size)
        return false;
    const char* data = m_text.data();
    const void* nl = std::memchr(data + m_pos, '\n', size - m_pos);
    const size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - data) : size;
    std::string_view view(data + m_pos, end - m_pos);
    if (!view.empty() && view.back() == '\r')
        view.remove_suffix(1);
    m_pos = nl ? end + 1 : size;
    line = view;
    return true;
}

// The lines wanted are few, so instead of reading every line the scan looks at the two
// characters after each line break and finds a line's end only for those it hands on.
bool ScanTextLines(std::string_view text, const LineStartKinds& kinds, const LineVisitor& visit) {
    const char* data = text.data();
    const size_t size = text.size();
    bool ended = false; // at a line that ends the text
    // False where the scan stops: at the end of the text or at a line that ends it.
    auto lineAt = [&](size_t start) {
        unsigned char kind = kLineSkipped;
        if (start + 1 < size) {
            // Nearly every line is told by its first two characters alone.
            const unsigned pair = static_cast<unsigned char>(data[start]) |
                                  static_cast<unsigned>(static_cast<unsigned char>(data[start + 1]))
                                      << 8;
            kind = kinds[pair];
            if (kind == kLineSkipped)
                return true;
            if (kind == kLineEndsText) {
                ended = true;
                return false;
            }
        } else {
            if (start >= size)
                return false;
            if (data[start] == '\n' || data[start] == '\r') {
                ended = true;
                return false;
            }
            return true;
        }
        const void* nl = std::memchr(data + start, '\n', size - start);
        size_t end = nl ? static_cast<size_t>(static_cast<const char*>(nl) - data) : size;
        if (data[end - 1] == '\r')
            --end;
        visit(kind, text.substr(start, end - start));
        return true;
    };
    if (!lineAt(0))
        return !ended;
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i newline = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, newline)));
        while (mask != 0) {
            if (!lineAt(i + static_cast<size_t>(__builtin_ctz(mask)) + 1))
                return !ended;
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '\n' && !lineAt(i + 1))
            return !ended;
    }
    return true;
}

#include "logfile/binary/BinaryLineSource.h"

#include <algorithm>
#include <array>

#include "logfile/binary/BinaryLog.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZELVOR_FRESH_PIECES 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZELVOR_FRESH_PIECES 1
#endif
#endif

CBinaryLineSource::CBinaryLineSource(size_t pieceChars) : m_nPieceChars(pieceChars) {}

bool CBinaryLineSource::Open(std::unique_ptr<CQorBinaryFile> reader, std::string& errorText) {
    m_reader = std::move(reader);
    m_memory.clear();
    std::string head;
    AppendHeaderLines(*m_reader, head);
    m_head.SetContent(std::move(head));

    const size_t recordSize =
        m_reader->IsFrcLayout() ? CSRDLDataComp::kFrcRecordSize : CSRDLDataComp::kShortRecordSize;
    // Log memory left in the file's bytes is still scrambled; a record's own copy is not.
    for (const auto& span : m_reader->GetLogMemorySpans())
        m_memory.emplace_back(span.payload, span.length, recordSize, &m_reader->GetKey());
    for (const auto& record : m_reader->GetRecords())
        if (record->GetType() == CStandardRecord::kTypeDLDataComp && record->IsValid())
            m_memory.emplace_back(record->GetPayload(), record->GetPayloadSize(), recordSize,
                                  nullptr);
    for (const CLogMemoryLines& part : m_memory) {
        if (!part.Valid()) {
            errorText = kLogMemoryFailure;
            return false;
        }
    }
    std::string tail;
    if (!AppendLinesAfterLogMemory(*m_reader, tail, errorText))
        return false;
    m_tail.SetContent(std::move(tail));

    m_nWidth = 2 * recordSize + 2;
    const size_t lines = std::max<size_t>(1, m_nPieceChars / m_nWidth);
    size_t total = 0;
    for (const CLogMemoryLines& part : m_memory)
        total += part.Count();
    m_piece.assign(std::min(lines, total) * m_nWidth, '\0');
    Rewind();
    return true;
}

void CBinaryLineSource::Rewind() {
    m_head.Rewind();
    m_tail.Rewind();
    m_stage = kHead;
    m_nPart = 0;
    m_nRecord = 0;
    m_cursor = m_pieceEnd = nullptr;
}

bool CBinaryLineSource::ReadOutsidePiece(std::string_view& line) {
    if (m_stage == kHead) {
        if (m_head.ReadLine(line))
            return true;
        m_stage = kLogMemory;
    }
    if (m_stage == kLogMemory) {
        if (NextPiece())
            return ReadLine(line);
        m_stage = kTail;
    }
    return m_tail.ReadLine(line);
}

bool CBinaryLineSource::NextPiece() {
    m_cursor = m_pieceEnd = nullptr;
    while (m_nPart < m_memory.size()) {
        const CLogMemoryLines& part = m_memory[m_nPart];
        if (m_nRecord >= part.Count()) {
            ++m_nPart;
            m_nRecord = 0;
            continue;
        }
        const size_t n = std::min(m_piece.size() / m_nWidth, part.Count() - m_nRecord);
#if defined(ZELVOR_FRESH_PIECES)
        // Under the address sanitizer every piece gets a buffer of its own and the last one is
        // freed, so that a line kept past its piece is reported where it is read.
        std::vector<char>(m_piece.size()).swap(m_piece);
#endif
        m_cursor = m_piece.data();
        m_pieceEnd = part.Write(m_nRecord, n, false, m_piece.data());
        m_nRecord += n;
        return true;
    }
    return false;
}

// The lines are those of one text, head, log memory and tail, so the scan is the text scan
// over the head and the tail. A log-memory line's first two characters are the digits of its
// record's first byte, which is all the scan needs to pass over it without making it.
void CBinaryLineSource::ScanLines(const LineStartKinds& kinds, const LineVisitor& visit) const {
    if (!ScanTextLines(m_head.Text(), kinds, visit))
        return;
    constexpr char kDigits[] = "0123456789ABCDEF";
    std::array<unsigned char, 256> kindOfByte{};
    for (unsigned b = 0; b < 256; ++b)
        kindOfByte[b] =
            kinds[static_cast<unsigned char>(kDigits[b >> 4]) |
                  static_cast<unsigned>(static_cast<unsigned char>(kDigits[b & 0xF])) << 8];
    std::string line(m_nWidth, '\0');
    for (const CLogMemoryLines& part : m_memory) {
        for (size_t r = 0; r < part.Count(); ++r) {
            const unsigned char kind = kindOfByte[part.FirstByte(r)];
            if (kind == kLineSkipped)
                continue;
            if (kind == kLineEndsText)
                return;
            part.Write(r, 1, false, line.data());
            visit(kind, line);
        }
    }
    ScanTextLines(m_tail.Text(), kinds, visit);
}

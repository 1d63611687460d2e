#pragma once
// The lines of a binary log for the loader, made a piece at a time instead of all at once. The
// log memory is nearly the whole file and converts to about twice its size in text; holding
// that text whole next to the file's bytes made a binary log the most costly kind to load. Here
// only the few other records are held as text, and the log memory's lines are made from the
// file's bytes into one small buffer as they are read.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logfile/CLineSource.h"
#include "logfile/binary/CQorBinaryFile.h"
#include "logfile/binary/CSRDLDataComp.h"

class CBinaryLineSource : public CLineSource {
public:
    // Big enough that refilling costs nothing worth counting, small enough to stay in cache.
    static constexpr size_t kPieceChars = 256 * 1024;

    // `pieceChars`: the most characters of log-memory lines made at a time (at least one line).
    explicit CBinaryLineSource(size_t pieceChars = kPieceChars);
    CBinaryLineSource(const CBinaryLineSource&) = delete;
    CBinaryLineSource& operator=(const CBinaryLineSource&) = delete;

    // Takes a loaded reader. Log memory it left in the file's bytes (LoadForConversion) is read
    // from there, so those bytes must outlive this source. The lines are those ConvertToText
    // gives, in the same order; false with its failing step's text where it would fail.
    bool Open(std::unique_ptr<CQorBinaryFile> reader, std::string& errorText);
    bool IsFrcLayout() const { return m_reader && m_reader->IsFrcLayout(); }

    bool ReadLine(std::string_view& line) override {
        // Nearly every line is a log-memory line from the current piece.
        if (m_cursor != m_pieceEnd) {
            line = std::string_view(m_cursor, m_nWidth);
            m_cursor += m_nWidth;
            return true;
        }
        return ReadOutsidePiece(line);
    }
    void Rewind() override;
    void ScanLines(const LineStartKinds& kinds, const LineVisitor& visit) const override;

private:
    enum Stage { kHead, kLogMemory, kTail };

    bool ReadOutsidePiece(std::string_view& line);
    // Makes the next piece of log-memory lines; false when there are no more.
    bool NextPiece();

    size_t m_nPieceChars;
    std::unique_ptr<CQorBinaryFile> m_reader;
    CMemLineFile m_head;                   // the file header's lines
    std::vector<CLogMemoryLines> m_memory; // the log memory, record by record
    CMemLineFile m_tail;                   // the user's records, memory blocks and DAN data
    size_t m_nWidth = 0;                   // characters of a log-memory line
    std::vector<char> m_piece;
    Stage m_stage = kHead;
    size_t m_nPart = 0;   // the m_memory entry the next piece comes from
    size_t m_nRecord = 0; // and its first record
    const char* m_cursor = nullptr;
    const char* m_pieceEnd = nullptr;
};

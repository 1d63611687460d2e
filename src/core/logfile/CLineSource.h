#pragma once
// Line-by-line reading of a log. Text logs are read from disk in one go and binary logs are
// turned into the same text, so the loader sees one kind of source.
#include <array>
#include <functional>
#include <string>
#include <string_view>

// What the first two characters of a line say to a look-ahead scan (CLineSource::ScanLines),
// indexed by the two characters as a pair, the first in the low byte.
using LineStartKinds = std::array<unsigned char, 65536>;
enum : unsigned char {
    kLineSkipped = 0, // of no interest to the scan
    kLineEndsText = 1 // an empty line: reading stops there
    // any other value: a line the scan is given, with its kind
};
// The scan's receiver of a wanted line; the view is valid only during the call.
using LineVisitor = std::function<void(unsigned char kind, std::string_view line)>;

class CLineSource {
public:
    virtual ~CLineSource() = default;
    // Next line without its terminator (LF or CR LF, as text-mode reading gives it); false at
    // the end. The view is valid until the next ReadLine or Rewind: a source may make its lines
    // a piece at a time into one buffer, so a caller that keeps a line longer copies it.
    virtual bool ReadLine(std::string_view& line) = 0;
    virtual void Rewind() = 0;
    // Hands `visit` every line whose kind in `kinds` is a wanted one, in order, up to the first
    // line that ends the text, without reading line by line and without moving the reading
    // position. For the loader's look-ahead at the few lines it needs before the main pass.
    virtual void ScanLines(const LineStartKinds& kinds, const LineVisitor& visit) const = 0;
};

// ScanLines over one text. True when the scan ran to the end of `text`, false when it stopped
// at a line that ends the text.
bool ScanTextLines(std::string_view text, const LineStartKinds& kinds, const LineVisitor& visit);

class CMemLineFile : public CLineSource {
public:
    CMemLineFile() = default;
    explicit CMemLineFile(std::string content) : m_content(std::move(content)), m_text(m_content) {}
    CMemLineFile(const CMemLineFile&) = delete;
    CMemLineFile& operator=(const CMemLineFile&) = delete;

    void SetContent(std::string content) {
        m_content = std::move(content);
        m_text = m_content;
        m_pos = 0;
    }
    // Reads text that the caller keeps alive for as long as this source and its lines are
    // used, instead of a copy: a day's log is tens of megabytes.
    void SetView(std::string_view text) {
        m_content.clear();
        m_text = text;
        m_pos = 0;
    }
    const std::string& Content() const { return m_content; }
    // All of the text.
    std::string_view Text() const { return m_text; }

    bool ReadLine(std::string_view& line) override;
    void Rewind() override { m_pos = 0; }
    void ScanLines(const LineStartKinds& kinds, const LineVisitor& visit) const override {
        ScanTextLines(m_text, kinds, visit);
    }

private:
    std::string m_content;
    std::string_view m_text; // m_content, or the caller's text
    size_t m_pos = 0;
};

#pragma once
// Line-by-line reading of a log held in memory. Text logs are read from disk in one go and
// binary logs are converted into the same text, so the loader sees one kind of source.
#include <string>
#include <string_view>

class CLineSource {
public:
    virtual ~CLineSource() = default;
    // Next line without its terminator (LF or CR LF, as text-mode reading gives it); false at
    // the end. The view stays valid as long as the source lives.
    virtual bool ReadLine(std::string_view& line) = 0;
    virtual void Rewind() = 0;
    // All of the text, for the loader to look ahead in without reading line by line.
    virtual std::string_view Text() const = 0;
};

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

    bool ReadLine(std::string_view& line) override;
    void Rewind() override { m_pos = 0; }
    std::string_view Text() const override { return m_text; }

private:
    std::string m_content;
    std::string_view m_text; // m_content, or the caller's text
    size_t m_pos = 0;
};

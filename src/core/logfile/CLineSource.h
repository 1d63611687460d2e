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
};

class CMemLineFile : public CLineSource {
public:
    CMemLineFile() = default;
    explicit CMemLineFile(std::string content) : m_content(std::move(content)) {}

    void SetContent(std::string content) {
        m_content = std::move(content);
        m_pos = 0;
    }
    const std::string& Content() const { return m_content; }

    bool ReadLine(std::string_view& line) override;
    void Rewind() override { m_pos = 0; }

private:
    std::string m_content;
    size_t m_pos = 0;
};

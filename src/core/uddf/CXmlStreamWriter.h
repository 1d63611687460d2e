#pragma once
// A small XML writer that streams straight to an output stream: elements are opened and closed
// in document order and nothing of the document is kept but the names of the open elements, so
// a day-long log exports without ever holding its document in memory.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

class CXmlStreamWriter {
public:
    // Text handed to the writer is the log's 8-bit text (Windows-1252); it goes out as UTF-8.
    explicit CXmlStreamWriter(std::ostream& out);
    ~CXmlStreamWriter();
    CXmlStreamWriter(const CXmlStreamWriter&) = delete;
    CXmlStreamWriter& operator=(const CXmlStreamWriter&) = delete;

    // The XML declaration; call once, first.
    void Declaration();
    // Names are literals of this program, never user text, so they are written as they stand.
    void Start(const char* name);
    // Only directly after Start.
    void Attribute(const char* name, std::string_view value);
    void End();
    // <name>text</name> on one line.
    void Element(const char* name, std::string_view text);
    // <name attr="value">text</name> on one line.
    void Element(const char* name, const char* attr, std::string_view value, std::string_view text);
    // <name attr="value"/>.
    void Empty(const char* name, const char* attr, std::string_view value);
    // Closes every open element and hands the rest of the buffer to the stream.
    void Finish();
    // The stream has taken everything so far without an error.
    bool Good() const;
    int Depth() const { return static_cast<int>(m_arOpen.size()); }

    // Escapes &, <, > and quotes, turns Windows-1252 into UTF-8 and leaves out the control
    // characters XML 1.0 cannot carry (line breaks and tabs stay).
    static void AppendEscaped(std::string& out, std::string_view text);

private:
    void CloseStartTag();
    void NewLine();
    void FlushIfFull();

    std::ostream& m_out;
    std::string m_strBuffer;
    std::vector<const char*> m_arOpen;
    bool m_bStartTagOpen = false;
    bool m_bHasChildren = false;
};

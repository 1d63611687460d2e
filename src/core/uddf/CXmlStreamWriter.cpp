#include "uddf/CXmlStreamWriter.h"

#include <ostream>

namespace {

// What the stream gets at a time: large enough that writing costs nothing per element.
constexpr size_t kFlushSize = 1 << 16;

// Windows-1252 0x80-0x9F as Unicode code points; 0 for the five unassigned bytes.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace

CXmlStreamWriter::CXmlStreamWriter(std::ostream& out) : m_out(out) {
    m_strBuffer.reserve(kFlushSize + 4096);
}

CXmlStreamWriter::~CXmlStreamWriter() {
    if (!m_strBuffer.empty())
        m_out.write(m_strBuffer.data(), static_cast<std::streamsize>(m_strBuffer.size()));
}

void CXmlStreamWriter::Declaration() {
    m_strBuffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
}

namespace {
// Characters that are written as something else; everything else is copied in runs.
bool NeedsCare(unsigned char c) {
    return c < 0x20 || c >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
}
} // namespace

void CXmlStreamWriter::AppendEscaped(std::string& out, std::string_view text) {
    size_t run = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!NeedsCare(c))
            continue;
        out.append(text.data() + run, i - run);
        run = i + 1;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '\r':
            // Kept as a reference so that a parser does not fold CR LF into LF.
            out += "&#13;";
            break;
        case '\t':
        case '\n':
            out.push_back(static_cast<char>(c));
            break;
        default:
            if (c >= 0xA0)
                AppendUtf8(out, c);
            else if (c >= 0x80)
                AppendUtf8(out, kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : 0xFFFD);
            // Other control characters cannot be carried by XML 1.0 and are left out.
        }
    }
    out.append(text.data() + run, text.size() - run);
}

void CXmlStreamWriter::NewLine() {
    m_strBuffer.push_back('\n');
    m_strBuffer.append(2 * m_arOpen.size(), ' ');
}

void CXmlStreamWriter::CloseStartTag() {
    if (m_bStartTagOpen) {
        m_strBuffer.push_back('>');
        m_bStartTagOpen = false;
    }
}

void CXmlStreamWriter::FlushIfFull() {
    if (m_strBuffer.size() < kFlushSize)
        return;
    m_out.write(m_strBuffer.data(), static_cast<std::streamsize>(m_strBuffer.size()));
    m_strBuffer.clear();
}

void CXmlStreamWriter::Start(const char* name) {
    CloseStartTag();
    NewLine();
    m_strBuffer.push_back('<');
    m_strBuffer += name;
    m_arOpen.push_back(name);
    m_bStartTagOpen = true;
    m_bHasChildren = false;
}

void CXmlStreamWriter::Attribute(const char* name, std::string_view value) {
    if (!m_bStartTagOpen)
        return;
    m_strBuffer.push_back(' ');
    m_strBuffer += name;
    m_strBuffer += "=\"";
    AppendEscaped(m_strBuffer, value);
    m_strBuffer.push_back('"');
}

void CXmlStreamWriter::End() {
    if (m_arOpen.empty())
        return;
    const char* name = m_arOpen.back();
    m_arOpen.pop_back();
    if (m_bStartTagOpen) {
        m_strBuffer += "/>";
        m_bStartTagOpen = false;
    } else {
        if (m_bHasChildren)
            NewLine();
        m_strBuffer += "</";
        m_strBuffer += name;
        m_strBuffer.push_back('>');
    }
    m_bHasChildren = true;
    FlushIfFull();
}

void CXmlStreamWriter::Element(const char* name, std::string_view text) {
    CloseStartTag();
    NewLine();
    m_strBuffer.push_back('<');
    m_strBuffer += name;
    m_strBuffer.push_back('>');
    AppendEscaped(m_strBuffer, text);
    m_strBuffer += "</";
    m_strBuffer += name;
    m_strBuffer.push_back('>');
    m_bHasChildren = true;
}

void CXmlStreamWriter::Element(const char* name, const char* attr, std::string_view value,
                               std::string_view text) {
    Start(name);
    Attribute(attr, value);
    CloseStartTag();
    AppendEscaped(m_strBuffer, text);
    m_arOpen.pop_back();
    m_strBuffer += "</";
    m_strBuffer += name;
    m_strBuffer.push_back('>');
    m_bHasChildren = true;
}

void CXmlStreamWriter::Empty(const char* name, const char* attr, std::string_view value) {
    Start(name);
    Attribute(attr, value);
    End();
}

void CXmlStreamWriter::Finish() {
    while (!m_arOpen.empty())
        End();
    m_strBuffer.push_back('\n');
    m_out.write(m_strBuffer.data(), static_cast<std::streamsize>(m_strBuffer.size()));
    m_strBuffer.clear();
    m_out.flush();
}

bool CXmlStreamWriter::Good() const {
    return static_cast<bool>(m_out);
}

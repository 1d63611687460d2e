#include "cli/CJsonWriter.h"

#include <charconv>
#include <cmath>

bool CJsonWriter::Inline() const {
    for (const CLevel& level : m_stack) {
        if (level.inlineContents)
            return true;
    }
    return false;
}

void CJsonWriter::NewLine(size_t depth) {
    m_out += '\n';
    m_out.append(depth * 2, ' ');
}

void CJsonWriter::BeforeValue(bool isContainer) {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (m_stack.empty())
        return;
    CLevel& level = m_stack.back();
    if (!level.hasItems && !level.isObject && isContainer && !Inline())
        level.multiline = true;
    if (level.hasItems)
        m_out += level.multiline || Inline() ? "," : ", ";
    if (level.multiline && !Inline())
        NewLine(m_stack.size());
    else if (level.hasItems && Inline())
        m_out += ' ';
    level.hasItems = true;
}

void CJsonWriter::BeginObject(bool inlineContents) {
    BeforeValue(true);
    m_out += '{';
    m_stack.push_back({true, inlineContents, false, false});
}

void CJsonWriter::EndObject() {
    const CLevel level = m_stack.back();
    m_stack.pop_back();
    if (level.hasItems && !level.inlineContents && !Inline())
        NewLine(m_stack.size());
    m_out += '}';
}

void CJsonWriter::BeginArray(bool inlineContents) {
    BeforeValue(true);
    m_out += '[';
    m_stack.push_back({false, inlineContents, false, false});
}

void CJsonWriter::EndArray() {
    const CLevel level = m_stack.back();
    m_stack.pop_back();
    if (level.multiline && !Inline())
        NewLine(m_stack.size());
    m_out += ']';
}

void CJsonWriter::Key(std::string_view key) {
    CLevel& level = m_stack.back();
    if (level.hasItems)
        m_out += ',';
    if (Inline()) {
        if (level.hasItems)
            m_out += ' ';
    } else {
        NewLine(m_stack.size());
    }
    level.hasItems = true;
    AppendEscaped(m_out, key);
    m_out += ": ";
    m_bAfterKey = true;
}

void CJsonWriter::String(std::string_view value) {
    BeforeValue(false);
    AppendEscaped(m_out, value);
}

void CJsonWriter::Number(double value) {
    BeforeValue(false);
    if (!std::isfinite(value)) {
        m_out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr);
}

void CJsonWriter::Int(long long value) {
    BeforeValue(false);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, result.ptr);
}

void CJsonWriter::Bool(bool value) {
    BeforeValue(false);
    m_out += value ? "true" : "false";
}

void CJsonWriter::Null() {
    BeforeValue(false);
    m_out += "null";
}

std::string CJsonWriter::FormatNumber(double value) {
    if (!std::isfinite(value))
        return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void CJsonWriter::AppendEscaped(std::string& out, std::string_view value) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    // Keys and most texts need no escape at all: copy the plain run before each character that
    // does in one piece (a dump writes hundreds of thousands of keys).
    auto plain = [](unsigned char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; };
    while (!value.empty()) {
        size_t run = 0;
        while (run < value.size() && plain(static_cast<unsigned char>(value[run])))
            ++run;
        out.append(value.data(), run);
        value.remove_prefix(run);
        if (value.empty())
            break;
        const unsigned char c = static_cast<unsigned char>(value.front());
        value.remove_prefix(1);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default: // control characters and anything past ASCII
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    out += '"';
}

#include "cli/CJsonWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// Characters a JSON string may hold as they are.
constexpr auto kPlain = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[static_cast<size_t>(c)] = c != '"' && c != '\\';
    return plain;
}();

bool AllPlain(std::string_view text) {
    for (char c : text) {
        if (!kPlain[static_cast<unsigned char>(c)])
            return false;
    }
    return true;
}

// Most values in a dive log are whole numbers or carry one or two decimals (depths in tenths,
// pressures in hundredths). For those the shortest round-trip text is just the digits, found
// far cheaper than by the general shortest-form search; a dump writes millions of them.
// Writes the text at `p` and returns its end, or returns null for anything else (and anything
// where the exponent form would be as short), which goes the general way.
char* PutCommonNumber(char* p, double value) {
    if (value == 0.0) {
        if (std::signbit(value))
            *p++ = '-';
        *p++ = '0';
        return p;
    }
    const double magnitude = std::fabs(value);
    // Below 10^4 the fixed form never loses to the exponent form ("1e+04" already ties with
    // "10000", and a tie goes to the fixed form), and doubles lie far closer together than a
    // hundredth, so no other text of as few digits reads back to the same value.
    if (!(magnitude < 1e4))
        return nullptr;
    constexpr double kScale[] = {1.0, 10.0, 100.0};
    constexpr unsigned kUnit[] = {1, 10, 100};
    for (int decimals = 0; decimals <= 2; ++decimals) {
        // A candidate that rounds the wrong way only fails the test below.
        const auto scaled = static_cast<unsigned>(magnitude * kScale[decimals] + 0.5);
        // The division is rounded to nearest, so equality means the decimal text reads back
        // to exactly this double.
        if (static_cast<double>(scaled) / kScale[decimals] != magnitude)
            continue;
        if (value < 0)
            *p++ = '-';
        // Below 10^6: a dozen characters is room enough for either part.
        p = std::to_chars(p, p + 12, scaled / kUnit[decimals]).ptr;
        if (decimals > 0) {
            *p++ = '.';
            const unsigned fraction = scaled % kUnit[decimals];
            if (decimals == 2 && fraction < 10)
                *p++ = '0';
            p = std::to_chars(p, p + 12, fraction).ptr;
        }
        return p;
    }
    return nullptr;
}

} // namespace

void CJsonWriter::AppendNumber(std::string& out, double value) {
    char buffer[32];
    char* end = PutCommonNumber(buffer, value);
    if (!end)
        end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, static_cast<size_t>(end - buffer));
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
    m_nInlineLevels += inlineContents ? 1 : 0;
}

void CJsonWriter::EndObject() {
    const CLevel level = m_stack.back();
    m_stack.pop_back();
    m_nInlineLevels -= level.inlineContents ? 1 : 0;
    if (level.hasItems && !level.inlineContents && !Inline())
        NewLine(m_stack.size());
    m_out += '}';
}

void CJsonWriter::BeginArray(bool inlineContents) {
    BeforeValue(true);
    m_out += '[';
    m_stack.push_back({false, inlineContents, false, false});
    m_nInlineLevels += inlineContents ? 1 : 0;
}

void CJsonWriter::EndArray() {
    const CLevel level = m_stack.back();
    m_stack.pop_back();
    m_nInlineLevels -= level.inlineContents ? 1 : 0;
    if (level.multiline && !Inline())
        NewLine(m_stack.size());
    m_out += ']';
}

void CJsonWriter::Key(std::string_view key) {
    CLevel& level = m_stack.back();
    const bool breakLine = !Inline();
    const size_t indent = breakLine ? m_stack.size() * 2 : 0;
    char buffer[128];
    char* p = buffer;
    if (level.hasItems)
        *p++ = ',';
    if (breakLine)
        *p++ = '\n';
    else if (level.hasItems)
        *p++ = ' ';
    level.hasItems = true;
    m_bAfterKey = true;
    if (indent + key.size() + 8 <= sizeof buffer && AllPlain(key)) {
        // The usual key: separator, line break, indent and the quoted key go out in one piece.
        p = std::fill_n(p, indent, ' ');
        *p++ = '"';
        p = std::copy(key.begin(), key.end(), p);
        *p++ = '"';
        *p++ = ':';
        *p++ = ' ';
        m_out.append(buffer, static_cast<size_t>(p - buffer));
        return;
    }
    m_out.append(buffer, static_cast<size_t>(p - buffer));
    m_out.append(indent, ' ');
    AppendEscaped(m_out, key);
    m_out += ": ";
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
    AppendNumber(m_out, value);
}

void CJsonWriter::Int(long long value) {
    BeforeValue(false);
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_out.append(buffer, static_cast<size_t>(result.ptr - buffer));
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
    std::string text;
    AppendNumber(text, value);
    return text;
}

void CJsonWriter::AppendEscaped(std::string& out, std::string_view value) {
    static const char kHex[] = "0123456789abcdef";
    out += '"';
    // Keys and most texts need no escape at all: copy the plain run before each character that
    // does in one piece (a dump writes hundreds of thousands of keys).
    while (!value.empty()) {
        size_t run = 0;
        while (run < value.size() && kPlain[static_cast<unsigned char>(value[run])])
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

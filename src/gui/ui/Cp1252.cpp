#include "ui/Cp1252.h"

#include <QList>
#include <array>

namespace {

// 0x80-0x9F; a zero marks a byte the code page leaves undefined.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t Decode(unsigned char byte) {
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char16_t c = kHigh[byte - 0x80];
    return c ? c : byte;
}

// The byte of `c`, or -1 when the code page has none.
int Encode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == c || (kHigh[i] == 0 && c == 0x80 + i))
            return int(0x80 + i);
    }
    return -1;
}

void AddOnce(QString& set, char32_t c) {
    const QString one = QString::fromUcs4(&c, 1);
    if (!set.contains(one))
        set += one;
}

} // namespace

namespace cp1252 {

QString ToQString(std::string_view bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (char b : bytes) {
        const char32_t c = Decode(static_cast<unsigned char>(b));
        text += QChar(char16_t(c));
    }
    return text;
}

std::string FromQString(const QString& text, QString* unstorable) {
    std::string bytes;
    bytes.reserve(size_t(text.size()));
    for (const uint c : text.toUcs4()) {
        const int b = Encode(c);
        if (b >= 0)
            bytes += static_cast<char>(b);
        else if (unstorable)
            AddOnce(*unstorable, c);
    }
    return bytes;
}

QString Unstorable(const QString& text) {
    QString set;
    FromQString(text, &set);
    return set;
}

} // namespace cp1252

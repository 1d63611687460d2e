#include "app/LocalFileName.h"

#include <QDir>
#include <QFile>

namespace {
constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t c) {
    return c >= 0xDC80 && c <= 0xDCFF;
}

// Length of the valid UTF-8 sequence starting at `i`, 0 when there is none.
int Utf8SequenceLength(const QByteArray& b, qsizetype i) {
    const auto at = [&](qsizetype k) { return static_cast<unsigned char>(b[k]); };
    const unsigned char c = at(i);
    int len = 0;
    unsigned lowest = 0;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        lowest = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        lowest = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + len > b.size())
        return 0;
    unsigned cp = c & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (at(i + k) & 0x3F);
    }
    // Overlong forms, surrogates and values past Unicode are not valid UTF-8.
    if (cp < lowest || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}
} // namespace

namespace localname {

QString Decode(const QByteArray& bytes) {
    const QString plain = QFile::decodeName(bytes);
    if (QFile::encodeName(plain) == bytes)
        return plain;
    QString out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int len = Utf8SequenceLength(bytes, i);
        if (len == 0) {
            out += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[i])));
            ++i;
        } else {
            out += QString::fromUtf8(bytes.constData() + i, len);
            i += len;
        }
    }
    return out;
}

QString Decode(const std::string& bytes) {
    return Decode(QByteArray::fromStdString(bytes));
}

QByteArray Encode(const QString& name) {
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!IsEscapedByte(c))
            continue;
        out += QFile::encodeName(name.mid(start, i - start));
        out += char(c - kEscapeBase);
        start = i + 1;
    }
    out += QFile::encodeName(name.mid(start));
    return out;
}

std::string EncodeStd(const QString& name) {
    return Encode(name).toStdString();
}

QString Absolute(const QString& name) {
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')))
        return name.isEmpty() ? name : QDir::cleanPath(name);
    return QDir::cleanPath(Decode(QFile::encodeName(QDir::currentPath())) + QLatin1Char('/') +
                           name);
}

QVariant ToSetting(const QString& name) {
    const QByteArray bytes = Encode(name);
    if (QString::fromUtf8(bytes).toUtf8() == bytes)
        return name;
    return bytes;
}

QString FromSetting(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray)
        return Decode(value.toByteArray());
    return value.toString();
}

} // namespace localname

#pragma once
// File names as the system has them are bytes; the windows show them as text. QFile's own
// conversion turns bytes that are not valid UTF-8 into U+FFFD, after which the file cannot be
// found again. These two keep such bytes: each one becomes a lone surrogate U+DC80..U+DCFF (no
// valid name ever decodes to one) and goes back to the same byte, so a name survives the round
// trip through the window, the recent-file list and the single-instance channel.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <string>

namespace localname {

// The name as text: QFile::decodeName where that keeps every byte, escaped bytes otherwise.
QString Decode(const QByteArray& bytes);
QString Decode(const std::string& bytes);

// The exact bytes back: QFile::encodeName with escaped bytes restored.
QByteArray Encode(const QString& name);
std::string EncodeStd(const QString& name);

// The name made absolute against the current folder. QFileInfo would do this through QFile's
// own conversion and lose the escaped bytes.
QString Absolute(const QString& name);

// How a name is kept in the settings: text where it is valid UTF-8 (as always), bytes otherwise.
QVariant ToSetting(const QString& name);
QString FromSetting(const QVariant& value);

} // namespace localname

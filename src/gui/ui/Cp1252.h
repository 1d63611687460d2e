#pragma once
// The texts of a dive log are 8-bit text in the Windows-1252 code page, which is what the unit
// and its download tool write. Every record text crosses between the log and the screen here, in
// both directions, so that a typographic apostrophe or a euro sign survives a save.
#include <QString>
#include <string>
#include <string_view>

namespace cp1252 {

// Every byte becomes one character; the five bytes the code page leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number, so they come back
// unchanged.
QString ToQString(std::string_view bytes);

// The text in the code page. A character it cannot hold is left out (never replaced by "?") and,
// when `unstorable` is given, added to it once.
std::string FromQString(const QString& text, QString* unstorable = nullptr);

// The characters of `text` that the code page cannot hold, each once, in order of appearance.
QString Unstorable(const QString& text);

} // namespace cp1252

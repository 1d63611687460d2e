#pragma once
// The numbered texts of the user interface. Every text a user sees is looked up by its number so
// that a language plugin can replace it; this table holds the built-in English.
#include <map>
#include <string>

struct StringEntry {
    int id;
    const char* text;
};

// The English text of `id`, or an empty string when there is none.
const char* DefaultString(int id);
// The whole built-in table (for language plugins and tests).
const std::map<int, const char*>& DefaultStringTable();

// Each area keeps its own texts in src/viewmodel/strings/<area>.cpp and adds them here. Ids the
// reference gives are used as they stand; texts it leaves unnumbered take ids from the area's
// own range: app 20000-20999, profile 21000-21999, data and log book 22000-22999, dive
// information and gas 23000-23999, printing and DAN 24000-24999.
namespace strings {
void AddAppStrings(std::map<int, const char*>& table);
void AddProfileStrings(std::map<int, const char*>& table);
void AddDataStrings(std::map<int, const char*>& table);
void AddInformationStrings(std::map<int, const char*>& table);
void AddDanStrings(std::map<int, const char*>& table);
void AddPrintStrings(std::map<int, const char*>& table);
} // namespace strings

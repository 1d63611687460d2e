#include "viewmodel/StringTable.h"

const std::map<int, const char*>& DefaultStringTable() {
    static const std::map<int, const char*> table = [] {
        std::map<int, const char*> t;
        strings::AddAppStrings(t);
        strings::AddProfileStrings(t);
        strings::AddDataStrings(t);
        strings::AddInformationStrings(t);
        strings::AddDanStrings(t);
        strings::AddPrintStrings(t);
        return t;
    }();
    return table;
}

const char* DefaultString(int id) {
    const auto& t = DefaultStringTable();
    auto it = t.find(id);
    return it == t.end() ? "" : it->second;
}

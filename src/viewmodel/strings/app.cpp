#include "viewmodel/StringTable.h"

namespace strings {

void AddAppStrings(std::map<int, const char*>& table) {
    static const StringEntry kEntries[] = {
        {0, ""},
    };
    for (const auto& e : kEntries) {
        if (e.id != 0)
            table.emplace(e.id, e.text);
    }
}

} // namespace strings

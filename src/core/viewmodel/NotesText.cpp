#include "viewmodel/NotesText.h"

std::string NotesForEditing(std::string_view record) {
    std::string out;
    out.reserve(record.size());
    for (size_t i = 0; i < record.size(); ++i) {
        if (record[i] == '\r' && i + 1 < record.size() && record[i + 1] == '\n')
            continue; // the LF that follows is kept
        out += record[i];
    }
    return out;
}

std::string NotesForRecord(std::string_view edited) {
    const std::string plain = NotesForEditing(edited);
    std::string out;
    out.reserve(plain.size() + plain.size() / 16);
    for (char c : plain) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

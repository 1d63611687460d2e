#pragma once
// The dive notes are kept with CR LF line ends, as the unit's other tools write them; an edit
// control works with plain LF. Both directions, for the page and anything else that edits them.
#include <string>
#include <string_view>

// CR LF becomes LF; a lone CR stays.
std::string NotesForEditing(std::string_view record);
// Every line end (LF or CR LF) becomes CR LF; a lone CR stays.
std::string NotesForRecord(std::string_view edited);

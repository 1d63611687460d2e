#pragma once
// The diver's details and the answers of one DAN export as a plain text file, for exports made
// without the wizard: one "Name=Value" per line, the stored details by their setting names
// ("DiverID", "Citiznship", "DetailsPurpose") and the answers by StateOfRest, Alcohol, Exercise,
// Medication, Visibility, Current, ThermalComfort, Workload, Problems, EquipmentMalfunctions,
// AnySymptoms, ExposureToAltitude and Comments. Choices are positions from 0, as stored.
// In values "\n", "\r" and "\\" stand for a line feed, a carriage return and a backslash; a
// line break in Medication or Comments is kept as CR LF, as the wizard keeps it. Empty lines
// and lines beginning with "#" are skipped; a name given twice takes its last value.
#include <string>
#include <string_view>

#include "dan/CDanAnswers.h"
#include "settings/CDanDetails.h"

// Fills in the values the text names; the others keep what they hold. False with
// "line N: ..." for an unknown name, a line without "=", an unknown escape, a number that is
// not one or a choice past the end of its list.
bool ParseDanDetailsFile(std::string_view text, CDanDetails& details, CDanAnswers& answers,
                         std::string& error);

// The answers' names, in the order above.
const char* const* DanAnswerNames(size_t& count);

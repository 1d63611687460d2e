#pragma once
// Paths and the First/Previous/Next/Last file list of the main window. Paths split at "/" and
// also at "\", so names written on either kind of system read the same.
#include <string>
#include <vector>

namespace filenav {

// Everything before the last separator (empty when there is none).
std::string DirectoryPart(const std::string& path);
// Everything after the last separator (the whole path when there is none).
std::string FileNamePart(const std::string& path);
// dir + "/" + name, without doubling a separator dir already ends in.
std::string Join(const std::string& dir, const std::string& name);

// The files of one unit share the name up to the first "_": that prefix (the whole title when it
// has no "_").
std::string UnitPrefix(const std::string& fileTitle);
// True for a name that starts with prefix and ends in ".ccl" (any letter case).
bool MatchesUnit(const std::string& name, const std::string& prefix);

// The log files of the same unit as fileTitle in dir: names only, in ascending byte order.
std::vector<std::string> SiblingLogFiles(const std::string& dir, const std::string& fileTitle);

// Where a navigation button leads.
enum class Step { First, Previous, Next, Last };
// The target index in a list of `count` names from `current`, or -1 when the step leads nowhere
// (outside the list, or to the file already shown).
int StepTarget(Step step, int current, int count);

} // namespace filenav

#pragma once
// The JSON form of a loaded log that `zelvorlog dump` prints: every member of the dive model a
// script may want, with fixed key names (documented in the README).
#include <ostream>
#include <string>

#include "logfile/CDiveLog.h"

namespace zelvorlog {

// The dump of `log` after LoadLogFile(path) returned `result`.
std::string DumpJson(const std::string& path, const CDiveLog& log, const CLoadResult& result);
// The same text written to `out` piece by piece, for dumps too large to hold whole.
void WriteDumpJson(std::ostream& out, const std::string& path, const CDiveLog& log,
                   const CLoadResult& result);

} // namespace zelvorlog

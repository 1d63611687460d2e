#pragma once
// What the fuzz targets share: the dump of a loaded log without the records a save rewrites, for
// comparing a log before and after saving.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "cli/DumpJson.h"
#include "logfile/CDiveLog.h"

namespace fuzzsupport {

// The JSON dump up to the summary: everything the log's own records decide. The summary, the
// dive information and the cylinders that follow it are what a save writes.
inline std::string DumpBeforeUserRecords(const CDiveLog& log, const CLoadResult& result) {
    const std::string dump = zelvorlog::DumpJson("fuzz.ccl", log, result);
    const size_t at = dump.find("\"summary\"");
    return at == std::string::npos ? dump : dump.substr(0, at);
}

// Reports the broken promise with both sides, then stops the run as a finding.
[[noreturn]] inline void Fail(const char* what, const std::string& before,
                              const std::string& after) {
    std::fprintf(stderr, "%s\n--- before\n%s\n--- after\n%s\n", what, before.c_str(),
                 after.c_str());
    std::abort();
}

} // namespace fuzzsupport

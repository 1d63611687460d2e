#pragma once
// Exporting dives as one UDDF document: to a stream, or to a file that appears only once the
// document is complete.
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>

#include "logfile/CDateTime.h"

class CDiveLog;

namespace uddf {

// Hands out dive `index` (0-based, fewer than the count given); null with a reason in `error`
// when it cannot. Each dive is asked for twice, first for the head of the document and then
// for its samples; the log handed out must stay valid until the next call.
using DiveSource = std::function<const CDiveLog*(std::size_t index, std::string& error)>;

// Writes the document for `count` dives (at least one) to `out`.
bool ExportUddf(std::ostream& out, std::size_t count, const DiveSource& source,
                const CDateTime& exportTime, std::string& error);

// The same into `path`: the document goes to a new file beside it, which replaces `path` only
// when it is complete, so a failed export leaves an earlier file of that name as it was.
bool ExportUddfFile(const std::string& path, std::size_t count, const DiveSource& source,
                    const CDateTime& exportTime, std::string& error);

// One loaded dive into `path`.
bool ExportUddfFile(const std::string& path, const CDiveLog& log, const CDateTime& exportTime,
                    std::string& error);

} // namespace uddf

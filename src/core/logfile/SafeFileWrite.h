#pragma once
// Replacing a file's content without ever leaving it half written: the new content goes to a
// temporary file in the same folder, is flushed to disk and then renamed over the original, so
// a full disk, a read-only folder or a crash leaves the original as it was.
#include <string>
#include <string_view>

// False with the reason in `error` when the file could not be replaced; the original is then
// untouched. The original's permissions are kept, and a symbolic link is followed so the link
// stays a link.
bool ReplaceFileContent(const std::string& path, std::string_view content, std::string& error);

// The steps of a replacement, so tests can make one of them fail.
enum class EFileWriteStep { Create, Write, Flush, Rename };
// Test aid: while set, the replacement fails at `step` as if the system had refused it.
void SetFileWriteFaultForTesting(bool enabled, EFileWriteStep step = EFileWriteStep::Create);

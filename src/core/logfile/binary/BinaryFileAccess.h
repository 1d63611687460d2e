#pragma once
// File access of the binary log reader and writers: opening with retries (the download tools
// may still hold the file for a moment), whole-file reads that name what went wrong, and the
// error detail of a failed open.
#include <cstdio>
#include <functional>
#include <string>

#include "logfile/FileIO.h"

namespace binaryfile {

inline constexpr int kOpenAttempts = 10;
inline constexpr int kRetryPauseMs = 10;

using Opener = std::function<std::FILE*(const std::string& path)>;

// Opens `path` for binary reading, trying up to ten times with a 10 ms pause after each
// failure. Null when every attempt failed; `osError` then holds the last errno. `opener`
// replaces fopen (tests count the attempts with it).
std::FILE* OpenForReading(const std::string& path, int& osError, const Opener& opener = {});

// The detail of a failed open: "<system message> - m_cause %d, m_lOsError %d, m_strFileName %s",
// where the cause is the classic file-exception code (2 not found, 3 bad path, 4 too many open
// files, 5 access denied, 11 sharing violation, 1 anything else) and the OS error is errno.
std::string OpenFailureDetail(int osError, const std::string& path);

// The largest file we read whole: the one limit of every reader.
inline constexpr unsigned long long kMaxFileSize = fileio::kMaxFileSize;

// Reads the whole open file. False with "Unable to allocate memory" (also for a file above
// kMaxFileSize) or "Unable to read full file contents" (also for anything but a regular file).
bool ReadAll(std::FILE* file, std::string& content, std::string& error);

// The short pause after closing a file, so the next open does not race the tools.
void PauseAfterClose();

} // namespace binaryfile

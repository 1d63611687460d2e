#pragma once
// File > Save: writes the dive information and cylinder records back into the loaded log file
// (text or binary).
#include <string>
#include <vector>

#include "logfile/FileIO.h"

class CDiveLog;

struct CSaveResult {
    bool ok = false;
    // String-table id of the message box to show on failure (0 for none).
    int messageId = 0;
    // What went wrong, as one status-log line ("Unable to save file PATH - reason"); the caller
    // writes it.
    std::string error;
    // For the message box, when the message alone does not say what to do; empty otherwise.
    std::string reason;
    // The status-log line of a save that worked.
    std::string notice;
};

// String-table ids of the two messages a save can end in.
inline constexpr int kSaveReadFailedId = 2221;  // "Unable to open data file for reading."
inline constexpr int kSaveWriteFailedId = 2222; // "Unable to open data file for writing."
// A file replaced or changed on disk since it was loaded is not saved into; the message box is
// the write failure's with kChangedOnDisk as its reason.
inline constexpr int kSaveChangedOnDiskId = kSaveWriteFailedId;
inline constexpr const char* kChangedOnDisk =
    "The file on disk is no longer the one that was loaded (it was replaced or changed "
    "meanwhile), so nothing was saved. Your changes are still in the window.";

// Saves into m_strFilePath by m_nFileKind (1 text, 2 binary; with nothing loaded it does
// nothing). The file is replaced only once the new content is complete on disk; on any failure
// it is untouched and m_bModified stays set. Success clears m_bModified. Nothing is written when
// the file on disk is no longer the one loaded (another file, changed since, or of another
// kind). `fault` makes the file replacement fail for tests.
CSaveResult SaveLogFile(CDiveLog& log, const fileio::FileWriteFault* fault = nullptr);

// The 27 lines a save writes: dive information 0x80-0x89, 0x8B-0x8E, then cylinders 0xA0-0xAC.
std::vector<std::string> UserRecordLines(const CDiveLog& log);

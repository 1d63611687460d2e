#pragma once
// Entry point from the loader into the binary log reader.
#include <string>

#include "logfile/CLineSource.h"

// Reads the binary log at `path`, checks it and converts it into the text lines it carries.
// On success `out` holds the lines and `frcLayout` says which record layout they use; on
// failure `errorText` says why.
bool ConvertBinaryLogToLines(const std::string& path, CMemLineFile& out, bool& frcLayout,
                             std::string& errorText);

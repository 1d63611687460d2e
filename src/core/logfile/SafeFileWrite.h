#pragma once
// The safe writer is part of the file-I/O unit; this header keeps the short name for callers.
#include "logfile/FileIO.h"

using fileio::EFileWriteStep;
using fileio::FileWriteFault;
using fileio::ReplaceFileContent;

#pragma once
// Rewriting a binary log with a fresh user record (type 33) built from the dive information and
// cylinder lines, kept apart from the file handling so it can be tested on buffers.
#include <string>
#include <string_view>
#include <vector>

// Returns in `out` the file `original` with its first user record replaced by one holding
// `lines`, or, without one, with the new record inserted right after the first computer-log
// record (type 32), or appended when there is none; the file's closing CRC is recomputed. Later
// user records are dropped: the reader takes the last line of each type, so an old record
// after the new one would hide the new details. Every other record goes back as it was stored
// (one that failed its CRC keeps its stored CRC). False with a reason in `error` when the
// records cannot be walked (a header, body or CRC that runs past the end) or a line cannot be
// packed.
bool MergeBinaryLog(std::string_view original, const std::vector<std::string>& lines,
                    std::string& out, std::string& error);

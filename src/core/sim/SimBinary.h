#pragma once
// A simulated log written as a binary log file, through the same writer the rest of the program
// uses, so the binary reader sees exactly what a download tool would give it.
#include <string>
#include <vector>

#include "sim/CDiveSimulator.h"

class CBinaryLogKey;

// Every line of the log in file order (header lines, log memory, user records, 0xB0/0xB1 pairs).
std::vector<std::string> SimLogLines(const CSimLog& log);
// The binary file image. `key` null: the configured key. False with a reason on failure.
bool BuildSimBinary(const CSimLog& log, std::string& file, std::string& error,
                    const CBinaryLogKey* key = nullptr);

#pragma once
// Turning a text record line back into its bytes, for the writers.
#include <string>
#include <string_view>

// The bytes of a line of hex digit pairs, checksum included. False for an odd length or a
// character that is not a hex digit.
bool LineToBytes(std::string_view line, std::string& bytes);

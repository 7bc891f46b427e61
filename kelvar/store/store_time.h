// UTC time stamps for the store's file names and log lines, without the C
// library's non-reentrant calendar functions.
#pragma once

#include <chrono>
#include <string>

namespace kelvar {

// "20261207T110146Z"
std::string CompactUtcStamp(std::chrono::system_clock::time_point when);
// "2026-12-07 11:01:46Z"
std::string ReadableUtcStamp(std::chrono::system_clock::time_point when);

}  // namespace kelvar

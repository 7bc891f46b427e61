// The readers and writers of each format, behind dump_formats.h.
#pragma once

#include <string>
#include <string_view>

#include "vantrel/dumps/dump_formats.h"

namespace dumps {

std::string WriteHexLines(const CardDump& dump);
ParsedDump ReadHexLines(std::string_view content);

std::string WriteJson(const CardDump& dump);
ParsedDump ReadJson(std::string_view content);

}  // namespace dumps

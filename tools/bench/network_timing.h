// The reader library over a loopback connection to kelvar-reader.exe against
// its built-in reader: one call's round trip and a Mifare 4K full read.
#pragma once

#include <string>

std::string NetworkSection(int runs);

// Where the library finds its configuration, and the field it uses when the
// configuration names no cards.
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "kelvar/reader/card_kind.h"
#include "kelvar/reader/field_config.h"

namespace kelvar {

// Beside the library, unless the environment variable names another file.
inline constexpr std::string_view kReaderConfigFileName = "Kelvar.ini";
inline constexpr std::string_view kReaderConfigVariable = "KELVAR_CONFIG";

// Every kind, in the default field's order (see AllCardKinds).
std::vector<CardKind> DefaultFieldOrder();

}  // namespace kelvar

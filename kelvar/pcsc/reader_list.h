// The text of --list-readers: every PC/SC reader, its state and the ATR of
// the card in it, or why there is nothing to list.
#pragma once

#include <string>

#include "kelvar/pcsc/pcsc_layer.h"

namespace kelvar::pcsc {

// False, with the reason in `text`, when no reader could be listed.
bool ListReaders(Layer& layer, std::string& text);

std::string HexText(std::span<const uint8_t> bytes);

}  // namespace kelvar::pcsc

#include "kelvar/pcsc/reader_list.h"

#include <vector>

namespace kelvar::pcsc {

std::string HexText(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

bool ListReaders(Layer& layer, std::string& text) {
    std::vector<std::string> names;
    const Result result = layer.ListReaders(names);
    if (result == kNoService || result == kServiceStopped) {
        text = "The PC/SC service cannot be reached (" + ResultName(result) +
               "): is pcscd running? (Linux: sudo systemctl start pcscd; Windows: the Smart Card service)\n";
        return false;
    }
    if (result == kNoReadersAvailable || (result == kSuccess && names.empty())) {
        text = "No PC/SC reader is connected.\n";
        return false;
    }
    if (result != kSuccess) {
        text = "The PC/SC readers cannot be listed (" + ResultName(result) + ").\n";
        return false;
    }
    text = "PC/SC readers:\n";
    for (const std::string& name : names) {
        ReaderState state;
        const Result stateResult = layer.State(name, state);
        text += "  " + name + "\n    ";
        if (stateResult != kSuccess) {
            text += "state unknown (" + ResultName(stateResult) + ")\n";
        } else if (!state.present) {
            text += "no card\n";
        } else {
            text += std::string(state.exclusive ? "card in use by another program" : "card present") + ", ATR " +
                    HexText(state.atr) + "\n";
        }
    }
    return true;
}

}  // namespace kelvar::pcsc

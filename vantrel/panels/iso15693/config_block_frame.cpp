#include "vantrel/panels/iso15693/config_block_frame.h"

#include <algorithm>

namespace {

constexpr uint8_t kFlagsAddressedHighRate = 0x22;
constexpr uint8_t kCustomCommand = 0xA0;
constexpr uint8_t kMakerCode = 0x05;
constexpr uint8_t kConfigParameter = 0x90;
constexpr uint8_t kErrorFlag = 0x01;
constexpr std::size_t kUidSize = 8;

}  // namespace

std::vector<ConfigByteChange> ConfigBlockChanges(std::span<const uint8_t> copy, std::span<const uint8_t> row) {
    std::vector<ConfigByteChange> changes;
    for (uint8_t index : {uint8_t{2}, uint8_t{3}}) {
        if (index < copy.size() && index < row.size() && copy[index] != row[index]) {
            changes.push_back({index, row[index]});
        }
    }
    return changes;
}

std::array<uint8_t, kConfigFrameSize> ConfigByteFrame(std::span<const uint8_t> uid, ConfigByteChange change) {
    std::array<uint8_t, kConfigFrameSize> frame{kFlagsAddressedHighRate, kCustomCommand, kMakerCode};
    std::copy_n(uid.begin(), std::min(uid.size(), kUidSize), frame.begin() + 3);
    frame[11] = kConfigParameter;
    frame[12] = kConfigBlock;
    frame[13] = 0x00;
    frame[14] = change.index;
    frame[15] = change.value;
    return frame;
}

bool ConfigAnswerIsSuccess(std::span<const uint8_t> answer) {
    return !answer.empty() && (answer[0] & kErrorFlag) == 0;
}

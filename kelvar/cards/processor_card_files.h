// The file system of the virtual processor cards and its factory content:
//
//   3F00 master file
//     0001 (short id 1, 32 bytes)  the card's label, ASCII
//     DF <application> named by its AID
//       0101 (short id 1, 64 bytes)   a record, ASCII
//       0102 (short id 2, 128 bytes)  zeros, free for UPDATE BINARY
//
// and the answer to an APDU with its update stored before it is given.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "kelvar/cards/apdu_responder.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/status.h"

namespace kelvar {

struct ProcessorCardContent {
    std::string_view label;
    uint16_t applicationId;
    std::array<uint8_t, 6> aid;
    std::string_view record;
};

inline constexpr uint16_t kLabelFile = 0x0001;
inline constexpr uint16_t kRecordFile = 0x0101;
inline constexpr uint16_t kFreeFile = 0x0102;

ApduResponder MakeProcessorCardFiles(const ProcessorCardContent& content, RandomBytes random);

// The responder's answer to `apdu`. An update is handed to `store` (the
// whole image) first; when that fails it is undone and the card answers 6581.
Bytes RespondStored(ApduResponder& files, std::span<const uint8_t> apdu,
                    const std::function<Status(Bytes)>& store);

}  // namespace kelvar

#include "kelvar/cards/processor_card_files.h"

#include <utility>

namespace kelvar {

namespace {

constexpr size_t kLabelSize = 32;
constexpr size_t kRecordSize = 64;
constexpr size_t kFreeSize = 128;

std::span<const uint8_t> Ascii(std::string_view text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

ApduResponder MakeProcessorCardFiles(const ProcessorCardContent& content, RandomBytes random) {
    FileLayout layout{
        {{kLabelFile, 1, kLabelSize}},
        {{content.applicationId,
          Bytes(content.aid.begin(), content.aid.end()),
          {{kRecordFile, 1, kRecordSize}, {kFreeFile, 2, kFreeSize}}}},
    };
    ApduResponder files(std::move(layout), std::move(random));
    files.Preset(ApduResponder::kMasterFile, kLabelFile, 0, Ascii(content.label.substr(0, kLabelSize)));
    files.Preset(content.applicationId, kRecordFile, 0, Ascii(content.record.substr(0, kRecordSize)));
    return files;
}

Bytes RespondStored(ApduResponder& files, std::span<const uint8_t> apdu,
                    const std::function<Status(Bytes)>& store) {
    ApduResponder::Answer answer = files.Respond(apdu);
    if (answer.changed && store(files.Image()) != kOk) {
        files.RevertLastUpdate();
        return {static_cast<uint8_t>(sw::kMemoryFailure >> 8), static_cast<uint8_t>(sw::kMemoryFailure)};
    }
    return std::move(answer.bytes);
}

}  // namespace kelvar

#include "kelvar/cards/pro_card.h"

#include <utility>

namespace kelvar {

namespace {

IsoDepIdentity Identity() {
    return {Bytes(ProCard::kDefaultUid.begin(), ProCard::kDefaultUid.end()), ProCard::kAtqa,
            Bytes(ProCard::kAts.begin(), ProCard::kAts.end())};
}

}  // namespace

ProCard::ProCard(ImageStore& store, RandomBytes random)
    : IsoDepCard(store, kDefaultImageName, MakeProcessorCardFiles(kContent, random).Image(), Identity()),
      files_(MakeProcessorCardFiles(kContent, std::move(random))) {
    files_.LoadImage(Image());
}

Bytes ProCard::Respond(std::span<const uint8_t> frame) {
    return RespondStored(files_, frame, [this](Bytes image) { return Commit(std::move(image)); });
}

}  // namespace kelvar

#include "kelvar/cards/smart_card_b.h"

#include <utility>

namespace kelvar {

SmartCardB::SmartCardB(ImageStore& store, RandomBytes random)
    : TypeBCard(store, kDefaultImageName, MakeProcessorCardFiles(kContent, random).Image()),
      files_(MakeProcessorCardFiles(kContent, std::move(random))) {
    files_.LoadImage(Image());
}

Status SmartCardB::OnExchange(std::span<const uint8_t> frame, Bytes& answer) {
    answer = RespondStored(files_, frame, [this](Bytes image) { return Commit(std::move(image)); });
    return kOk;
}

}  // namespace kelvar

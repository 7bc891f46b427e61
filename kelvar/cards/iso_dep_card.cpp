#include "kelvar/cards/iso_dep_card.h"

#include <utility>

namespace kelvar {

IsoDepCard::IsoDepCard(ImageStore& store, std::string imageName, const Bytes& factoryImage,
                       IsoDepIdentity identity)
    : TypeACard(store, std::move(imageName), factoryImage), identity_(std::move(identity)) {}

Status IsoDepCard::OnAnswerToSelect(Bytes& ats) {
    if (protocol_) return kCardError;
    protocol_ = true;
    ats = identity_.ats;
    return kOk;
}

Status IsoDepCard::OnExchange(std::span<const uint8_t> frame, Bytes& answer) {
    if (!protocol_) return kCardError;
    answer = Respond(frame);
    return kOk;
}

Status IsoDepCard::OnDeselect() { return protocol_ ? kOk : kCardError; }

void IsoDepCard::EndSession() {
    if (!protocol_) return;
    protocol_ = false;
    ProtocolEnded();
}

}  // namespace kelvar

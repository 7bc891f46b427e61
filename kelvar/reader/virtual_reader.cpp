#include "kelvar/reader/virtual_reader.h"

#include <utility>

namespace kelvar {

VirtualReader::VirtualReader(const FieldConfig& config, HostClock hostClock, RandomBytes random)
    : store_(config.imageFolder),
      device_(store_, std::move(hostClock)),
      typeA_(store_, config.field, random),
      typeB_(store_, config.field),
      vicinity_(store_, config.field),
      contact_(store_, config.contact),
      sam_(random),
      configFile_(config.file),
      followCardType_(config.followCardType) {
    for (const std::string& note : config.notes) store_.Log(note);
}

Status VirtualReader::Open(uint16_t /*port*/, const uint16_t address[4]) {
    if (address == nullptr) return kBadArgument;
    for (int i = 0; i < 4; ++i) {
        if (address[i] > 255) return kBadArgument;
    }
    if (address[0] != 0 || address[1] != 0 || address[2] != 0 || address[3] != 0) {
        return kConnectFailed;
    }
    if (const Status status = device_.Open(); status != kOk) return status;
    open_ = true;
    UpdateFieldPower();
    return kOk;
}

void VirtualReader::Close() {
    open_ = false;
    device_.Close();
    contact_.PowerDown();
    sam_.PowerDown();
    UpdateFieldPower();
}

Status VirtualReader::SetAntenna(uint8_t state) {
    const Status status = device_.SetAntenna(state);
    UpdateFieldPower();
    return status;
}

Status VirtualReader::SetRfMode(uint8_t type) {
    const Status status = device_.SetRfMode(type);
    UpdateFieldPower();
    return status;
}

Status VirtualReader::Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if (device_.RfMode() == kRfModeB) return typeB_.Exchange(frame, frameLength, out, outLength);
    return typeA_.Exchange(frame, frameLength, out, outLength);
}

Status VirtualReader::Deselect() {
    return device_.RfMode() == kRfModeB ? typeB_.Deselect() : typeA_.Deselect();
}

Status VirtualReader::Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength) {
    if (device_.RfMode() == kRfModeB) return typeB_.Transceive(frame, frameLength, out, outLength);
    if (device_.RfMode() == kRfModeIso15693) return vicinity_.Transceive(frame, frameLength, out, outLength);
    return kNotSupported;
}

namespace {

template <typename Cards, typename IdentityOf>
std::optional<VirtualReader::CardState> StateIn(const Cards& cards, CardKind kind, IdentityOf identityOf) {
    const auto* held = cards.Find(kind);
    if (held == nullptr) return std::nullopt;
    return VirtualReader::CardState{held->placed, identityOf(**held)};
}

}  // namespace

std::optional<VirtualReader::CardState> VirtualReader::Card(CardKind kind) const {
    if (auto state = StateIn(typeA_.Cards(), kind, [](const TypeACard& card) { return card.Uid(); })) return state;
    if (auto state = StateIn(typeB_.Cards(), kind, [](const TypeBCard& card) { return card.Identity(); })) {
        return state;
    }
    if (auto state = StateIn(vicinity_.Tags(), kind,
                             [](const Iso15693Tag& tag) { return Bytes(tag.Uid().begin(), tag.Uid().end()); })) {
        return state;
    }
    return StateIn(contact_.Cards(), kind, [](const ContactCard&) { return Bytes{}; });
}

void VirtualReader::PlaceOnly(std::span<const CardKind> kinds) {
    typeA_.PlaceOnly(kinds);
    typeB_.PlaceOnly(kinds);
    vicinity_.PlaceOnly(kinds);
    contact_.PlaceOnly(kinds);
}

Status VirtualReader::FactoryReset(CardKind kind) {
    if (typeA_.Cards().Find(kind) != nullptr) return typeA_.Cards().FactoryReset(kind);
    if (typeB_.Cards().Find(kind) != nullptr) return typeB_.Cards().FactoryReset(kind);
    if (vicinity_.Tags().Find(kind) != nullptr) return vicinity_.Tags().FactoryReset(kind);
    return contact_.FactoryReset(kind);
}

Status VirtualReader::SetFollowsCardType(bool on) {
    if (on == followCardType_) return kOk;
    if (!configFile_.empty() && !SaveFollowSetting(configFile_, on)) return kStoreFailed;
    followCardType_ = on;
    return kOk;
}

void VirtualReader::UpdateFieldPower() {
    const bool radiating = open_ && device_.AntennaOn();
    typeA_.SetPowered(radiating && device_.RfMode() == kRfModeA);
    const uint8_t mode = device_.RfMode();
    typeB_.SetPowered(radiating && (mode == kRfModeB || mode == kRfModeSt || mode == kRfModeR), mode);
    vicinity_.SetPowered(radiating && device_.RfMode() == kRfModeIso15693);
}

}  // namespace kelvar

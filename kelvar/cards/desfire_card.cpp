#include "kelvar/cards/desfire_card.h"

#include <string_view>

namespace kelvar {

namespace {

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

// Bytes 0, 1, 2, ... for a file long enough to need chained frames.
Bytes Counting(size_t size) {
    Bytes data(size);
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i);
    return data;
}

IsoDepIdentity Identity() {
    return {Bytes(DesfireCard::kDefaultUid.begin(), DesfireCard::kDefaultUid.end()), DesfireCard::kAtqa,
            Bytes(DesfireCard::kAts.begin(), DesfireCard::kAts.end())};
}

}  // namespace

std::vector<DesfireApplication> DesfireCard::FactoryApplications() {
    return {
        {kFirstAid, {{0x00, Text("KV DESFIRE TEST APPLICATION 1")}, {0x01, Counting(100)}}},
        {kSecondAid, {{0x00, Text("KV DESFIRE APPLICATION 2")}}},
    };
}

DesfireCard::DesfireCard(ImageStore& store)
    : IsoDepCard(store, "desfire.img", {}, Identity()), commands_(kDefaultUid, FactoryApplications()) {}

}  // namespace kelvar

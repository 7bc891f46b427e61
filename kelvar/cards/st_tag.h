// What the ST memory tags share: they answer in RF mode 's', where an
// initiate gives each tag a chip identifier and a select with an identifier
// opens the tag that holds it to block commands (until the field goes off),
// and closes any other.
#pragma once

#include <cstdint>
#include <string>

#include "kelvar/cards/type_b_card.h"

namespace kelvar {

class StTag : public TypeBCard {
public:
    uint8_t RfMode() const override { return kModeSt; }
    std::array<uint8_t, 3> ProtocolInfo() const override { return {}; }
    Status OnStInitiate(uint8_t& chipId) override;
    Status OnStSelect(uint8_t chipId) override;

protected:
    StTag(ImageStore& store, std::string imageName, const Bytes& factoryImage)
        : TypeBCard(store, std::move(imageName), factoryImage) {}

    bool Selected() const { return selected_; }
    // The identifier the tag gives at the next initiate.
    virtual uint8_t NextChipId() = 0;

private:
    void OnFieldReset() override {
        selected_ = false;
        initiated_ = false;
    }

    bool initiated_ = false;
    uint8_t chipId_ = 0;
    bool selected_ = false;
};

}  // namespace kelvar

// What the ST memory tags share: they answer in RF mode 's', where an
// initiate gives each tag a chip identifier and a select with that
// identifier opens it to block commands until the field goes off.
#pragma once

#include <cstdint>
#include <string>

#include "kelvar/cards/type_b_card.h"

namespace kelvar {

class StTag : public TypeBCard {
public:
    uint8_t RfMode() const override { return kModeSt; }
    std::array<uint8_t, 3> ProtocolInfo() const override { return {}; }
    Status OnStSelect(uint8_t& chipId) override;

protected:
    StTag(ImageStore& store, std::string imageName, const Bytes& factoryImage)
        : TypeBCard(store, std::move(imageName), factoryImage) {}

    bool Selected() const { return selected_; }
    // The identifier the tag gives at the next initiate.
    virtual uint8_t NextChipId() = 0;

private:
    void OnFieldReset() override { selected_ = false; }

    bool selected_ = false;
};

}  // namespace kelvar

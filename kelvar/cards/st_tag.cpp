#include "kelvar/cards/st_tag.h"

namespace kelvar {

Status StTag::OnStInitiate(uint8_t& chipId) {
    chipId_ = NextChipId();
    initiated_ = true;
    selected_ = false;
    chipId = chipId_;
    return kOk;
}

Status StTag::OnStSelect(uint8_t chipId) {
    selected_ = initiated_ && chipId == chipId_;
    return selected_ ? kOk : kNoCard;
}

}  // namespace kelvar

#include "kelvar/cards/st_tag.h"

namespace kelvar {

Status StTag::OnStSelect(uint8_t& chipId) {
    chipId = NextChipId();
    selected_ = true;
    return kOk;
}

}  // namespace kelvar

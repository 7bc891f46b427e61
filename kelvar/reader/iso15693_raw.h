// How an ISO 15693 tag answers a raw request (ISO/IEC 15693-3, without the
// CRC): the inventory with one slot (or slot 0 of sixteen), with AFI and
// mask; and, non-addressed or addressed by UID, read single block (with the
// block security status when the option flag is set), write single block,
// get system information and the custom commands of the tag's maker (the
// maker code comes before the UID). An answer starts with its flags: 00,
// then the data, or 01 and an error code. Requests the tag does not take
// (the select flag, other commands or makers, wrong lengths) are not answered.
#pragma once

#include <cstdint>
#include <span>

#include "kelvar/cards/iso15693_tag.h"

namespace kelvar {

bool AnswerRawRequest(Iso15693Tag& tag, std::span<const uint8_t> request, Bytes& answer);

}  // namespace kelvar

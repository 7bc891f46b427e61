// A digest of the function list and its buffer table: client and server
// carry calls only when both were built from the same list.
#pragma once

#include <cstdint>
#include <string_view>

#include "kelvar/kelvar_functions.h"

namespace kelvar::net {

constexpr uint32_t Fnv1a(std::string_view text, uint32_t hash = 2166136261u) {
    for (const char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    return hash;
}

constexpr uint32_t FunctionListDigest() {
    uint32_t hash = 2166136261u;
#define KELVAR_NET_DIGEST_FUNCTION(ordinal, member, reported, required, params) \
    hash = Fnv1a(#ordinal " " #member " " #params ";", hash);
    KELVAR_FUNCTIONS(KELVAR_NET_DIGEST_FUNCTION)
#undef KELVAR_NET_DIGEST_FUNCTION
#define KELVAR_NET_DIGEST_BUFFER(ordinal, position, direction, kind, ...) \
    hash = Fnv1a(#ordinal " " #position " " #direction " " #kind " " #__VA_ARGS__ ";", hash);
    KELVAR_BUFFERS(KELVAR_NET_DIGEST_BUFFER)
#undef KELVAR_NET_DIGEST_BUFFER
    return hash;
}

}  // namespace kelvar::net

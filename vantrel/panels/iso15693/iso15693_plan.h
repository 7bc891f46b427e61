// What the ISO 15693 panel asks of a tag and how it reads the answers: the
// read plans of the two tag kinds, the inventory records and which status
// fields a page shows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "vantrel/toolkit/bytes.h"

inline constexpr int kCodeTagIt = 9;
inline constexpr int kCodeICodeSli = 10;

inline constexpr int kVicinityUidSize = 8;
inline constexpr int kVicinityBlockSize = 4;
inline constexpr int kVicinityUidSlots = 4;
inline constexpr int kStatusFieldsPerPage = 16;
inline constexpr int kSystemInfoMinLength = 12;

// Blocks a tag kind holds before its first read.
constexpr int InitialBlockCount(int code) { return code == kCodeICodeSli ? 28 : 256; }
// Blocks the BLOCK list offers.
constexpr int LockableBlockCount(int code) { return code == kCodeICodeSli ? 28 : 64; }

struct BlockRange {
    uint8_t first;
    uint8_t count;
};

struct VicinityReadPlan {
    std::span<const BlockRange> data;      // each read answers 4 bytes a block
    std::span<const BlockRange> security;  // each answers one byte a block
};

// The Tag-it plan (64 blocks) with the option state on, the I.CODE SLI plan
// (28 blocks) with it off.
VicinityReadPlan ReadPlan(bool option);

// The UIDs of an inventory answer of 9-byte records (byte 0 skipped), at
// most `slots`; a trailing part record is ignored.
std::vector<Bytes> InventoryUids(std::span<const uint8_t> answer, int slots = kVicinityUidSlots);

// Whether status field `field` shows a block on scroll position `page`: an
// I.CODE SLI has 28 blocks, so page 1 shows only twelve.
bool StatusFieldShown(int code, int page, int field);

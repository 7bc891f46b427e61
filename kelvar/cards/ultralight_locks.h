// Memory rules shared by the page-addressed tags: lock bits, the one-time
// programmable page and the one-way counter. Each function works on a whole
// tag image (4 bytes per page) and changes it only when it returns kOk.
//
// Static lock bytes, page 2 bytes 2 and 3:
//   byte 2: bit 0 freezes bit 3, bit 1 freezes the lock bits of pages 4-9,
//           bit 2 those of pages 10-15, bit 3 locks page 3, bits 4-7 lock pages 4-7
//   byte 3: bits 0-7 lock pages 8-15
// Dynamic lock bytes, page 40 bytes 0 and 1 (tags with more than 16 pages):
//   byte 0: bits 1, 2, 3 lock pages 16-19, 20-23, 24-27, bit 0 freezes them;
//           bits 5, 6, 7 lock pages 28-31, 32-35, 36-39, bit 4 freezes them
//   byte 1: bit 1 locks page 41 (counter), bit 2 page 42, bit 3 page 43,
//           bit 4 pages 44-47; bit 0 freezes bits 1-4
// Lock bits can only be set; a frozen bit keeps its value.
#pragma once

#include <cstdint>

#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar::ultralight {

inline constexpr unsigned kPageSize = 4;
inline constexpr unsigned kStaticLockPage = 2;
inline constexpr unsigned kOtpPage = 3;
inline constexpr unsigned kDynamicLockPage = 40;
inline constexpr unsigned kCounterPage = 41;

// Whether the lock bits in `image` make `page` read-only.
bool PageLocked(const Bytes& image, unsigned page);

// Writes one page of pages 0 to 15: pages 0 and 1 are read-only, page 2
// takes only its lock bytes (ORed), page 3 ORs its bits in.
Status WriteLowerPage(Bytes& image, unsigned page, const uint8_t* data);

// Writes one page from page 16 on: data pages up to 39, the dynamic lock
// bytes (ORed) on page 40, the counter on page 41 (WriteCounter, which sets
// `counterIncrement`), plain pages after it.
Status WriteUpperPage(Bytes& image, unsigned page, const uint8_t* data, unsigned& counterIncrement);

// A write of the 16-bit counter of page 41 (little endian). A zero counter
// takes the value of data bytes 0-1 at once. After that a write only
// increments: `increment` receives the low nibble of data byte 0 (the rest
// is ignored), which the tag adds at its next RF reset. An increment that
// would pass 0xFFFF is refused; 0 changes nothing.
Status WriteCounter(Bytes& image, const uint8_t* data, unsigned& increment);

// Adds an increment that WriteCounter accepted.
void AddToCounter(Bytes& image, unsigned increment);

}  // namespace kelvar::ultralight

// Where the pages of an UltraLight-family tag live in a panel's edits, and
// how reads and writes map onto them. Page 0 and 1 have an edit each, page 2
// is split (bytes 0-1 in one edit, the lock bytes 2-3 in the next), and page
// p from 3 on is in the edit `firstEditId + 1 + p`.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "vantrel/toolkit/bytes.h"

inline constexpr std::size_t kUlPageSize = 4;
inline constexpr int kUlFirstWritablePage = 2;

struct PageGrid {
    int firstEditId;   // the edit of page 0
    int pageCount;
    // 4: each read answers 16 bytes, exactly, for 4 pages; 1: each read is
    // for one page and answers at least 4 bytes, of which the first 4 count.
    int pagesPerRead;
};

// One edit's share of a page.
struct PageField {
    int editId;
    std::size_t offset;  // first byte of the page that the edit holds
    std::size_t length;  // bytes the edit holds
    bool operator==(const PageField&) const = default;
};

// The bytes an edit shows after a read.
struct FieldContent {
    int editId;
    Bytes bytes;
    bool operator==(const FieldContent&) const = default;
};

// Page edits in id order: one per page plus the second half of page 2.
std::vector<int> PageEditIds(const PageGrid& grid);
// The edits of `page` (two for page 2); none for a page outside the grid.
std::vector<PageField> FieldsOfPage(const PageGrid& grid, int page);
// Pages the operator may write: 2 to the last.
std::vector<int> WritablePages(const PageGrid& grid);

// First page of each read, in order.
std::vector<int> ReadStartPages(const PageGrid& grid);
// Whether an answer of `length` bytes can be shown.
bool ReadAnswerUsable(const PageGrid& grid, std::size_t length);
// What the edits show for an answer read from `firstPage`.
std::vector<FieldContent> FieldsOfAnswer(const PageGrid& grid, int firstPage,
                                         std::span<const uint8_t> answer);

// The 4 bytes written to `page`: each edit's bytes from its offset, cut to its
// share; bytes the edits leave out are zero.
std::array<uint8_t, kUlPageSize> PageWriteData(
    const PageGrid& grid, int page, const std::function<Bytes(int editId)>& bytesOfEdit);

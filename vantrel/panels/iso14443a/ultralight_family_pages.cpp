#include "vantrel/panels/iso14443a/ultralight_family_pages.h"

#include <algorithm>

namespace {

constexpr int kSplitPage = 2;
constexpr std::size_t kSplitOffset = 2;

}  // namespace

std::vector<int> PageEditIds(const PageGrid& grid) {
    std::vector<int> ids;
    if (grid.pageCount <= 0) return ids;
    const int edits = grid.pageCount > kSplitPage ? grid.pageCount + 1 : grid.pageCount;
    for (int i = 0; i < edits; ++i) ids.push_back(grid.firstEditId + i);
    return ids;
}

std::vector<PageField> FieldsOfPage(const PageGrid& grid, int page) {
    if (page < 0 || page >= grid.pageCount) return {};
    if (page < kSplitPage) return {{grid.firstEditId + page, 0, kUlPageSize}};
    if (page == kSplitPage) {
        return {{grid.firstEditId + kSplitPage, 0, kSplitOffset},
                {grid.firstEditId + kSplitPage + 1, kSplitOffset, kUlPageSize - kSplitOffset}};
    }
    return {{grid.firstEditId + 1 + page, 0, kUlPageSize}};
}

std::vector<int> WritablePages(const PageGrid& grid) {
    std::vector<int> pages;
    for (int page = kUlFirstWritablePage; page < grid.pageCount; ++page) pages.push_back(page);
    return pages;
}

std::vector<int> ReadStartPages(const PageGrid& grid) {
    std::vector<int> pages;
    const int step = std::max(grid.pagesPerRead, 1);
    for (int page = 0; page < grid.pageCount; page += step) pages.push_back(page);
    return pages;
}

bool ReadAnswerUsable(const PageGrid& grid, std::size_t length) {
    const std::size_t wanted = static_cast<std::size_t>(std::max(grid.pagesPerRead, 1)) * kUlPageSize;
    return grid.pagesPerRead > 1 ? length == wanted : length >= wanted;
}

std::vector<FieldContent> FieldsOfAnswer(const PageGrid& grid, int firstPage,
                                         std::span<const uint8_t> answer) {
    std::vector<FieldContent> contents;
    for (int i = 0; i < std::max(grid.pagesPerRead, 1); ++i) {
        const std::size_t pageStart = static_cast<std::size_t>(i) * kUlPageSize;
        for (const PageField& field : FieldsOfPage(grid, firstPage + i)) {
            const std::size_t from = pageStart + field.offset;
            if (from >= answer.size()) continue;
            const std::size_t count = std::min(field.length, answer.size() - from);
            contents.push_back({field.editId, Bytes(answer.begin() + from, answer.begin() + from + count)});
        }
    }
    return contents;
}

std::array<uint8_t, kUlPageSize> PageWriteData(
    const PageGrid& grid, int page, const std::function<Bytes(int editId)>& bytesOfEdit) {
    std::array<uint8_t, kUlPageSize> data{};
    for (const PageField& field : FieldsOfPage(grid, page)) {
        const Bytes bytes = bytesOfEdit(field.editId);
        const std::size_t count = std::min(field.length, bytes.size());
        std::copy_n(bytes.begin(), count, data.begin() + field.offset);
    }
    return data;
}

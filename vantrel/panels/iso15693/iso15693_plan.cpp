#include "vantrel/panels/iso15693/iso15693_plan.h"

namespace {

constexpr int kInventoryRecordSize = 1 + kVicinityUidSize;

constexpr BlockRange kTagItData[] = {{0, 14}, {14, 14}, {28, 14}, {42, 14}, {56, 8}};
constexpr BlockRange kTagItSecurity[] = {{0, 28}, {28, 28}, {56, 8}};
constexpr BlockRange kSliData[] = {{0, 14}, {14, 14}};
constexpr BlockRange kSliSecurity[] = {{0, 28}};

}  // namespace

VicinityReadPlan ReadPlan(bool option) {
    if (option) return {kTagItData, kTagItSecurity};
    return {kSliData, kSliSecurity};
}

std::vector<Bytes> InventoryUids(std::span<const uint8_t> answer, int slots) {
    std::vector<Bytes> uids;
    for (std::size_t at = 0; at + kInventoryRecordSize <= answer.size() &&
                             static_cast<int>(uids.size()) < slots;
         at += kInventoryRecordSize) {
        const auto uid = answer.subspan(at + 1, kVicinityUidSize);
        uids.emplace_back(uid.begin(), uid.end());
    }
    return uids;
}

bool StatusFieldShown(int code, int page, int field) {
    return code != kCodeICodeSli || page == 0 || field < 12;
}

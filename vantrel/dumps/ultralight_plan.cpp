// The UltraLight family: pages read four at a time from one read (the
// UltraLight C one at a time, after its authentication when a key is
// given), written one page a write.
#include <algorithm>

#include "vantrel/dumps/plan_steps.h"

namespace dumps::plan {

namespace {

constexpr uint8_t kRequestAll = 0x52;
constexpr size_t kUidSize = 7;
constexpr size_t kReadSize = 16;
constexpr int kPageSize = 4;

class Tag {
public:
    Tag(CardLink& link, const CardSecrets& secrets, bool ultralightC)
        : link_(link), key_(ultralightC && secrets.ultralightCKey.size() == 16 ? secrets.ultralightCKey : Bytes()) {}

    const Bytes& Uid() const { return uid_; }

    PlanFailure Select() {
        if (!fieldUp_) {
            if (const int32_t s = link_.rf_antenna_sta(0); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
            if (const int32_t s = link_.rf_init_type('A'); s != 0) return PlanFailure::Call(s, logged::rf_init_type);
            link_.Wait(20);
            if (const int32_t s = link_.rf_antenna_sta(1); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
            fieldUp_ = true;
        }
        uint16_t type = 0;
        if (const int32_t s = link_.rf_request(kRequestAll, &type); s != 0) return PlanFailure::Call(s, logged::rf_request);
        Answer uid{};
        uint8_t length = 0;
        if (const int32_t s = link_.rf_ul_select(uid.data(), &length); s != 0) return PlanFailure::Call(s, logged::rf_ul_select);
        if (length != kUidSize) return PlanFailure::Answer(logged::rf_ul_select);
        const Bytes found(uid.begin(), uid.begin() + length);
        if (!uid_.empty() && found != uid_) return PlanFailure::Text(L"another card answered");
        uid_ = found;
        if (!key_.empty()) {
            if (const int32_t s = link_.rf_UC_authentication(key_.data()); s != 0) {
                return PlanFailure::Call(s, logged::rf_UC_authentication);
            }
        }
        return {};
    }

private:
    CardLink& link_;
    Bytes key_;
    Bytes uid_;
    bool fieldUp_ = false;
};

}  // namespace

ReadResult ReadUltraLight(Run& run) {
    const DumpLayout& layout = run.Layout();
    const bool ultralightC = layout.access == Access::UltraLightC;
    const int pagesPerRead = ultralightC ? 1 : 4;
    ReadResult result{EmptyDump(layout, run.request.cardName), {}};
    Tag tag(run.link, run.request.secrets, ultralightC);
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (PlanFailure failure = tag.Select()) return {{}, failure};
    for (int first = 0; first < layout.unitCount; first += pagesPerRead) {
        if (!run.Next(StepName(layout, first))) return {{}, PlanFailure::Stopped()};
        Answer out{};
        uint8_t length = 0;
        if (run.link.rf_M1_read(static_cast<uint8_t>(first), out.data(), &length) != 0) {
            // A page the tag keeps to itself: unread; the tag wants selecting again.
            if (PlanFailure failure = tag.Select()) return {{}, failure};
            continue;
        }
        if (length != kReadSize) return {{}, PlanFailure::Answer(logged::rf_M1_read)};
        for (int page = first; page < std::min(first + pagesPerRead, layout.unitCount); ++page) {
            const auto from = out.begin() + (page - first) * kPageSize;
            result.dump.units[page] = {Bytes(from, from + kPageSize), true, {}};
        }
    }
    result.dump.uid = tag.Uid();
    return result;
}

PlanFailure WriteUltraLight(Run& run, Writes writes) {
    Tag tag(run.link, run.request.secrets, run.Layout().access == Access::UltraLightC);
    if (!run.Next(L"card")) return PlanFailure::Stopped();
    if (PlanFailure failure = tag.Select()) return failure;
    for (int page : writes.units) {
        if (!run.Next(StepName(run.Layout(), page))) return PlanFailure::Stopped();
        if (const int32_t s = run.link.rf_ul_write(static_cast<uint8_t>(page), writes.file.units[page].data.data());
            s != 0) {
            writes.failedUnit = page;
            return PlanFailure::Call(s, logged::rf_ul_write);
        }
        writes.written.push_back(page);
    }
    return {};
}

}  // namespace dumps::plan

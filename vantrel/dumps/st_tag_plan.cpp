// The ST memory tags: selected in the ST tag mode, then every block; the
// SRIX4K's UID read as well.
#include "vantrel/dumps/plan_steps.h"

namespace dumps::plan {

namespace {

constexpr size_t kSrix4kUidSize = 8;

PlanFailure Select(CardLink& link) {
    if (const int32_t s = link.rf_antenna_sta(0); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
    if (const int32_t s = link.rf_init_type('s'); s != 0) return PlanFailure::Call(s, logged::rf_init_type);
    link.Wait(10);
    if (const int32_t s = link.rf_antenna_sta(1); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
    uint8_t chipId = 0;
    if (const int32_t s = link.rf_st_select(&chipId); s != 0) return PlanFailure::Call(s, logged::rf_st_select);
    return {};
}

}  // namespace

ReadResult ReadStTag(Run& run) {
    const DumpLayout& layout = run.Layout();
    const bool sr176 = layout.access == Access::Sr176;
    ReadResult result{EmptyDump(layout, run.request.cardName), {}};
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (PlanFailure failure = Select(run.link)) return {{}, failure};
    if (!sr176) {
        Answer uid{};
        uint8_t length = 0;
        if (const int32_t s = run.link.rf_srix4k_getuid(uid.data(), &length); s != 0) {
            return {{}, PlanFailure::Call(s, logged::rf_srix4k_getuid)};
        }
        if (length != kSrix4kUidSize) return {{}, PlanFailure::Answer(logged::rf_srix4k_getuid)};
        result.dump.uid.assign(uid.begin(), uid.begin() + length);
    }
    for (int block = 0; block < layout.unitCount; ++block) {
        if (!run.Next(StepName(layout, block))) return {{}, PlanFailure::Stopped()};
        Answer out{};
        uint8_t length = 0;
        const int32_t s = sr176 ? run.link.rf_sr176_readblock(static_cast<uint8_t>(block), out.data(), &length)
                                : run.link.rf_srix4k_readblock(static_cast<uint8_t>(block), out.data(), &length);
        const wchar_t* name = sr176 ? logged::rf_sr176_readblock : logged::rf_srix4k_readblock;
        if (s != 0) return {{}, PlanFailure::Call(s, name)};
        if (length != layout.unitSize) return {{}, PlanFailure::Answer(name)};
        result.dump.units[block] = {Bytes(out.begin(), out.begin() + length), true, {}};
    }
    if (sr176) result.dump.uid = UidInMemory(layout, result.dump);
    return result;
}

PlanFailure WriteStTag(Run& run, Writes writes) {
    const bool sr176 = run.Layout().access == Access::Sr176;
    if (!run.Next(L"card")) return PlanFailure::Stopped();
    if (PlanFailure failure = Select(run.link)) return failure;
    for (int block : writes.units) {
        if (!run.Next(StepName(run.Layout(), block))) return PlanFailure::Stopped();
        const uint8_t* data = writes.file.units[block].data.data();
        const int32_t s = sr176 ? run.link.rf_sr176_writeblock(static_cast<uint8_t>(block), data)
                                : run.link.rf_srix4k_writeblock(static_cast<uint8_t>(block), data);
        if (s != 0) {
            writes.failedUnit = block;
            return PlanFailure::Call(s, sr176 ? logged::rf_sr176_writeblock : logged::rf_srix4k_writeblock);
        }
        writes.written.push_back(block);
    }
    return {};
}

}  // namespace dumps::plan

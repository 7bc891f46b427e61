// ISO 15693 tags: the tag found by an inventory (the one chosen on the
// panel when it answers), its blocks or pages and their security status.
#include <algorithm>

#include "vantrel/dumps/plan_steps.h"
#include "vantrel/panels/iso15693/config_block_frame.h"

namespace dumps::plan {

namespace {

constexpr uint8_t kModeAddressed = 2;
constexpr uint8_t kModeWithOption = 6;  // tags that want the option flag on writes
constexpr int kCodeICodeSli = 10;
constexpr int kRecordSize = 9;
constexpr int kUidSize = 8;
constexpr int kReadChunk = 14;
constexpr int kStatusChunk = 28;
constexpr int kUnreadableBlock = 15;  // of the 18-block tag
constexpr uint8_t kBlockLocked = 0x01;

uint8_t WriteMode(const DumpLayout& layout) {
    return layout.access == Access::VicinityBlocks && layout.code != kCodeICodeSli ? kModeWithOption : kModeAddressed;
}

// The UID to address: the one chosen on the panel when the inventory finds
// it, else the first found.
PlanFailure FindTag(Run& run, Bytes& uid) {
    const DumpLayout& layout = run.Layout();
    if (const int32_t s = run.link.rf_init_type('1'); s != 0) return PlanFailure::Call(s, logged::rf_init_type);
    Answer out{};
    uint8_t length = 0;
    int32_t status = 0;
    const wchar_t* name = logged::ISO15693_Inventorys;
    if (layout.access == Access::VicinityBytes) {
        status = run.link.ISO15693_Inventorys59(out.data(), &length);
    } else if (layout.access == Access::VicinityConfig) {
        status = run.link.SRF55V_Inventorys(0, out.data(), &length);
        name = logged::SRF55V_Inventorys;
    } else {
        status = run.link.ISO15693_Inventorys(out.data(), &length);
    }
    if (status != 0) return PlanFailure::Call(status, name);
    if (length % kRecordSize != 0) return PlanFailure::Answer(name);
    if (length == 0) return PlanFailure::Text(L"no tag answered the inventory");
    const Bytes& chosen = run.request.secrets.tagUid;
    uid.assign(out.begin() + 1, out.begin() + 1 + kUidSize);
    for (int at = 0; at < length; at += kRecordSize) {
        if (chosen.size() == kUidSize && std::equal(chosen.begin(), chosen.end(), out.begin() + at + 1)) uid = chosen;
    }
    return {};
}

// `count` status bytes from block `first`, exactly.
PlanFailure ReadSecurity(Run& run, const Bytes& uid, int first, int count, Bytes& status) {
    for (int at = first; at < first + count; at += kStatusChunk) {
        const int chunk = std::min(kStatusChunk, first + count - at);
        Answer out{};
        uint8_t length = 0;
        if (const int32_t s = run.link.ISO15693_Get_Block_Security(kModeAddressed, uid.data(), static_cast<uint8_t>(at),
                                                                   static_cast<uint8_t>(chunk), out.data(), &length);
            s != 0) {
            return PlanFailure::Call(s, logged::ISO15693_Get_Block_Security);
        }
        if (length != chunk) return PlanFailure::Answer(logged::ISO15693_Get_Block_Security);
        status.insert(status.end(), out.begin(), out.begin() + chunk);
    }
    return {};
}

// `count` blocks of 4 bytes from `first` in one read, exactly.
PlanFailure ReadBlocks(Run& run, const Bytes& uid, int first, int count, Bytes& data) {
    Answer out{};
    uint8_t length = 0;
    if (const int32_t s = run.link.ISO15693_Read(kModeAddressed, uid.data(), static_cast<uint8_t>(first),
                                                 static_cast<uint8_t>(count), out.data(), &length);
        s != 0) {
        return PlanFailure::Call(s, logged::ISO15693_Read);
    }
    if (length != 4 * count) return PlanFailure::Answer(logged::ISO15693_Read);
    data.assign(out.begin(), out.begin() + length);
    return {};
}

PlanFailure ReadUnits(Run& run, const Bytes& uid, CardDump& dump) {
    const DumpLayout& layout = run.Layout();
    const int blocksPerUnit = layout.access == Access::VicinityPages ? 2 : 1;
    Bytes status;
    if (layout.access != Access::VicinityBytes) {
        if (PlanFailure failure = ReadSecurity(run, uid, 0, layout.unitCount * blocksPerUnit, status)) return failure;
    }
    const int step = layout.access == Access::VicinityBlocks ? kReadChunk : 1;
    for (int first = 0; first < layout.unitCount; first += step) {
        if (!run.Next(StepName(layout, first))) return PlanFailure::Stopped();
        const int count = std::min(step, layout.unitCount - first);
        Bytes data;
        if (layout.access == Access::VicinityConfig && first == kUnreadableBlock) continue;
        if (layout.access == Access::VicinityPages) {
            Answer out{};
            uint8_t length = 0;
            if (const int32_t s = run.link.Srf55vp_Read(uid.data(), static_cast<uint8_t>(first), out.data(), &length); s != 0) {
                return PlanFailure::Call(s, logged::Srf55vp_Read);
            }
            if (length != layout.unitSize) return PlanFailure::Answer(logged::Srf55vp_Read);
            data.assign(out.begin(), out.begin() + length);
        } else if (layout.access == Access::VicinityBytes) {
            Answer out{};
            uint8_t length = 0;
            if (const int32_t s = run.link.ISO15693_Read(kModeAddressed, uid.data(), static_cast<uint8_t>(first), 1,
                                                         out.data(), &length);
                s != 0) {
                return PlanFailure::Call(s, logged::ISO15693_Read);
            }
            if (length != 2) return PlanFailure::Answer(logged::ISO15693_Read);
            data = {out[0]};
            status.resize(first + 1);
            status[first] = out[1];
        } else if (PlanFailure failure = ReadBlocks(run, uid, first, count, data)) {
            return failure;
        }
        for (int unit = first; unit < first + count; ++unit) {
            const auto from = data.begin() + (unit - first) * layout.unitSize;
            const auto statusFrom = status.begin() + unit * blocksPerUnit;
            dump.units[unit] = {Bytes(from, from + layout.unitSize), true, Bytes(statusFrom, statusFrom + blocksPerUnit)};
        }
    }
    return {};
}

PlanFailure WriteUnit(Run& run, const Bytes& uid, int unit, const Bytes& data, const Bytes& onCard) {
    const DumpLayout& layout = run.Layout();
    switch (layout.access) {
    case Access::VicinityPages: {
        Answer readBack{};
        uint8_t length = static_cast<uint8_t>(layout.unitSize);
        const int32_t s = run.link.Srf55vp_Write_Reread(uid.data(), static_cast<uint8_t>(unit), data.data(),
                                                        readBack.data(), &length);
        if (s != 0) return PlanFailure::Call(s, logged::Srf55vp_Write_Reread);
        // A read-back that differs is a failed write (status 1), as the panel reports it.
        if (length != layout.unitSize || !std::equal(data.begin(), data.end(), readBack.begin())) {
            return PlanFailure::Call(1, logged::Srf55vp_Write_Reread);
        }
        return {};
    }
    case Access::VicinityBytes:
        if (const int32_t s = run.link.SRI64_Write(kModeAddressed, uid.data(), static_cast<uint8_t>(unit), data[0]); s != 0) {
            return PlanFailure::Call(s, logged::SRI64_Write);
        }
        return {};
    default:
        break;
    }
    if (layout.access == Access::VicinityConfig && unit == kConfigBlock) {
        for (const ConfigByteChange& change : ConfigBlockChanges(onCard, data)) {
            const auto frame = ConfigByteFrame(uid, change);
            Answer out{};
            uint8_t length = 0;
            if (const int32_t s = run.link.rf_transceive1(frame.data(), static_cast<uint8_t>(frame.size()), out.data(), &length);
                s != 0) {
                return PlanFailure::Call(s, logged::rf_transceive1);
            }
            if (!ConfigAnswerIsSuccess(std::span<const uint8_t>(out.data(), length))) {
                return PlanFailure::Answer(logged::rf_transceive1);
            }
        }
        return {};
    }
    uint8_t buffer[5] = {data[0], data[1], data[2], data[3], 0};
    if (const int32_t s = run.link.ISO15693_Write(WriteMode(layout), uid.data(), static_cast<uint8_t>(unit), buffer); s != 0) {
        return PlanFailure::Call(s, logged::ISO15693_Write);
    }
    return {};
}

}  // namespace

bool VicinityUnitLocked(const DumpUnit& unit) {
    return std::any_of(unit.status.begin(), unit.status.end(), [](uint8_t s) { return (s & kBlockLocked) != 0; });
}

ReadResult ReadVicinity(Run& run) {
    ReadResult result{EmptyDump(run.Layout(), run.request.cardName), {}};
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (PlanFailure failure = FindTag(run, result.dump.uid)) return {{}, failure};
    if (PlanFailure failure = ReadUnits(run, result.dump.uid, result.dump)) return {{}, failure};
    return result;
}

PlanFailure WriteVicinity(Run& run, Writes writes) {
    if (!run.Next(L"card")) return PlanFailure::Stopped();
    Bytes uid;
    if (PlanFailure failure = FindTag(run, uid)) return failure;
    if (uid != writes.card.uid) return PlanFailure::Text(L"another tag answered");
    for (int unit : writes.units) {
        if (!run.Next(StepName(run.Layout(), unit))) return PlanFailure::Stopped();
        if (PlanFailure failure = WriteUnit(run, uid, unit, writes.file.units[unit].data, writes.card.units[unit].data)) {
            writes.failedUnit = unit;
            return failure;
        }
        writes.written.push_back(unit);
    }
    return {};
}

}  // namespace dumps::plan

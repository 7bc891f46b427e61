// The contact memory cards. AT24Cxx: the whole memory in 128-byte reads,
// 16-byte units written one a write. AT88SC1608: the card reset, the
// authentication and passwords the panel holds, then the configuration zone
// and each user zone as far as they open.
#include <algorithm>

#include "common/at88sc_cipher.h"
#include "vantrel/dumps/plan_steps.h"

namespace dumps::plan {

namespace {

constexpr int kAt24Chunk = 128;
constexpr int kConfigSize = 128;
constexpr int kZoneSize = 256;
constexpr int kZoneChunk = 128;
constexpr uint8_t kConfigZone = 8;
constexpr uint8_t kCryptogram = 0x28;
constexpr uint8_t kSecureCodeIndex = 7;
constexpr size_t kPasswordSize = 3;
constexpr size_t kBlockSize = 8;

// The unit's zone (8 = configuration) and address within it.
struct ZoneAddress {
    uint8_t zone;
    uint8_t address;
};

ZoneAddress ZoneOf(int unit) {
    const int offset = unit * 8;
    if (offset < kConfigSize) return {kConfigZone, static_cast<uint8_t>(offset)};
    return {static_cast<uint8_t>((offset - kConfigSize) / kZoneSize), static_cast<uint8_t>((offset - kConfigSize) % kZoneSize)};
}

at88sc::Block ToBlock(const Bytes& bytes) {
    at88sc::Block block{};
    std::copy_n(bytes.begin(), block.size(), block.begin());
    return block;
}

// Powers and resets the card, then opens what the panel's secrets open.
PlanFailure OpenSc1608(Run& run) {
    CardLink& link = run.link;
    const CardSecrets& secrets = run.request.secrets;
    if (const int32_t s = link.OpenCard(); s != 0) return PlanFailure::Call(s, logged::OpenCard);
    uint8_t answer[4] = {};
    if (const int32_t s = link.AT1608_Rst(answer); s != 0) return PlanFailure::Call(s, logged::AT1608_Rst);
    if (secrets.gc.size() == kBlockSize && secrets.q0.size() == kBlockSize) {
        uint8_t cryptogram[kBlockSize] = {};
        if (const int32_t s = link.AT1608_Read(kCryptogram, kBlockSize, kConfigZone, cryptogram); s != 0) {
            return PlanFailure::Call(s, logged::AT1608_Read);
        }
        const at88sc::Block q1 = at88sc::Answer(ToBlock(Bytes(cryptogram, cryptogram + kBlockSize)), ToBlock(secrets.gc),
                                                ToBlock(secrets.q0));
        uint8_t challenge[2 * kBlockSize];
        std::copy(secrets.q0.begin(), secrets.q0.end(), challenge);
        std::copy(q1.begin(), q1.end(), challenge + kBlockSize);
        if (const int32_t s = link.AT1608_Authenticate(challenge, q1.data()); s != 0) {
            return PlanFailure::Call(s, logged::AT1608_Authenticate);
        }
    }
    if (secrets.secureCode.size() == kPasswordSize) {
        if (const int32_t s = link.AT1608_VerifyPassword(kSecureCodeIndex, secrets.secureCode.data()); s != 0) {
            return PlanFailure::Call(s, logged::AT1608_VerifyPassword);
        }
    }
    if (secrets.password.size() == kPasswordSize) {
        if (const int32_t s = link.AT1608_VerifyPassword(secrets.passwordIndex, secrets.password.data()); s != 0) {
            return PlanFailure::Call(s, logged::AT1608_VerifyPassword);
        }
    }
    return {};
}

// Reads `length` bytes into consecutive units from `firstUnit`; a zone that
// does not open leaves them unread.
PlanFailure ReadSc1608Piece(Run& run, CardDump& dump, int firstUnit, int length) {
    const ZoneAddress at = ZoneOf(firstUnit);
    Answer out{};
    if (run.link.AT1608_Read(at.address, static_cast<uint32_t>(length), at.zone, out.data()) != 0) return {};
    for (int i = 0; i < length / 8; ++i) {
        dump.units[firstUnit + i] = {Bytes(out.begin() + 8 * i, out.begin() + 8 * i + 8), true, {}};
    }
    return {};
}

ReadResult ReadSc1608(Run& run) {
    ReadResult result{EmptyDump(run.Layout(), run.request.cardName), {}};
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (PlanFailure failure = OpenSc1608(run)) return {{}, failure};
    for (int unit = 0; unit < kConfigSize / 8; ++unit) {
        if (!run.Next(StepName(run.Layout(), unit))) return {{}, PlanFailure::Stopped()};
        ReadSc1608Piece(run, result.dump, unit, 8);
    }
    for (int unit = kConfigSize / 8; unit < run.Layout().unitCount; unit += kZoneChunk / 8) {
        if (!run.Next(StepName(run.Layout(), unit))) return {{}, PlanFailure::Stopped()};
        ReadSc1608Piece(run, result.dump, unit, kZoneChunk);
    }
    return result;
}

ReadResult ReadAt24c(Run& run) {
    const DumpLayout& layout = run.Layout();
    ReadResult result{EmptyDump(layout, run.request.cardName), {}};
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (const int32_t s = run.link.OpenCard(); s != 0) return {{}, PlanFailure::Call(s, logged::OpenCard)};
    for (int address = 0; address < layout.TotalBytes(); address += kAt24Chunk) {
        const int firstUnit = address / layout.unitSize;
        if (!run.Next(StepName(layout, firstUnit))) return {{}, PlanFailure::Stopped()};
        Answer out{};
        if (const int32_t s = run.link.AT24_read(address, kAt24Chunk, out.data()); s != 0) {
            return {{}, PlanFailure::Call(s, logged::AT24_read)};
        }
        for (int i = 0; i < kAt24Chunk / layout.unitSize; ++i) {
            const auto from = out.begin() + i * layout.unitSize;
            result.dump.units[firstUnit + i] = {Bytes(from, from + layout.unitSize), true, {}};
        }
    }
    return result;
}

}  // namespace

ReadResult ReadContact(Run& run) {
    return run.Layout().access == Access::At24c ? ReadAt24c(run) : ReadSc1608(run);
}

PlanFailure WriteContact(Run& run, Writes writes) {
    const DumpLayout& layout = run.Layout();
    const bool at24c = layout.access == Access::At24c;
    if (!run.Next(L"card")) return PlanFailure::Stopped();
    if (at24c) {
        if (const int32_t s = run.link.OpenCard(); s != 0) return PlanFailure::Call(s, logged::OpenCard);
    } else if (PlanFailure failure = OpenSc1608(run)) {
        return failure;
    }
    for (int unit : writes.units) {
        if (!run.Next(StepName(layout, unit))) return PlanFailure::Stopped();
        const Bytes& data = writes.file.units[unit].data;
        int32_t status = 0;
        if (at24c) {
            status = run.link.AT24_write(unit * layout.unitSize, layout.unitSize, data.data());
        } else {
            const ZoneAddress at = ZoneOf(unit);
            status = run.link.AT1608_Write(at.address, at.zone, data.data(), static_cast<uint32_t>(data.size()));
        }
        if (status != 0) {
            writes.failedUnit = unit;
            return PlanFailure::Call(status, at24c ? logged::AT24_write : logged::AT1608_Write);
        }
        writes.written.push_back(unit);
    }
    return {};
}

}  // namespace dumps::plan

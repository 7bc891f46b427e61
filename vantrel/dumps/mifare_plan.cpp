// Mifare Classic: each sector opened with the first key that works (a dump's
// own keys, then the panel's, then the key list; key A, then key B), its
// blocks read, and the key that worked filled into the trailer it hides.
#include <algorithm>

#include "vantrel/dumps/plan_steps.h"
#include "vantrel/panels/iso14443a/mifare_blocks.h"

namespace dumps::plan {

namespace {

constexpr uint8_t kRequestAll = 0x52;
constexpr size_t kKeyAOffset = 0;
constexpr size_t kKeyBOffset = 10;

struct Candidate {
    MifareKey key;
    bool keyB;
};

class MifareCard {
public:
    explicit MifareCard(CardLink& link) : link_(link) {}

    const Bytes& Uid() const { return uid_; }

    // The field up once, then request, anticollision and selection; the
    // card that answers must be the one first selected.
    PlanFailure Select() {
        if (!fieldUp_) {
            if (const int32_t s = link_.rf_antenna_sta(0); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
            link_.Wait(20);
            if (const int32_t s = link_.rf_init_type('A'); s != 0) return PlanFailure::Call(s, logged::rf_init_type);
            link_.Wait(20);
            if (const int32_t s = link_.rf_antenna_sta(1); s != 0) return PlanFailure::Call(s, logged::rf_antenna_sta);
            link_.Wait(50);
            fieldUp_ = true;
        }
        uint16_t type = 0;
        if (const int32_t s = link_.rf_request(kRequestAll, &type); s != 0) return PlanFailure::Call(s, logged::rf_request);
        Answer uid{};
        uint8_t length = 0;
        if (const int32_t s = link_.rf_anticoll(4, uid.data(), &length); s != 0) return PlanFailure::Call(s, logged::rf_anticoll);
        if (length != 4 && length != 7) return PlanFailure::Answer(logged::rf_anticoll);
        uint8_t sak = 0;
        if (const int32_t s = link_.rf_select(uid.data(), length, &sak); s != 0) return PlanFailure::Call(s, logged::rf_select);
        const Bytes found(uid.begin(), uid.begin() + length);
        if (!uid_.empty() && found != uid_) return PlanFailure::Text(L"another card answered");
        uid_ = found;
        selected_ = true;
        authSector_ = -1;
        return {};
    }

    // Selected and authenticated for `sector` with `candidate`: the status
    // of the authentication (a failed one leaves the card unselected), or a
    // failure of the selection.
    PlanFailure Open(int sector, const Candidate& candidate, int32_t& status) {
        status = 0;
        if (authSector_ == sector && authWith_.key == candidate.key && authWith_.keyB == candidate.keyB) return {};
        if (!selected_) {
            if (PlanFailure failure = Select()) return failure;
        }
        status = link_.rf_M1_authentication2(candidate.keyB ? kMifareKeyB : kMifareKeyA, mifare::FirstBlockOfSector(sector),
                                             candidate.key.data());
        if (status != 0) {
            selected_ = false;
            authSector_ = -1;
            return {};
        }
        authSector_ = sector;
        authWith_ = candidate;
        return {};
    }

    void Lost() {
        selected_ = false;
        authSector_ = -1;
    }

private:
    CardLink& link_;
    Bytes uid_;
    bool fieldUp_ = false;
    bool selected_ = false;
    int authSector_ = -1;
    Candidate authWith_{};
};

void AddCandidate(std::vector<Candidate>& list, const MifareKey& key, bool keyB) {
    const bool present = std::any_of(list.begin(), list.end(), [&](const Candidate& c) {
        return c.key == key && c.keyB == keyB;
    });
    if (!present) list.push_back({key, keyB});
}

MifareKey KeyAt(const Bytes& block, size_t offset) {
    MifareKey key{};
    std::copy_n(block.begin() + offset, key.size(), key.begin());
    return key;
}

// The keys to try on `sector`, in order: the dump's own first, then every
// key as key A, then as key B.
std::vector<Candidate> CandidatesFor(const ReadRequest& request, int sector) {
    std::vector<Candidate> list;
    std::vector<MifareKey> keys;
    if (const CardDump* known = request.keysFrom) {
        if (const SectorKey* found = KeyOfSector(*known, sector)) AddCandidate(list, found->key, found->keyB);
        const int trailer = mifare::FirstBlockOfSector(sector) + TrailerIndex(sector);
        if (trailer < static_cast<int>(known->units.size()) && known->units[trailer].read) {
            keys.push_back(KeyAt(known->units[trailer].data, kKeyAOffset));
            keys.push_back(KeyAt(known->units[trailer].data, kKeyBOffset));
        }
    }
    for (const Bytes& typed : request.secrets.mifareKeys) {
        if (typed.size() == kMifareKeySize) keys.push_back(KeyAt(typed, 0));
    }
    keys.insert(keys.end(), request.listKeys.begin(), request.listKeys.end());
    for (const bool keyB : {false, true}) {
        for (const MifareKey& key : keys) AddCandidate(list, key, keyB);
    }
    return list;
}

int SectorCount(const DumpLayout& layout) { return mifare::SectorOfBlock(layout.unitCount - 1) + 1; }

// Reads the blocks of an opened sector; a block the key may not read stays
// unread and the sector is opened again for the next. `read` counts the
// blocks read.
PlanFailure ReadSector(MifareCard& card, CardDump& dump, int sector, const Candidate& key, CardLink& link, int& read) {
    read = 0;
    const int first = mifare::FirstBlockOfSector(sector);
    for (int index = 0; index < mifare::BlocksInSector(sector); ++index) {
        int32_t status = 0;
        if (PlanFailure failure = card.Open(sector, key, status)) return failure;
        if (status != 0) return {};  // the key no longer opens it: the rest stays unread
        Answer out{};
        uint8_t length = 0;
        const int block = first + index;
        if (link.rf_M1_read(static_cast<uint8_t>(block), out.data(), &length) != 0) {
            card.Lost();
            continue;
        }
        if (length != mifare::kBlockSize) return PlanFailure::Answer(logged::rf_M1_read);
        DumpUnit& unit = dump.units[block];
        unit.data.assign(out.begin(), out.begin() + mifare::kBlockSize);
        unit.read = true;
        ++read;
        if (index == TrailerIndex(sector)) {
            std::copy(key.key.begin(), key.key.end(), unit.data.begin() + (key.keyB ? kKeyBOffset : kKeyAOffset));
        }
    }
    return {};
}

}  // namespace

ReadResult ReadMifare(Run& run) {
    const DumpLayout& layout = run.Layout();
    ReadResult result{EmptyDump(layout, run.request.cardName), {}};
    MifareCard card(run.link);
    if (!run.Next(L"card")) return {{}, PlanFailure::Stopped()};
    if (PlanFailure failure = card.Select()) return {{}, failure};
    for (int sector = 0; sector < SectorCount(layout); ++sector) {
        const std::wstring what = L"sector " + std::to_wstring(sector);
        if (!run.Next(what)) return {{}, PlanFailure::Stopped()};
        for (const Candidate& candidate : CandidatesFor(run.request, sector)) {
            if (!run.Again(what)) return {{}, PlanFailure::Stopped()};
            int32_t status = 0;
            if (PlanFailure failure = card.Open(sector, candidate, status)) return {{}, failure};
            if (status != 0) continue;
            // A key that authenticates but may read nothing (a readable key B)
            // does not count.
            int read = 0;
            if (PlanFailure failure = ReadSector(card, result.dump, sector, candidate, run.link, read)) return {{}, failure};
            if (read == 0) continue;
            result.dump.keys.push_back({sector, candidate.keyB, candidate.key});
            break;
        }
    }
    result.dump.uid = card.Uid();
    return result;
}

PlanFailure WriteMifare(Run& run, Writes writes) {
    MifareCard card(run.link);
    if (!run.Next(L"card")) return PlanFailure::Stopped();
    if (PlanFailure failure = card.Select()) return failure;
    for (int block : writes.units) {
        if (!run.Next(StepName(run.Layout(), block))) return PlanFailure::Stopped();
        const int sector = mifare::SectorOfBlock(block);
        const SectorKey* key = KeyOfSector(writes.card, sector);
        writes.failedUnit = block;
        if (key == nullptr) return PlanFailure::Text(L"no key opens sector " + std::to_wstring(sector));
        int32_t status = 0;
        if (PlanFailure failure = card.Open(sector, {key->key, key->keyB}, status)) return failure;
        if (status != 0) return PlanFailure::Call(status, logged::rf_M1_authentication2);
        if (const int32_t s = run.link.rf_M1_write(static_cast<uint8_t>(block), writes.file.units[block].data.data());
            s != 0) {
            card.Lost();
            return PlanFailure::Call(s, logged::rf_M1_write);
        }
        writes.failedUnit = -1;
        writes.written.push_back(block);
        if (mifare::IsTrailer(block)) card.Lost();  // its keys may have changed
    }
    return {};
}

}  // namespace dumps::plan

#include "vantrel/dumps/dump_plans.h"

#include "common/mifare_access.h"
#include "common/mifare_layout.h"

#include "vantrel/dumps/plan_steps.h"
#include "vantrel/panels/iso14443a/mifare_blocks.h"
#include "vantrel/panels/iso15693/config_block_frame.h"

namespace dumps {

namespace plan {

std::wstring StepName(const DumpLayout& layout, int unit) { return UnitName(layout, unit); }

}  // namespace plan

namespace {

// Steps a read makes, for the progress bar: one for the card, one per read.
int ReadSteps(const DumpLayout& layout) {
    switch (layout.access) {
    case Access::Mifare:
        return 1 + mifare::SectorOfBlock(layout.unitCount - 1) + 1;
    case Access::UltraLight:
        return 1 + (layout.unitCount + 3) / 4;
    case Access::VicinityBlocks:
        return 1 + (layout.unitCount + 13) / 14;
    case Access::At24c:
        return 1 + layout.TotalBytes() / 128;
    case Access::At88sc1608:
        return 1 + 16 + 16;
    default:
        return 1 + layout.unitCount;
    }
}

bool SameForWriting(const DumpLayout& layout, int unit, const Bytes& file, const Bytes& card) {
    // Only bytes 2 and 3 of the 18-block tag's block 16 can be written.
    if (layout.access == Access::VicinityConfig && unit == kConfigBlock) return ConfigBlockChanges(card, file).empty();
    return file == card;
}

// The trailer of each sector the file read must keep its access bits
// consistent: a card that takes any other trailer loses the sector for good.
std::wstring TrailerRefusal(const DumpLayout& layout, const CardDump& file) {
    if (layout.access != Access::Mifare) return {};
    for (int block = 0; block < layout.unitCount; ++block) {
        if (!mifare::IsTrailer(block) || !file.units[block].read) continue;
        MifareBlock trailer{};
        std::copy(file.units[block].data.begin(), file.units[block].data.end(), trailer.begin());
        if (!AccessBitsAreConsistent(trailer)) {
            return L"the trailer of sector " + std::to_wstring(mifare::SectorOfBlock(block)) +
                   L" (block " + std::to_wstring(block) + L") has access bits that are not consistent";
        }
    }
    return {};
}

// A trailer that goes back must know both keys: the one that opened its
// sector, and key B only when key A may read it (a hidden key reads as zeros).
// A file without keys (a raw image) holds its trailers' keys as they are.
bool TrailerKeysKnown(const CardDump& file, int block) {
    const SectorKey* key = KeyOfSector(file, mifare::SectorOfBlock(block));
    if (key == nullptr) return true;
    if (key->keyB) return false;
    const auto conditions = mifare::DecodeAccessBits(std::span<const uint8_t, 3>(file.units[block].data.data() + 6, 3));
    return conditions && (mifare::TrailerBlockRights((*conditions)[3]).keyBRead & mifare::kKeyA) != 0;
}

}  // namespace

ReadResult ReadCard(CardLink& link, DumpProgress& progress, const ReadRequest& request) {
    plan::Run run(link, progress, request, ReadSteps(*request.layout));
    ReadResult result;
    switch (request.layout->access) {
    case Access::Mifare:
        result = plan::ReadMifare(run);
        break;
    case Access::UltraLight:
    case Access::UltraLightC:
        result = plan::ReadUltraLight(run);
        break;
    case Access::VicinityBlocks:
    case Access::VicinityConfig:
    case Access::VicinityPages:
    case Access::VicinityBytes:
        result = plan::ReadVicinity(run);
        break;
    case Access::Sr176:
    case Access::Srix4k:
        result = plan::ReadStTag(run);
        break;
    case Access::At24c:
    case Access::At88sc1608:
        result = plan::ReadContact(run);
        break;
    }
    result.dump.time = request.time;
    return result;
}

WritePlan PlanWrite(const DumpLayout& layout, const CardDump& file, const CardDump& card, bool withProtected) {
    WritePlan plan;
    plan.refusal = TrailerRefusal(layout, file);
    for (int unit = 0; unit < layout.unitCount; ++unit) {
        const DumpUnit& wanted = file.units[unit];
        const DumpUnit& held = card.units[unit];
        if (!wanted.read) continue;
        if (held.read && SameForWriting(layout, unit, wanted.data, held.data)) continue;
        const Area area = AreaOf(layout, unit);
        const bool hiddenKey = layout.access == Access::Mifare && mifare::IsTrailer(unit) && !TrailerKeysKnown(file, unit);
        if (area == Area::Fixed || hiddenKey) {
            plan.fixed.push_back(unit);
        } else if (!held.read) {
            plan.notOpened.push_back(unit);
        } else if (plan::VicinityUnitLocked(held)) {
            plan.locked.push_back(unit);
        } else if (area == Area::Protected) {
            plan.protectedUnits.push_back(unit);
            if (withProtected) plan.units.push_back(unit);
        } else {
            plan.units.push_back(unit);
        }
    }
    if (!plan.refusal.empty()) plan.units.clear();
    return plan;
}

WriteResult WriteUnits(CardLink& link, DumpProgress& progress, const ReadRequest& request,
                       const CardDump& file, const CardDump& card, const std::vector<int>& units) {
    plan::Run run(link, progress, request, 1 + static_cast<int>(units.size()));
    WriteResult result;
    const plan::Writes writes{file, card, units, result.written, result.failedUnit};
    switch (request.layout->access) {
    case Access::Mifare:
        result.failure = plan::WriteMifare(run, writes);
        break;
    case Access::UltraLight:
    case Access::UltraLightC:
        result.failure = plan::WriteUltraLight(run, writes);
        break;
    case Access::VicinityBlocks:
    case Access::VicinityConfig:
    case Access::VicinityPages:
    case Access::VicinityBytes:
        result.failure = plan::WriteVicinity(run, writes);
        break;
    case Access::Sr176:
    case Access::Srix4k:
        result.failure = plan::WriteStTag(run, writes);
        break;
    case Access::At24c:
    case Access::At88sc1608:
        result.failure = plan::WriteContact(run, writes);
        break;
    }
    return result;
}

}  // namespace dumps

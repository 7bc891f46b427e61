#include "kelvar/reader/vicinity_tags.h"

namespace kelvar {

namespace {

struct Row {
    CardKind kind;
    const Iso15693Profile& profile;
};

constexpr Row kTags[] = {
    {CardKind::kICodeSli, kICodeSliProfile},
    {CardKind::kTagIt, kTagItProfile},
};

}  // namespace

std::unique_ptr<Iso15693Tag> MakeVicinityTag(CardKind kind, ImageStore& store) {
    for (const Row& row : kTags) {
        if (row.kind == kind) return std::make_unique<Iso15693Tag>(store, row.profile);
    }
    return nullptr;
}

}  // namespace kelvar

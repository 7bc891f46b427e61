#include "kelvar/reader/vicinity_tags.h"

#include "kelvar/cards/vicinity_variants.h"

namespace kelvar {

namespace {

using Factory = std::unique_ptr<Iso15693Tag> (*)(ImageStore&, const Iso15693Profile&);

template <typename Tag>
std::unique_ptr<Iso15693Tag> Make(ImageStore& store, const Iso15693Profile& profile) {
    return std::make_unique<Tag>(store, profile);
}

struct Row {
    CardKind kind;
    const Iso15693Profile& profile;
    Factory make;
};

constexpr Row kTags[] = {
    {CardKind::kICodeSli, kICodeSliProfile, Make<Iso15693Tag>},
    {CardKind::kTagIt, kTagItProfile, Make<Iso15693Tag>},
    {CardKind::kSrf55V01P, kSrf55V01PProfile, Make<ConfigBlockVicinityTag>},
    {CardKind::kSrf55V02P, kSrf55V02PProfile, Make<PagedVicinityTag>},
    {CardKind::kSrf55V10P, kSrf55V10PProfile, Make<PagedVicinityTag>},
    {CardKind::kSri64, kSri64Profile, Make<ByteBlockVicinityTag>},
};

}  // namespace

std::unique_ptr<Iso15693Tag> MakeVicinityTag(CardKind kind, ImageStore& store) {
    for (const Row& row : kTags) {
        if (row.kind == kind) return row.make(store, row.profile);
    }
    return nullptr;
}

}  // namespace kelvar

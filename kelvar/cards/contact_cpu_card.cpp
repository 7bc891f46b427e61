#include "kelvar/cards/contact_cpu_card.h"

#include <utility>

namespace kelvar {

ContactCpuCard::ContactCpuCard(ImageStore& store, RandomBytes random)
    : store_(store), files_(MakeProcessorCardFiles(kContent, std::move(random))) {
    if (auto stored = store_.Load(kImageName, files_.ImageSize())) files_.LoadImage(*stored);
}

Status ContactCpuCard::Reset(Bytes& atr) {
    files_.Reset();
    atr.assign(kAtr.begin(), kAtr.end());
    return kOk;
}

Status ContactCpuCard::Exchange(std::span<const uint8_t> apdu, Bytes& answer) {
    answer = RespondStored(files_, apdu, [this](Bytes image) {
        return store_.Save(kImageName, image) ? kOk : kStoreFailed;
    });
    return kOk;
}

}  // namespace kelvar

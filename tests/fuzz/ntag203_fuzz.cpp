// The Ntag203Tag from any stored image, driven by any command sequence.
#include "kelvar/cards/ntag203_tag.h"
#include "tag_commands.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    StoreTagImage(store, in, Ntag203Tag::FactoryImage(Ntag203Tag::kDefaultUid).size() / UltralightFamilyTag::kPageSize);
    Ntag203Tag tag(store, "tag.img", TakeUid(in));
    RunTagCommands(tag, in, [](uint8_t, FuzzInput&) {});
    return 0;
}

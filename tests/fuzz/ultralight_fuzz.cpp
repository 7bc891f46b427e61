// The UltralightTag from any stored image, driven by any command sequence.
#include "kelvar/cards/ultralight_tag.h"
#include "tag_commands.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    ImageStore store;
    StoreTagImage(store, in, UltralightTag::FactoryImage(UltralightTag::kDefaultUid).size() / UltralightFamilyTag::kPageSize);
    UltralightTag tag(store, "tag.img", TakeUid(in));
    RunTagCommands(tag, in, [](uint8_t, FuzzInput&) {});
    return 0;
}

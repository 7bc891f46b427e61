// The image file format: any file decodes or is named damaged; a file the
// store wrote decodes to its image, and any one flipped bit is noticed.
#include <string>
#include <variant>

#include "fuzz_input.h"
#include "kelvar/store/image_format.h"

using namespace kelvar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const std::string name = in.Byte() & 1 ? "mifare1k.img" : "reader.dat";
    const size_t expected = in.Byte() * 17u;
    const uint32_t flip = in.U32();
    const Bytes rest = in.Rest();

    const auto decoded = DecodeImageFile(name, expected, rest);
    if (const auto* image = std::get_if<Bytes>(&decoded)) FUZZ_CHECK(image->size() == expected);

    const Bytes file = EncodeImageFile(name, rest);
    const auto back = DecodeImageFile(name, rest.size(), file);
    FUZZ_CHECK(std::holds_alternative<Bytes>(back) && std::get<Bytes>(back) == rest);

    Bytes flipped = file;
    flipped[(flip >> 3) % flipped.size()] ^= static_cast<uint8_t>(1u << (flip & 7));
    FUZZ_CHECK(std::holds_alternative<ImageDamage>(DecodeImageFile(name, rest.size(), flipped)));
    return 0;
}

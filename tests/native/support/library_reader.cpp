#include "support/library_reader.h"

#include "kelvar/api/guard.h"

namespace {

std::unique_ptr<kelvar::VirtualReader> current;

}  // namespace

namespace kelvar::api {

VirtualReader& Reader() {
    if (!current) current = std::make_unique<VirtualReader>(FieldConfig{{}, {}, {}});
    return *current;
}

}  // namespace kelvar::api

namespace test_library {

kelvar::VirtualReader& UseReader(std::initializer_list<kelvar::CardKind> field, const std::string& contact) {
    // The contact cards as a configuration line names them.
    const auto slot = kelvar::ParseFieldConfig("contact = " + contact, {}).contact;
    current = std::make_unique<kelvar::VirtualReader>(kelvar::FieldConfig{{}, field, slot});
    constexpr uint16_t kBuiltIn[4] = {0, 0, 0, 0};
    current->Open(0, kBuiltIn);
    return *current;
}

}  // namespace test_library

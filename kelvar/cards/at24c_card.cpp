#include "kelvar/cards/at24c_card.h"

#include <algorithm>
#include <array>

namespace kelvar {

namespace {

// A new card's cells read as erased EEPROM.
constexpr uint8_t kErased = 0xFF;

constexpr std::array<At24cModel, 7> kModels = {{
    {"at24c01", 128},
    {"at24c02", 256},
    {"at24c04", 512},
    {"at24c08", 1024},
    {"at24c16", 2048},
    {"at24c32", 4096},
    {"at24c64", 8192},
}};

}  // namespace

const At24cModel* FindAt24cModel(std::string_view name) {
    for (const At24cModel& model : kModels) {
        if (name == model.name) return &model;
    }
    return nullptr;
}

At24cCard::At24cCard(ImageStore& store, const At24cModel& model) : store_(store), model_(model) {
    auto stored = store_.Load(ImageName(), model_.capacity);
    memory_ = stored ? std::move(*stored) : Bytes(model_.capacity, kErased);
}

std::string At24cCard::ImageName() const { return std::string(model_.name) + ".img"; }

Status At24cCard::Read(uint32_t address, size_t length, uint8_t* out) {
    if (out == nullptr || length == 0 || length > kMaxTransfer) return kBadArgument;
    for (size_t i = 0; i < length; ++i) out[i] = memory_[(address + i) % model_.capacity];
    return kOk;
}

Status At24cCard::Write(uint32_t address, size_t length, const uint8_t* data) {
    if (data == nullptr || length == 0 || length > kMaxTransfer) return kBadArgument;
    if (address >= model_.capacity || length > model_.capacity - address) return kBadArgument;
    Bytes next = memory_;
    std::copy_n(data, length, next.begin() + address);
    if (!store_.Save(ImageName(), next)) return kStoreFailed;
    memory_ = std::move(next);
    return kOk;
}

}  // namespace kelvar

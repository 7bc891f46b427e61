// The built-in virtual reader behind the library's functions: the connection,
// the reader's own state and the cards in its field. Card images and the
// reader's record live in the configured image folder.
//
// Each contactless field (ISO 14443-A, ISO 14443-B, ISO 15693) is powered
// while a connection is open, the antenna is on and the RF mode is its own
// ('A', '1'; the type B field also in the tag modes 's' and 'r'). Switching
// the antenna off, or the RF mode to another type, resets every card in it.
// The contact slot is powered by OpenCard and off again when the connection
// closes, as is the SAM slot.
//
// The reader holds the cards its configuration names; which of them lie in
// the fields and the slot is its placing, every card at start. Placing or
// taking away a card takes effect at the next command, as with a real card.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "kelvar/crypto/random_bytes.h"
#include "kelvar/reader/contact_slot.h"
#include "kelvar/reader/field_config.h"
#include "kelvar/reader/iso14443a_field.h"
#include "kelvar/reader/iso14443b_field.h"
#include "kelvar/reader/iso15693_field.h"
#include "kelvar/reader/reader_clock.h"
#include "kelvar/reader/reader_device.h"
#include "kelvar/reader/sam_slot.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

class VirtualReader {
public:
    // An empty image folder keeps everything in memory (tests). The
    // configuration's notes go to the store's log.
    explicit VirtualReader(const FieldConfig& config, HostClock hostClock = SystemLocalTime,
                           RandomBytes random = SystemRandomBytes());
    VirtualReader(const VirtualReader&) = delete;
    VirtualReader& operator=(const VirtualReader&) = delete;

    // Address 0.0.0.0 is this built-in reader; an octet above 255 is a bad
    // argument, any other address a network reader this library cannot reach.
    // The port is not used.
    Status Open(uint16_t port, const uint16_t address[4]);
    void Close();
    bool IsOpen() const { return open_; }

    // Reading the reader's state. Changes go through the functions below,
    // which keep the field in step.
    const ReaderDevice& Device() const { return device_; }

    Status SetDeviceNumber(uint16_t number) { return device_.SetDeviceNumber(number); }
    Status Beep(uint8_t units10ms) { return device_.Beep(units10ms); }
    Status SetLight(uint8_t colour) { return device_.SetLight(colour); }
    Status WriteClock(const uint8_t in[7]) { return device_.WriteClock(in); }
    Status SetAntenna(uint8_t state);
    Status SetRfMode(uint8_t type);

    Iso14443aField& TypeA() { return typeA_; }
    Iso14443bField& TypeB() { return typeB_; }
    Iso15693Field& Vicinity() { return vicinity_; }
    ContactSlot& Contact() { return contact_; }
    SamSlot& Sam() { return sam_; }

    struct CardState {
        bool placed = false;
        Bytes identity;  // UID or PUPI; empty for the contact cards
    };
    // Nothing when the reader does not hold a card of `kind`.
    std::optional<CardState> Card(CardKind kind) const;
    // Places exactly the held cards of `kinds`, each in its field or slot.
    void PlaceOnly(std::span<const CardKind> kinds);
    // The card of `kind` gets its factory content (kNoCard when not held).
    Status FactoryReset(CardKind kind);
    // Whether the program places the cards of the card type it shows.
    bool FollowsCardType() const { return followCardType_; }
    // Kept in the configuration file, when there is one (kStoreFailed when
    // it cannot be written; the setting then stays).
    Status SetFollowsCardType(bool on);

    // ISO 14443-4 frames and deselect reach the active card of the type B
    // field in RF mode 'B', otherwise that of the type A field.
    Status Exchange(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);
    Status Deselect();
    // A raw frame with its CRC to the ISO 14443-B field in RF mode 'B' or
    // the ISO 15693 field in mode '1', and the answer with its CRC;
    // kNotSupported in the other modes.
    Status Transceive(const uint8_t* frame, uint8_t frameLength, uint8_t* out, uint8_t* outLength);
    const std::filesystem::path& ImageFolder() const { return store_.Folder(); }

private:
    void UpdateFieldPower();

    ImageStore store_;
    ReaderDevice device_;
    Iso14443aField typeA_;
    Iso14443bField typeB_;
    Iso15693Field vicinity_;
    ContactSlot contact_;
    SamSlot sam_;
    std::filesystem::path configFile_;
    bool followCardType_ = true;
    bool open_ = false;
};

}  // namespace kelvar

// The ISO 14443-A cards in the reader's field, in field order. Cards answer
// only while the field is powered (antenna on, RF mode 'A'); losing power
// resets every card.
//
// Activation works as in a field of several real cards:
//   - a request reaches every card: 0x52 wakes all of them, halted ones too,
//     0x26 only those that are not halted; the answer is the ATQA of the
//     first card that answered;
//   - anticollision answers the UID of the first awake Mifare Classic card,
//     select selects the awake Mifare Classic card with the given UID, and
//     the UltraLight select selects the first awake UltraLight-family tag;
//   - selecting a card sends the other awake cards back to idle, or back to
//     halt when a 0x52 request had woken them from it;
//   - any request ends the selection.
// So after Halt, a 0x26 request and a select reach the next card.
//
// Commands go to the selected card (kNotSelected when there is none):
//   - Read answers 16 bytes: a Mifare block, or four pages of a tag.
//   - Write of 16 bytes on a tag writes the first 4 to the page (the tags'
//     compatibility write).
//   - Commands a card does not know get kCardError and leave the selection
//     as it was: Mifare authentication and value commands on a tag, page
//     writes and 3DES commands on a Mifare card, 3DES commands on a tag
//     without a key.
// A card that refuses an authentication leaves the active state, which ends
// the selection.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "kelvar/cards/mifare_classic.h"
#include "kelvar/cards/ultralight_c_tag.h"
#include "kelvar/cards/ultralight_family.h"
#include "kelvar/crypto/random_bytes.h"
#include "kelvar/reader/card_kind.h"
#include "kelvar/status.h"
#include "kelvar/store/image_store.h"

namespace kelvar {

inline constexpr std::array<uint8_t, 4> kMifare1KUid = {0xC2, 0x5E, 0x19, 0x7A};
inline constexpr std::array<uint8_t, 4> kMifare4KUid = {0x9D, 0x3B, 0xE6, 0x44};
inline constexpr char kMifare1KImageName[] = "mifare1k.img";
inline constexpr char kMifare4KImageName[] = "mifare4k.img";

class Iso14443aField {
public:
    static constexpr uint8_t kRequestIdle = 0x26;
    static constexpr uint8_t kRequestAll = 0x52;
    static constexpr size_t kReadSize = 16;

    // Creates the cards of `kinds` that are ISO 14443-A memory cards (Mifare
    // Classic 1K and 4K, UltraLight, UltraLight C, NTAG203), in that order,
    // each with its own image in `store`. `random` draws the reader's side
    // of the 3DES authentication. The field starts unpowered.
    Iso14443aField(ImageStore& store, std::span<const CardKind> kinds,
                   RandomBytes random = SystemRandomBytes());
    ~Iso14443aField();
    Iso14443aField(const Iso14443aField&) = delete;
    Iso14443aField& operator=(const Iso14443aField&) = delete;

    // Switching the power off resets every card.
    void SetPowered(bool on);
    bool Powered() const { return powered_; }

    size_t CardCount() const { return slots_.size(); }
    std::optional<CardKind> SelectedKind() const;

    // `atqa` receives 2 bytes.
    Status Request(uint8_t mode, uint8_t* atqa);
    // `uid` needs room for 10 bytes.
    Status Anticoll(uint8_t* uid, uint8_t* uidLength);
    Status Select(const uint8_t* uid, uint8_t uidLength, uint8_t* sak);
    // `uid` receives the 7-byte UID.
    Status UltralightSelect(uint8_t* uid, uint8_t* uidLength);
    Status Halt();

    Status Authenticate(uint8_t keyType, uint8_t block, const uint8_t* key);
    Status Read(uint8_t block, uint8_t* out);
    Status Write(uint8_t block, const uint8_t* data);
    Status InitValue(uint8_t block, int32_t value);
    Status ReadValue(uint8_t block, int32_t* value);
    Status Increment(uint8_t block, int32_t value);
    Status Decrement(uint8_t block, int32_t value);

    Status UltralightWrite(uint8_t page, const uint8_t* data);
    Status UltralightCAuthenticate(const uint8_t* key);
    Status UltralightCChangeKey(const uint8_t* key);

private:
    struct Slot {
        CardKind kind;
        std::unique_ptr<MifareClassicCard> mifare;
        std::unique_ptr<UltralightFamilyTag> tag;
        UltralightCTag* tagC = nullptr;  // `tag`, when it has the 3DES key
        bool ready = false;   // answered the last request, neither selected nor sent back since
        bool halted = false;  // halted, or woken from halt and not selected since
    };

    void Reset();
    void SelectSlot(size_t index);
    static void SendBack(Slot& slot);
    Slot* Selected();
    // Ends the selection when the selected card left the active state.
    Status Checked(Status status);

    std::vector<Slot> slots_;
    RandomBytes random_;
    std::optional<size_t> selected_;
    bool powered_ = false;
};

}  // namespace kelvar

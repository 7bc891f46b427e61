// The library's functions served from PC/SC readers: the contact and
// contactless reader (a part of its name chosen), and a reader that plays
// the SAM slot. Each function has the argument list of the function list;
// what a reader cannot do exactly is not here and answers kNotSupported.
// docs/pcsc-backend.md is the table of every function.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "kelvar/pcsc/card_channel.h"
#include "kelvar/pcsc/contactless_atr.h"
#include "kelvar/pcsc/pcsc_layer.h"

namespace kelvar::pcsc {

struct Settings {
    std::string reader;                // part of the reader's name; empty: the first reader
    std::optional<std::string> sam;    // the reader of the SAM slot; none: no SAM slot
};

// The status of a pseudo-APDU's status word.
Status StatusOfWord(uint8_t sw1, uint8_t sw2);

class Backend {
public:
    Backend(Layer& layer, Settings settings);

    int32_t LibVer(uint32_t* version);
    // The DES calculator needs no reader: computed here as by the virtual one.
    int32_t DesEncipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key, uint8_t keyLength);
    int32_t DesDecipher(uint8_t* out, const uint8_t* data, uint8_t length, const uint8_t* key, uint8_t keyLength);
    int32_t GetModel(int32_t, uint8_t* text, uint8_t* length);
    int32_t InitType(int32_t, uint8_t type);
    int32_t Antenna(int32_t, uint8_t state);

    int32_t OpenCard(int32_t);
    int32_t SmartcardRst(int32_t, uint8_t* out, uint8_t* length);
    int32_t SmartcardCos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength);

    int32_t InitSam(int32_t, uint8_t baud);
    int32_t SamRst(int32_t, uint8_t* out, uint8_t* length);
    int32_t SamCos(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength);

    int32_t Request(int32_t, uint8_t mode, uint16_t* tagType);
    int32_t Anticoll(int32_t, uint8_t, uint8_t* uid, uint8_t* uidLength);
    int32_t Select(int32_t, const uint8_t* uid, uint8_t uidLength, uint8_t* sak);
    int32_t Halt(int32_t);
    int32_t UlSelect(int32_t, uint8_t* uid, uint8_t* length);
    int32_t Authenticate(int32_t, uint8_t keyType, uint8_t block, const uint8_t* key);
    int32_t Read(int32_t, uint8_t block, uint8_t* out, uint8_t* length);
    int32_t Write(int32_t, uint8_t block, const uint8_t* data);
    int32_t InitValue(int32_t, uint8_t block, int32_t value);
    int32_t ReadValue(int32_t, uint8_t block, int32_t* value);
    int32_t UlWrite(int32_t, uint8_t page, const uint8_t* data);

    int32_t TypeARst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length);
    int32_t DesfireRst(int32_t, uint8_t mode, uint8_t* out, uint8_t* length);
    int32_t CosCommand(int32_t, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength);
    int32_t Deselect(int32_t);

    int32_t Inventory(int32_t, uint8_t* out, uint8_t* length);
    int32_t VicinityRead(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, uint8_t count, uint8_t* out,
                         uint8_t* length);
    int32_t VicinityWrite(int32_t, uint8_t mode, const uint8_t* uid, uint8_t block, const uint8_t* data);

    // The model text: the backend and the reader serving.
    std::string Model();

private:
    // The card in the field, looked at afresh: a card taken out since the
    // last call is noticed here, and a new one starts unselected.
    Status Field(ContactlessCard& card);
    Status Uid(Bytes& uid);
    // The UID of the card in the field when it is of `family` (else kNoCard).
    Status UidOf(CardFamily family, Bytes& uid);
    // A pseudo-APDU whose answer is `size` data bytes and 90 00.
    Status Pseudo(std::span<const uint8_t> command, size_t size, Bytes& data);
    Status Selected(CardFamily family) const;
    Status IsoDepReset(uint8_t mode, size_t uidSize, uint8_t* out, uint8_t* length);
    Status AddressedVicinity(uint8_t mode, const uint8_t* uid);
    Status Answer(CardChannel& channel, const uint8_t* command, uint8_t length, uint8_t* out, uint8_t* outLength);

    Layer& layer_;
    Settings settings_;
    CardChannel card_;
    std::optional<CardChannel> sam_;
    bool antennaOff_ = false;

    // What the library knows of the contactless card, for one connection.
    struct Session {
        uint64_t generation = 0;
        ContactlessCard card;
        Bytes uid;
        bool requested = false;  // a request found it
        bool selected = false;   // it is selected (Mifare, UltraLight) or activated (ISO 14443-4)
        bool halted = false;
    } session_;
};

}  // namespace kelvar::pcsc

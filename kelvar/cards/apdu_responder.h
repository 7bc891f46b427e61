// The ISO 7816-4 side of a processor card: a master file with dedicated files
// (applications, selected by name or file id) holding transparent elementary
// files, and the commands SELECT, READ BINARY, UPDATE BINARY and GET
// CHALLENGE. Every answer ends in the two status bytes. The contactless cards
// and the contact card share it; only the transport differs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "kelvar/crypto/random_bytes.h"

namespace kelvar {

using Bytes = std::vector<uint8_t>;

namespace sw {
inline constexpr uint16_t kOk = 0x9000;
inline constexpr uint16_t kEndOfFile = 0x6282;       // fewer bytes than asked for
inline constexpr uint16_t kMemoryFailure = 0x6581;   // the update could not be stored
inline constexpr uint16_t kWrongLength = 0x6700;
inline constexpr uint16_t kNoCurrentEf = 0x6986;
inline constexpr uint16_t kBadData = 0x6A80;
inline constexpr uint16_t kFileNotFound = 0x6A82;
inline constexpr uint16_t kBadP1P2 = 0x6A86;
inline constexpr uint16_t kWrongParameters = 0x6B00;
inline constexpr uint16_t kUnknownInstruction = 0x6D00;
inline constexpr uint16_t kUnknownClass = 0x6E00;
}  // namespace sw

struct ElementaryFile {
    uint16_t id;
    uint8_t shortId;  // 1..30, or 0 for none
    size_t size;
};

struct DedicatedFile {
    uint16_t id;
    Bytes name;  // the application identifier SELECT by name finds
    std::vector<ElementaryFile> files;
};

// The layout of a card's files; the master file 3F00 holds `rootFiles`.
struct FileLayout {
    std::vector<ElementaryFile> rootFiles;
    std::vector<DedicatedFile> applications;
};

class ApduResponder {
public:
    static constexpr uint16_t kMasterFile = 0x3F00;
    // Longest answer the transports carry: 255 bytes with the status word.
    static constexpr size_t kMaxAnswerData = 253;

    // The files start zeroed; `Contents` and `LoadContents` give the bytes
    // of all elementary files, in layout order, as one image.
    ApduResponder(FileLayout layout, RandomBytes random);

    struct Answer {
        Bytes bytes;          // data followed by SW1 SW2
        bool changed = false; // an update changed the image
    };
    Answer Respond(std::span<const uint8_t> apdu);
    // Back to the master file, as after a reset.
    void Reset();

    size_t ImageSize() const;
    Bytes Image() const;
    // False, changing nothing, when `image` is not ImageSize() bytes.
    bool LoadImage(std::span<const uint8_t> image);
    // Writes `data` into file `id` of application `dfId` (kMasterFile for
    // the root) at `offset`, for setting up a card's factory content.
    bool Preset(uint16_t dfId, uint16_t efId, size_t offset, std::span<const uint8_t> data);
    // Undoes the last update (its image could not be stored).
    void RevertLastUpdate();

private:
    struct File {
        ElementaryFile info;
        Bytes data;
    };
    struct Directory {
        uint16_t id;
        Bytes name;
        std::vector<File> files;
    };

    Answer Select(uint8_t p1, uint8_t p2, std::span<const uint8_t> data, std::optional<size_t> le);
    Answer ReadBinary(uint8_t p1, uint8_t p2, std::optional<size_t> le);
    Answer UpdateBinary(uint8_t p1, uint8_t p2, std::span<const uint8_t> data);
    Answer GetChallenge(uint8_t p1, uint8_t p2, std::optional<size_t> le);
    // The file a READ or UPDATE addresses: the current EF, or the one a short
    // id in P1 names (which then becomes current).
    File* Target(uint8_t p1, uint16_t& status);
    Bytes Fci(const Directory& directory) const;
    static Answer Status(uint16_t status, Bytes data = {});

    std::vector<Directory> directories_;  // [0] is the master file
    RandomBytes random_;
    size_t currentDf_ = 0;
    std::optional<size_t> currentEf_;
    struct Undo {
        size_t df;
        size_t ef;
        size_t offset;
        Bytes old;
    };
    std::optional<Undo> undo_;
};

}  // namespace kelvar

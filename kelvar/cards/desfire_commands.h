// The native command set of a DESFire-like card as far as an operator explores
// it without keys: the version frames, the applications and their files, and
// plain reads. Answers begin with the native status byte.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kelvar {

namespace desfire {
inline constexpr uint8_t kOk = 0x00;
inline constexpr uint8_t kIllegalCommand = 0x1C;
inline constexpr uint8_t kLengthError = 0x7E;
inline constexpr uint8_t kApplicationNotFound = 0xA0;
inline constexpr uint8_t kBoundaryError = 0xBE;
inline constexpr uint8_t kFileNotFound = 0xF0;
inline constexpr uint8_t kAdditionalFrame = 0xAF;

inline constexpr uint8_t kGetVersion = 0x60;
inline constexpr uint8_t kGetApplicationIds = 0x6A;
inline constexpr uint8_t kSelectApplication = 0x5A;
inline constexpr uint8_t kGetFileIds = 0x6F;
inline constexpr uint8_t kReadData = 0xBD;

// Data bytes a frame carries before the card asks for an additional frame.
inline constexpr size_t kFrameData = 59;
}  // namespace desfire

struct DesfireFile {
    uint8_t number;
    std::vector<uint8_t> data;
};

struct DesfireApplication {
    uint32_t aid;  // 24 bits, sent least significant byte first
    std::vector<DesfireFile> files;
};

class DesfireCommands {
public:
    DesfireCommands(std::array<uint8_t, 7> uid, std::vector<DesfireApplication> applications);

    std::vector<uint8_t> Respond(std::span<const uint8_t> command);
    // Back to the card level with no frames pending, as after a reset.
    void Reset();

private:
    std::vector<uint8_t> GetVersion();
    std::vector<uint8_t> SelectApplication(std::span<const uint8_t> args);
    std::vector<uint8_t> GetApplicationIds() const;
    std::vector<uint8_t> GetFileIds() const;
    std::vector<uint8_t> ReadData(std::span<const uint8_t> args);
    // The first frame of `data`; the rest waits for additional-frame requests.
    std::vector<uint8_t> Chained(std::vector<uint8_t> data);
    std::vector<uint8_t> NextFrame();

    std::array<uint8_t, 7> uid_;
    std::vector<DesfireApplication> applications_;
    std::optional<size_t> selected_;  // index into applications_; none at card level
    std::vector<std::vector<uint8_t>> pending_;  // frames still to send, in order
};

}  // namespace kelvar

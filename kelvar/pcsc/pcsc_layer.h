// The PC/SC calls the reader server makes, behind an interface: the system's
// (pcsc-lite, winscard) in the server, a played reader in tests. Results are
// the PC/SC codes, which are the same numbers on every system.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kelvar::pcsc {

using Result = uint32_t;
using Bytes = std::vector<uint8_t>;
using Handle = uintptr_t;

inline constexpr Result kSuccess = 0;
inline constexpr Result kInvalidHandle = 0x80100003;
inline constexpr Result kUnknownReader = 0x80100009;
inline constexpr Result kTimeout = 0x8010000A;
inline constexpr Result kSharingViolation = 0x8010000B;
inline constexpr Result kNoSmartcard = 0x8010000C;
inline constexpr Result kProtocolMismatch = 0x8010000F;
inline constexpr Result kNotReady = 0x80100010;
inline constexpr Result kCommError = 0x80100013;
inline constexpr Result kReaderUnavailable = 0x80100017;
inline constexpr Result kNoService = 0x8010001D;
inline constexpr Result kServiceStopped = 0x8010001E;
inline constexpr Result kNoReadersAvailable = 0x8010002E;
inline constexpr Result kUnsupportedCard = 0x80100065;
inline constexpr Result kUnresponsiveCard = 0x80100066;
inline constexpr Result kUnpoweredCard = 0x80100067;
inline constexpr Result kResetCard = 0x80100068;
inline constexpr Result kRemovedCard = 0x80100069;

enum class Protocol { kUndefined, kT0, kT1 };

struct ReaderState {
    bool present = false;    // a card is in the reader
    bool exclusive = false;  // another program holds it alone
    Bytes atr;
};

class Layer {
public:
    virtual ~Layer() = default;
    // Every reader's name, in the system's order.
    virtual Result ListReaders(std::vector<std::string>& names) = 0;
    virtual Result State(const std::string& reader, ReaderState& state) = 0;
    // Shared access, T=0 or T=1.
    virtual Result Connect(const std::string& reader, Handle& handle, Protocol& protocol) = 0;
    // `reset`: a cold reset of the card, else the same card taken up again.
    virtual Result Reconnect(Handle handle, bool reset, Protocol& protocol) = 0;
    virtual void Disconnect(Handle handle) = 0;
    virtual Result Transmit(Handle handle, Protocol protocol, std::span<const uint8_t> command, Bytes& answer) = 0;
    // The ATR of the connected card; an error once it was removed.
    virtual Result Atr(Handle handle, Bytes& atr) = 0;
};

// A readable name of a result ("SCARD_E_NO_SMARTCARD"), or its number.
std::string ResultName(Result result);

}  // namespace kelvar::pcsc

// One reader's card over PC/SC: found by part of the reader's name, connected
// on first use, dropped when the card is gone so that the next call finds the
// card present then. On T=0 the channel does what reader firmware does with
// 61xx (GET RESPONSE) and 6Cxx (the command again with the Le the card asked).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "kelvar/pcsc/pcsc_layer.h"
#include "kelvar/status.h"

namespace kelvar::pcsc {

// The library's status for a PC/SC result.
Status StatusOf(Result result);

// `command` with its Le set to `le` (appended to a command without one).
Bytes WithLe(std::span<const uint8_t> command, uint8_t le);

class CardChannel {
public:
    // `wanted`: part of the reader's name (ASCII case ignored); empty: the first reader.
    CardChannel(Layer& layer, std::string wanted) : layer_(layer), wanted_(std::move(wanted)) {}
    ~CardChannel() { Drop(); }
    CardChannel(const CardChannel&) = delete;
    CardChannel& operator=(const CardChannel&) = delete;

    // Connects unless connected; `check`: a connected card is asked for its
    // ATR first, and a removed one is dropped and the reader connected anew.
    Status Connect(bool check = false);
    // A cold reset; the card's ATR.
    Status Reset(Bytes& atr);
    Status Atr(Bytes& atr);
    // One APDU and its whole answer, status word last.
    Status Transmit(std::span<const uint8_t> command, Bytes& answer);
    void Drop();

    bool Connected() const { return connected_; }
    // Counts the connections made: another number, maybe another card.
    uint64_t Generation() const { return generation_; }
    const std::string& ReaderName() const { return reader_; }
    Protocol ActiveProtocol() const { return protocol_; }

    // The first reader whose name contains `wanted`; kReaderBusy when there is none.
    static Status FindReader(Layer& layer, const std::string& wanted, std::string& name);

private:
    Status Failed(Result result);
    Status TransmitOnce(std::span<const uint8_t> command, Bytes& answer);

    Layer& layer_;
    std::string wanted_;
    std::string reader_;
    Handle handle_ = 0;
    Protocol protocol_ = Protocol::kUndefined;
    bool connected_ = false;
    uint64_t generation_ = 0;
};

}  // namespace kelvar::pcsc

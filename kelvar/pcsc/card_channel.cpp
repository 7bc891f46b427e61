#include "kelvar/pcsc/card_channel.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kelvar::pcsc {

namespace {

// Enough for any chain of GET RESPONSE a card of 255 answer bytes needs.
constexpr int kMaxRounds = 16;
constexpr size_t kMaxAnswer = 4096;
constexpr uint8_t kGetResponse = 0xC0;

bool Contains(const std::string& text, const std::string& part) {
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != text.end();
}

}  // namespace

std::string ResultName(Result result) {
    switch (result) {
        case kSuccess: return "SCARD_S_SUCCESS";
        case kInvalidHandle: return "SCARD_E_INVALID_HANDLE";
        case kUnknownReader: return "SCARD_E_UNKNOWN_READER";
        case kTimeout: return "SCARD_E_TIMEOUT";
        case kSharingViolation: return "SCARD_E_SHARING_VIOLATION";
        case kNoSmartcard: return "SCARD_E_NO_SMARTCARD";
        case kProtocolMismatch: return "SCARD_E_PROTO_MISMATCH";
        case kNotReady: return "SCARD_E_NOT_READY";
        case kCommError: return "SCARD_F_COMM_ERROR";
        case kReaderUnavailable: return "SCARD_E_READER_UNAVAILABLE";
        case kNoService: return "SCARD_E_NO_SERVICE";
        case kServiceStopped: return "SCARD_E_SERVICE_STOPPED";
        case kNoReadersAvailable: return "SCARD_E_NO_READERS_AVAILABLE";
        case kUnsupportedCard: return "SCARD_W_UNSUPPORTED_CARD";
        case kUnresponsiveCard: return "SCARD_W_UNRESPONSIVE_CARD";
        case kUnpoweredCard: return "SCARD_W_UNPOWERED_CARD";
        case kResetCard: return "SCARD_W_RESET_CARD";
        case kRemovedCard: return "SCARD_W_REMOVED_CARD";
        default: break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(result));
    return text;
}

Status StatusOf(Result result) {
    switch (result) {
        case kSuccess: return kOk;
        case kNoSmartcard:
        case kRemovedCard:
        case kUnpoweredCard:
        case kUnresponsiveCard: return kNoCard;
        case kSharingViolation:
        case kReaderUnavailable:
        case kUnknownReader:
        case kNoReadersAvailable:
        case kNoService:
        case kServiceStopped:
        case kCommError:
        case kNotReady:
        case kTimeout:
        case kInvalidHandle: return kReaderBusy;
        default: return kCardError;
    }
}

Bytes WithLe(std::span<const uint8_t> command, uint8_t le) {
    Bytes resent(command.begin(), command.end());
    // A header alone, or a header and data without Le, gets one; else it is replaced.
    const bool hasLe = resent.size() == 5 || (resent.size() > 5 && resent.size() == size_t(6) + resent[4]);
    if (hasLe) {
        resent.back() = le;
    } else {
        resent.push_back(le);
    }
    return resent;
}

Status CardChannel::FindReader(Layer& layer, const std::string& wanted, std::string& name) {
    std::vector<std::string> names;
    if (const Result result = layer.ListReaders(names); result != kSuccess) return StatusOf(result);
    for (const std::string& reader : names) {
        if (Contains(reader, wanted)) {
            name = reader;
            return kOk;
        }
    }
    return kReaderBusy;
}

Status CardChannel::Connect(bool check) {
    if (connected_) {
        if (!check) return kOk;
        Bytes atr;
        if (layer_.Atr(handle_, atr) == kSuccess) return kOk;
        Drop();
    }
    if (const Status status = FindReader(layer_, wanted_, reader_); status != kOk) return status;
    Handle handle = 0;
    Protocol protocol = Protocol::kUndefined;
    if (const Result result = layer_.Connect(reader_, handle, protocol); result != kSuccess) return StatusOf(result);
    handle_ = handle;
    protocol_ = protocol;
    connected_ = true;
    ++generation_;
    return kOk;
}

void CardChannel::Drop() {
    if (!connected_) return;
    layer_.Disconnect(handle_);
    connected_ = false;
    protocol_ = Protocol::kUndefined;
}

Status CardChannel::Failed(Result result) {
    // A card gone or a reader lost leaves a handle that serves nothing more.
    const Status status = StatusOf(result);
    if (status == kNoCard || status == kReaderBusy) Drop();
    return status;
}

Status CardChannel::Reset(Bytes& atr) {
    if (const Status status = Connect(); status != kOk) return status;
    Protocol protocol = protocol_;
    if (const Result result = layer_.Reconnect(handle_, true, protocol); result != kSuccess) {
        // A card put in since the last call: connect to it afresh.
        Drop();
        if (const Status status = Connect(); status != kOk) return status;
        if (const Result again = layer_.Reconnect(handle_, true, protocol); again != kSuccess) return Failed(again);
    }
    protocol_ = protocol;
    return Atr(atr);
}

Status CardChannel::Atr(Bytes& atr) {
    if (const Status status = Connect(); status != kOk) return status;
    if (const Result result = layer_.Atr(handle_, atr); result != kSuccess) return Failed(result);
    return kOk;
}

Status CardChannel::TransmitOnce(std::span<const uint8_t> command, Bytes& answer) {
    Result result = layer_.Transmit(handle_, protocol_, command, answer);
    if (result == kResetCard) {
        // Another program reset the card: take it up again and send once more.
        Protocol protocol = protocol_;
        if (layer_.Reconnect(handle_, false, protocol) == kSuccess) {
            protocol_ = protocol;
            result = layer_.Transmit(handle_, protocol_, command, answer);
        }
    }
    if (result != kSuccess) return Failed(result);
    return answer.size() < 2 ? kCardError : kOk;
}

Status CardChannel::Transmit(std::span<const uint8_t> command, Bytes& answer) {
    if (command.size() < 4) return kBadArgument;
    if (const Status status = Connect(); status != kOk) return status;
    Bytes sent(command.begin(), command.end());
    Bytes collected;
    bool resent = false;
    for (int round = 0; round < kMaxRounds; ++round) {
        Bytes reply;
        if (const Status status = TransmitOnce(sent, reply); status != kOk) return status;
        const uint8_t sw1 = reply[reply.size() - 2];
        const uint8_t sw2 = reply[reply.size() - 1];
        if (protocol_ == Protocol::kT0 && sw1 == 0x6C && !resent) {
            sent = WithLe(sent, sw2);
            resent = true;
            continue;
        }
        resent = false;
        if (protocol_ == Protocol::kT0 && sw1 == 0x61) {
            collected.insert(collected.end(), reply.begin(), reply.end() - 2);
            if (collected.size() > kMaxAnswer) return kCardError;
            sent = {command[0], kGetResponse, 0x00, 0x00, sw2};
            continue;
        }
        collected.insert(collected.end(), reply.begin(), reply.end());
        answer = std::move(collected);
        return kOk;
    }
    return kCardError;
}

}  // namespace kelvar::pcsc

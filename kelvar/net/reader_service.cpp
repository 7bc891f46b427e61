#include "kelvar/net/reader_service.h"

#include <chrono>
#include <thread>

#include "kelvar/net/function_list_digest.h"

namespace kelvar::net {

bool ServedConnection::OnBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& reply, std::string& note) {
    decoder_.Feed(bytes);
    for (;;) {
        Frame frame;
        switch (decoder_.Next(frame)) {
            case FrameDecoder::Result::kNeedMore: return true;
            case FrameDecoder::Result::kError: note = decoder_.Error(); return false;
            case FrameDecoder::Result::kFrame:
                if (!OnFrame(frame, reply, note)) return false;
                break;
        }
    }
}

bool ServedConnection::OnFrame(const Frame& frame, std::vector<uint8_t>& reply, std::string& note) {
    if (!greeted_) {
        if (frame.kind != FrameKind::kHello) {
            note = "no greeting";
            return false;
        }
        WireReader in(frame.payload);
        const uint16_t version = in.Scalar<uint16_t>();
        const uint32_t digest = in.Scalar<uint32_t>();
        const bool accepted = in.AtEnd() && version == kProtocolVersion && digest == FunctionListDigest();
        std::vector<uint8_t> welcome;
        WireWriter(welcome).Scalar<uint32_t>(accepted ? 0 : 1);
        const std::vector<uint8_t> encoded = EncodeFrame(FrameKind::kWelcome, welcome);
        reply.insert(reply.end(), encoded.begin(), encoded.end());
        if (!accepted) {
            note = "client of another protocol or function list refused";
            return false;
        }
        greeted_ = true;
        return true;
    }
    if (frame.kind != FrameKind::kRequest) {
        note = "unexpected frame";
        return false;
    }
    if (faults_.closeAfter != 0 && calls_ >= faults_.closeAfter) {
        note = "closed after " + std::to_string(calls_) + " calls (fault option)";
        return false;
    }
    ++calls_;
    WireReader in(frame.payload);
    const uint16_t ordinal = in.Scalar<uint16_t>();
    std::vector<uint8_t> answer;
    WireWriter out(answer);
    if (!in.Ok() || !serve_(ordinal, in, out)) {
        note = "malformed request for ordinal " + std::to_string(ordinal);
        return false;
    }
    const uint64_t number = ++counters_.answers;
    if (faults_.latencyMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(faults_.latencyMs));
    if (faults_.dropEvery != 0 && number % faults_.dropEvery == 0) return true;
    std::vector<uint8_t> encoded = EncodeFrame(FrameKind::kAnswer, answer);
    if (faults_.garbleEvery != 0 && number % faults_.garbleEvery == 0) encoded.back() ^= 0x5A;
    reply.insert(reply.end(), encoded.begin(), encoded.end());
    return true;
}

}  // namespace kelvar::net

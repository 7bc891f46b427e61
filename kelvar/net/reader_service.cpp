#include "kelvar/net/reader_service.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "kelvar/net/function_list_digest.h"
#include "kelvar/status.h"

namespace kelvar::net {

namespace {

void Append(std::vector<uint8_t>& reply, const std::vector<uint8_t>& frame) {
    reply.insert(reply.end(), frame.begin(), frame.end());
}

}  // namespace

std::vector<uint8_t> WelcomeFrame(Verdict verdict, std::span<const uint8_t> proof) {
    std::vector<uint8_t> welcome;
    WireWriter out(welcome);
    out.Scalar(static_cast<uint32_t>(verdict));
    if (!proof.empty()) out.Bytes(proof.data(), proof.size());
    return EncodeFrame(FrameKind::kWelcome, welcome);
}

ServedConnection::~ServedConnection() {
    if (state_.holder == this) state_.holder = nullptr;
}

ServedConnection::Step ServedConnection::ServeNext(std::vector<uint8_t>& reply, std::string& note) {
    Frame frame;
    switch (decoder_.Next(frame)) {
        case FrameDecoder::Result::kNeedMore: return Step::kIdle;
        case FrameDecoder::Result::kError: note = decoder_.Error(); return Step::kClose;
        case FrameDecoder::Result::kFrame: break;
    }
    bool keep = false;
    switch (stage_) {
        case Stage::kHello: keep = OnHello(frame, reply, note); break;
        case Stage::kProof: keep = OnProof(frame, reply, note); break;
        case Stage::kGreeted: keep = OnRequest(frame, reply, note); break;
    }
    return keep ? Step::kServed : Step::kClose;
}

bool ServedConnection::OnBytes(std::span<const uint8_t> bytes, std::vector<uint8_t>& reply, std::string& note) {
    Feed(bytes);
    for (;;) {
        switch (ServeNext(reply, note)) {
            case Step::kIdle: return true;
            case Step::kClose: return false;
            case Step::kServed: break;
        }
    }
}

bool ServedConnection::OnHello(const Frame& frame, std::vector<uint8_t>& reply, std::string& note) {
    if (frame.kind != FrameKind::kHello) {
        note = "no greeting";
        return false;
    }
    WireReader in(frame.payload);
    const uint16_t version = in.Scalar<uint16_t>();
    const uint32_t digest = in.Scalar<uint32_t>();
    const uint8_t* nonce = in.Bytes(kNonceSize);
    if (!in.AtEnd() || version != kProtocolVersion || digest != FunctionListDigest()) {
        Append(reply, WelcomeFrame(Verdict::kOtherProtocol));
        note = "client of another protocol or function list refused";
        return false;
    }
    std::copy_n(nonce, kNonceSize, clientNonce_.begin());
    if (!SecureRandomBytes(serverNonce_)) {
        note = "no random bytes for the challenge";
        return false;
    }
    std::vector<uint8_t> challenge;
    WireWriter out(challenge);
    out.Bytes(serverNonce_.data(), serverNonce_.size());
    out.Scalar<uint8_t>(service_.secret.empty() ? 0 : 1);
    Append(reply, EncodeFrame(FrameKind::kChallenge, challenge));
    stage_ = Stage::kProof;
    return true;
}

bool ServedConnection::OnProof(const Frame& frame, std::vector<uint8_t>& reply, std::string& note) {
    if (frame.kind != FrameKind::kProof) {
        note = "no proof after the challenge";
        return false;
    }
    if (service_.secret.empty()) {
        Append(reply, WelcomeFrame(Verdict::kAccepted));
        stage_ = Stage::kGreeted;
        return true;
    }
    const std::optional<Sha256Mac> own = Proof(Side::kServer, service_.secret, serverNonce_, clientNonce_);
    if (!own || !ProofHolds(Side::kClient, service_.secret, clientNonce_, serverNonce_, frame.payload)) {
        Append(reply, WelcomeFrame(Verdict::kNotAuthenticated));
        note = frame.payload.empty() ? "no shared secret given" : "wrong shared secret";
        return false;
    }
    Append(reply, WelcomeFrame(Verdict::kAccepted, *own));
    stage_ = Stage::kGreeted;
    return true;
}

bool ServedConnection::OnRequest(const Frame& frame, std::vector<uint8_t>& reply, std::string& note) {
    const FaultOptions& faults = service_.faults;
    if (frame.kind != FrameKind::kRequest) {
        note = "unexpected frame";
        return false;
    }
    if (faults.closeAfter != 0 && calls_ >= faults.closeAfter) {
        note = "closed after " + std::to_string(calls_) + " calls (fault option)";
        return false;
    }
    ++calls_;
    WireReader in(frame.payload);
    const uint32_t request = in.Scalar<uint32_t>();
    const uint16_t ordinal = in.Scalar<uint16_t>();
    std::vector<uint8_t> answer;
    WireWriter out(answer);
    out.Scalar(request);
    if (!in.Ok()) {
        note = "malformed request";
        return false;
    }
    if (service_.exclusive && state_.holder != nullptr && state_.holder != this) {
        out.Scalar<int32_t>(kReaderBusy);
    } else {
        if (service_.exclusive) state_.holder = this;
        if (!service_.serve(ordinal, in, out)) {
            note = "malformed request for ordinal " + std::to_string(ordinal);
            return false;
        }
    }
    const uint64_t number = ++state_.answers;
    if (faults.latencyMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(faults.latencyMs));
    if (faults.dropEvery != 0 && number % faults.dropEvery == 0) return true;
    std::vector<uint8_t> encoded = EncodeFrame(FrameKind::kAnswer, answer);
    if (faults.garbleEvery != 0 && number % faults.garbleEvery == 0) encoded.back() ^= 0x5A;
    Append(reply, encoded);
    return true;
}

}  // namespace kelvar::net

#include "kelvar/server/pcsc_system.h"

#ifdef _WIN32
#include <windows.h>
#include <winscard.h>
#define KELVAR_SCARD(name) name##A
#else
#include <PCSC/winscard.h>
#include <PCSC/wintypes.h>
#define KELVAR_SCARD(name) name
#endif

#include <algorithm>
#include <string>
#include <vector>

namespace kelvar::server {

namespace {

using pcsc::Bytes;
using pcsc::Handle;
using pcsc::Protocol;
using pcsc::Result;

constexpr DWORD kAnswerCapacity = 258 + 2;
constexpr size_t kMaxAtr = 33;

Result Of(LONG result) { return static_cast<Result>(result); }

DWORD PreferredProtocols() { return SCARD_PROTOCOL_T0 | SCARD_PROTOCOL_T1; }

Protocol ProtocolOf(DWORD active) {
    if (active == SCARD_PROTOCOL_T0) return Protocol::kT0;
    if (active == SCARD_PROTOCOL_T1) return Protocol::kT1;
    return Protocol::kUndefined;
}

class SystemLayer final : public pcsc::Layer {
public:
    ~SystemLayer() override { Release(); }

    Result ListReaders(std::vector<std::string>& names) override {
        names.clear();
        if (const Result result = Context(); result != pcsc::kSuccess) return result;
        DWORD size = 0;
        LONG result = KELVAR_SCARD(SCardListReaders)(context_, nullptr, nullptr, &size);
        std::vector<char> text;
        if (result == SCARD_S_SUCCESS) {
            text.resize(size + 1, '\0');
            result = KELVAR_SCARD(SCardListReaders)(context_, nullptr, text.data(), &size);
        }
        if (result != SCARD_S_SUCCESS) {
            LoseContextOn(result);
            return Of(result);
        }
        for (const char* at = text.data(); *at != '\0'; at += std::string(at).size() + 1) names.emplace_back(at);
        return pcsc::kSuccess;
    }

    Result State(const std::string& reader, pcsc::ReaderState& state) override {
        if (const Result result = Context(); result != pcsc::kSuccess) return result;
        KELVAR_SCARD(SCARD_READERSTATE) query{};
        query.szReader = reader.c_str();
        query.dwCurrentState = SCARD_STATE_UNAWARE;
        const LONG result = KELVAR_SCARD(SCardGetStatusChange)(context_, 0, &query, 1);
        if (result != SCARD_S_SUCCESS) {
            LoseContextOn(result);
            return Of(result);
        }
        state.present = (query.dwEventState & SCARD_STATE_PRESENT) != 0;
        state.exclusive = (query.dwEventState & SCARD_STATE_EXCLUSIVE) != 0;
        state.atr.assign(query.rgbAtr, query.rgbAtr + std::min<DWORD>(query.cbAtr, sizeof query.rgbAtr));
        if (!state.present) state.atr.clear();
        return pcsc::kSuccess;
    }

    Result Connect(const std::string& reader, Handle& handle, Protocol& protocol) override {
        if (const Result result = Context(); result != pcsc::kSuccess) return result;
        SCARDHANDLE card = 0;
        DWORD active = 0;
        const LONG result = KELVAR_SCARD(SCardConnect)(context_, reader.c_str(), SCARD_SHARE_SHARED,
                                                       PreferredProtocols(), &card, &active);
        if (result != SCARD_S_SUCCESS) {
            LoseContextOn(result);
            return Of(result);
        }
        handle = static_cast<Handle>(card);
        protocol = ProtocolOf(active);
        return pcsc::kSuccess;
    }

    Result Reconnect(Handle handle, bool reset, Protocol& protocol) override {
        DWORD active = 0;
        const LONG result = SCardReconnect(static_cast<SCARDHANDLE>(handle), SCARD_SHARE_SHARED,
                                           PreferredProtocols(), reset ? SCARD_RESET_CARD : SCARD_LEAVE_CARD,
                                           &active);
        if (result == SCARD_S_SUCCESS) protocol = ProtocolOf(active);
        return Of(result);
    }

    void Disconnect(Handle handle) override { SCardDisconnect(static_cast<SCARDHANDLE>(handle), SCARD_LEAVE_CARD); }

    Result Transmit(Handle handle, Protocol protocol, std::span<const uint8_t> command, Bytes& answer) override {
        answer.assign(kAnswerCapacity, 0);
        DWORD size = kAnswerCapacity;
        const SCARD_IO_REQUEST* pci = protocol == Protocol::kT0 ? SCARD_PCI_T0 : SCARD_PCI_T1;
        const LONG result = SCardTransmit(static_cast<SCARDHANDLE>(handle), pci, command.data(),
                                          static_cast<DWORD>(command.size()), nullptr, answer.data(), &size);
        answer.resize(result == SCARD_S_SUCCESS ? size : 0);
        return Of(result);
    }

    Result Atr(Handle handle, Bytes& atr) override {
        BYTE buffer[kMaxAtr] = {};
        DWORD atrSize = sizeof buffer;
        DWORD state = 0;
        DWORD active = 0;
        char name[256] = {};
        DWORD nameSize = sizeof name;
        const LONG result = KELVAR_SCARD(SCardStatus)(static_cast<SCARDHANDLE>(handle), name, &nameSize, &state,
                                                      &active, buffer, &atrSize);
        if (result == SCARD_S_SUCCESS) atr.assign(buffer, buffer + std::min<DWORD>(atrSize, sizeof buffer));
        return Of(result);
    }

private:
    Result Context() {
        if (established_) return pcsc::kSuccess;
        const LONG result = SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &context_);
        established_ = result == SCARD_S_SUCCESS;
        return Of(result);
    }

    // A service that stopped or restarted leaves the context useless: a new one next time.
    void LoseContextOn(LONG result) {
        if (result == LONG(SCARD_E_NO_SERVICE) || result == LONG(SCARD_E_SERVICE_STOPPED) ||
            result == LONG(SCARD_E_INVALID_HANDLE)) {
            Release();
        }
    }

    void Release() {
        if (established_) SCardReleaseContext(context_);
        established_ = false;
    }

    SCARDCONTEXT context_ = 0;
    bool established_ = false;
};

}  // namespace

std::unique_ptr<pcsc::Layer> SystemPcsc() { return std::make_unique<SystemLayer>(); }

}  // namespace kelvar::server

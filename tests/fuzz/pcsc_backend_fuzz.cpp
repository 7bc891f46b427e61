// The PC/SC backend on a reader whose every answer comes from the input:
// results, ATRs, answers of any length. Nothing may write past the buffers
// the serving end gives (sized as the network marshal reserves them), and a
// reported length never passes 255 or its buffer.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_input.h"
#include "kelvar/pcsc/pcsc_backend.h"

namespace {

using namespace kelvar;
using namespace kelvar::pcsc;

class FuzzedLayer final : public Layer {
public:
    explicit FuzzedLayer(FuzzInput& in) : in_(in) {}

    Result ListReaders(std::vector<std::string>& names) override {
        names.assign(in_.Byte() % 3, "Reader 00 00");
        return Next();
    }
    Result State(const std::string&, ReaderState& state) override {
        state.present = in_.Byte() & 1;
        state.atr = in_.Take(in_.Byte() % 34);
        return Next();
    }
    Result Connect(const std::string&, Handle& handle, Protocol& protocol) override {
        handle = in_.Byte();
        protocol = in_.Byte() & 1 ? Protocol::kT0 : Protocol::kT1;
        return Next();
    }
    Result Reconnect(Handle, bool, Protocol& protocol) override {
        protocol = in_.Byte() & 1 ? Protocol::kT0 : Protocol::kT1;
        return Next();
    }
    void Disconnect(Handle) override {}
    Result Transmit(Handle, Protocol, std::span<const uint8_t> command, Bytes& answer) override {
        FUZZ_CHECK(command.size() <= 5 + 255 + 1);
        answer = in_.Take(in_.Byte() == 0xFF ? 258 : in_.Byte() % 40);
        return Next();
    }
    Result Atr(Handle, Bytes& atr) override {
        // Mostly one of the forms the backend reads, its bytes from the input.
        switch (in_.Byte() % 4) {
            case 0: atr = {0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00, 0x03, 0x06, in_.Byte(),
                           in_.Byte(), in_.Byte(), 0x00, 0x00, 0x00, 0x00, 0x00};
                break;
            case 1: {
                const uint8_t count = in_.Byte() % 16;
                atr = {0x3B, uint8_t(0x80 | count), 0x80, 0x01};
                const Bytes historical = in_.Take(count);
                atr.insert(atr.end(), historical.begin(), historical.end());
                atr.push_back(0);
                break;
            }
            default: atr = in_.Take(in_.Byte() % 34);
        }
        return Next();
    }

private:
    // Mostly success; else one of the results the backend tells apart.
    Result Next() {
        static constexpr Result kResults[] = {kRemovedCard, kNoSmartcard, kSharingViolation, kResetCard,
                                              kNoService, 0x80100001};
        const uint8_t pick = in_.Byte();
        return pick < 200 ? kSuccess : kResults[pick % std::size(kResults)];
    }

    FuzzInput& in_;
};

void CheckReported(uint8_t length, size_t capacity) { FUZZ_CHECK(length <= capacity); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    FuzzedLayer layer(in);
    Backend backend(layer, {"", in.Byte() & 1 ? std::optional<std::string>("SAM") : std::nullopt});
    for (int call = 0; call < 24 && !in.Empty(); ++call) {
        std::vector<uint8_t> out(1024);  // what the serving end reserves for a reported buffer
        uint8_t length = 0;
        const uint8_t a = in.Byte();
        const uint8_t b = in.Byte();
        const std::vector<uint8_t> command = in.Take(in.Byte());
        const std::vector<uint8_t> key = in.Take(16);
        switch (in.Byte() % 22) {
            case 0: {
                uint16_t tagType = 0;
                backend.Request(0, in.Byte() & 1 ? 0x52 : 0x26, &tagType);
                break;
            }
            case 1:
                if (backend.Anticoll(0, 0, out.data(), &length) == kOk) CheckReported(length, 10);
                break;
            case 2: {
                uint8_t sak = 0;
                std::vector<uint8_t> uid(255);
                backend.Select(0, uid.data(), a, &sak);
                break;
            }
            case 3: backend.Authenticate(0, uint8_t(0x60 + (b & 1)), a, key.data()); break;
            case 4: {
                std::vector<uint8_t> block(16);
                if (backend.Read(0, a, block.data(), &length) == kOk) CheckReported(length, 16);
                break;
            }
            case 5: backend.Write(0, a, key.data()); break;
            case 6: backend.InitValue(0, a, int32_t(in.U32())); break;
            case 7: {
                int32_t value = 0;
                backend.ReadValue(0, a, &value);
                break;
            }
            case 8:
                if (backend.UlSelect(0, out.data(), &length) == kOk) CheckReported(length, 10);
                break;
            case 9: backend.UlWrite(0, a, key.data()); break;
            case 10:
            case 11:
                if ((b & 1 ? backend.TypeARst(0, 0x52, out.data(), &length)
                           : backend.DesfireRst(0, 0x26, out.data(), &length)) == kOk) {
                    CheckReported(length, 255);
                }
                break;
            case 12:
                if (backend.CosCommand(0, command.data(), uint8_t(command.size()), out.data(), &length) == kOk) {
                    CheckReported(length, 255);
                }
                break;
            case 13:
                if (backend.SmartcardCos(0, command.data(), uint8_t(command.size()), out.data(), &length) == kOk) {
                    CheckReported(length, 255);
                }
                break;
            case 14:
                if (backend.SmartcardRst(0, out.data(), &length) == kOk) CheckReported(length, 255);
                break;
            case 15:
                if (backend.Inventory(0, out.data(), &length) == kOk) CheckReported(length, 9);
                break;
            case 16:
                if (backend.VicinityRead(0, a & 0x06, key.data(), b, uint8_t(in.Byte() % 16), out.data(), &length) ==
                    kOk) {
                    CheckReported(length, 14 * 4);
                }
                break;
            case 17: backend.VicinityWrite(0, a & 0x06, key.data(), b, key.data() + 8); break;
            case 18: backend.Halt(0); backend.Deselect(0); break;
            case 19: backend.Antenna(0, a % 3); break;
            case 20:
                backend.InitSam(0, a % 3);
                if (backend.SamRst(0, out.data(), &length) == kOk) CheckReported(length, 255);
                if (backend.SamCos(0, command.data(), uint8_t(command.size()), out.data(), &length) == kOk) {
                    CheckReported(length, 255);
                }
                break;
            default:
                if (backend.GetModel(0, out.data(), &length) == kOk) CheckReported(length, 64);
                backend.OpenCard(0);
        }
    }
    return 0;
}

// The PC/SC backend against a played PC/SC layer: the exchanges behind the
// functions, the statuses of PC/SC results and status words, T=0's 61xx and
// 6Cxx, and a card taken out between calls.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "kelvar/net/marshal.h"
#include "kelvar/pcsc/pcsc_backend.h"
#include "kelvar/pcsc/pcsc_served.h"

namespace {

using namespace kelvar;
using namespace kelvar::pcsc;

class FakeLayer : public Layer {
public:
    std::vector<std::string> readers = {"Reader A 00 00", "SAM Reader 00 01"};
    bool present = true;
    Bytes atr = {0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00,
                 0x03, 0x06, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x6A};
    Protocol protocol = Protocol::kT1;
    Result connectResult = kSuccess;
    std::function<Bytes(const Bytes&)> respond;
    std::vector<Bytes> sent;
    int connects = 0;
    Handle current = 0;

    // The card goes and another handle is needed to reach what comes next.
    void Remove() {
        present = false;
        current = 0;
    }

    Result ListReaders(std::vector<std::string>& names) override {
        names = readers;
        return names.empty() ? kNoReadersAvailable : kSuccess;
    }
    Result State(const std::string&, ReaderState& state) override {
        state.present = present;
        state.atr = present ? atr : Bytes();
        return kSuccess;
    }
    Result Connect(const std::string&, Handle& handle, Protocol& active) override {
        if (connectResult != kSuccess) return connectResult;
        if (!present) return kNoSmartcard;
        handle = current = Handle(++connects);
        active = protocol;
        return kSuccess;
    }
    Result Reconnect(Handle handle, bool, Protocol& active) override {
        if (handle != current) return kRemovedCard;
        active = protocol;
        return kSuccess;
    }
    void Disconnect(Handle) override {}
    Result Transmit(Handle handle, Protocol, std::span<const uint8_t> command, Bytes& answer) override {
        if (handle != current) return kRemovedCard;
        sent.emplace_back(command.begin(), command.end());
        answer = respond(sent.back());
        return kSuccess;
    }
    Result Atr(Handle handle, Bytes& out) override {
        if (handle != current) return kRemovedCard;
        out = atr;
        return kSuccess;
    }
};

const Bytes kUid = {0xC2, 0x5E, 0x19, 0x7A};

Bytes Ok(Bytes data = {}) {
    data.push_back(0x90);
    data.push_back(0x00);
    return data;
}

// A Mifare 1K behind a reader: UID, keys, block reads of `blockAnswer`.
struct MifareReader : FakeLayer {
    Bytes blockAnswer = Ok(Bytes(16, 0xAB));
    Bytes authAnswer = Ok();
    MifareReader() {
        respond = [this](const Bytes& c) {
            if (c[1] == 0xCA) return Ok(kUid);
            if (c[1] == 0x86) return authAnswer;
            if (c[1] == 0xB0) return blockAnswer;
            return Ok();
        };
    }
};

int32_t Select(Backend& backend) {
    uint16_t tagType = 0;
    uint8_t uid[10];
    uint8_t length = 0;
    uint8_t sak = 0;
    if (const int32_t status = backend.Request(0, 0x52, &tagType); status != kOk) return status;
    if (const int32_t status = backend.Anticoll(0, 0, uid, &length); status != kOk) return status;
    return backend.Select(0, uid, length, &sak);
}

TEST(PcscBackend, MifareExchangesAndStatusWords) {
    MifareReader reader;
    Backend backend(reader, {"reader a", std::nullopt});
    uint16_t tagType = 0;
    ASSERT_EQ(backend.Request(0, 0x52, &tagType), kOk);
    EXPECT_EQ(tagType, 0x0004);
    uint8_t uid[10];
    uint8_t length = 0;
    uint8_t sak = 0;
    ASSERT_EQ(backend.Anticoll(0, 0, uid, &length), kOk);
    EXPECT_EQ(Bytes(uid, uid + length), kUid);
    const uint8_t other[4] = {1, 2, 3, 4};
    EXPECT_EQ(backend.Select(0, other, 4, &sak), kNoCard);
    ASSERT_EQ(backend.Select(0, uid, length, &sak), kOk);
    EXPECT_EQ(sak, 0x08);

    const uint8_t key[6] = {1, 2, 3, 4, 5, 6};
    reader.sent.clear();
    ASSERT_EQ(backend.Authenticate(0, 0x61, 9, key), kOk);
    ASSERT_EQ(reader.sent.size(), 2u);
    EXPECT_EQ(reader.sent[0], (Bytes{0xFF, 0x82, 0x00, 0x00, 0x06, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(reader.sent[1], (Bytes{0xFF, 0x86, 0x00, 0x00, 0x05, 0x01, 0x00, 9, 0x61, 0x00}));
    EXPECT_EQ(backend.Authenticate(0, 0x62, 9, key), kBadArgument);

    const std::pair<Bytes, Status> words[] = {{{0x63, 0x00}, kAuthFailed},   {{0x69, 0x82}, kNotAuthenticated},
                                               {{0x69, 0x86}, kAccessDenied}, {{0x6A, 0x81}, kNotSupported},
                                               {{0x6D, 0x00}, kNotSupported}, {{0x6F, 0x00}, kCardError}};
    for (const auto& [word, status] : words) {
        reader.authAnswer = word;
        EXPECT_EQ(backend.Authenticate(0, 0x60, 9, key), status) << int(word[0]) << " " << int(word[1]);
    }

    uint8_t block[16];
    ASSERT_EQ(backend.Read(0, 4, block, &length), kOk);
    EXPECT_EQ(reader.sent.back(), (Bytes{0xFF, 0xB0, 0x00, 4, 16}));
    EXPECT_EQ(length, 16);
    EXPECT_EQ(block[15], 0xAB);
    const uint8_t data[16] = {7};
    ASSERT_EQ(backend.Write(0, 5, data), kOk);
    EXPECT_EQ(reader.sent.back().size(), 21u);
    EXPECT_EQ(Bytes(reader.sent.back().begin(), reader.sent.back().begin() + 5), (Bytes{0xFF, 0xD6, 0x00, 5, 16}));
}

TEST(PcscBackend, AReadAnswerOfAnotherLengthIsAnErrorAndWritesNothing) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    ASSERT_EQ(Select(backend), kOk);
    for (const size_t size : {0, 15, 17}) {
        reader.blockAnswer = Ok(Bytes(size, 0x11));
        uint8_t block[32];
        std::memset(block, 0xEE, sizeof block);
        uint8_t length = 0xEE;
        EXPECT_EQ(backend.Read(0, 4, block, &length), kCardError) << size;
        EXPECT_EQ(block[0], 0xEE);
        EXPECT_EQ(length, 0xEE);
    }
    reader.blockAnswer = {0x90};
    uint8_t block[16];
    uint8_t length = 0;
    EXPECT_EQ(backend.Read(0, 4, block, &length), kCardError);
}

TEST(PcscBackend, ValuesAreWrittenAndReadAsBlocksNeverOverATrailer) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    ASSERT_EQ(Select(backend), kOk);
    reader.sent.clear();
    EXPECT_EQ(backend.InitValue(0, 7, 5), kNotValueBlock);
    EXPECT_EQ(backend.InitValue(0, 0, 5), kAccessDenied);
    EXPECT_TRUE(reader.sent.empty());
    ASSERT_EQ(backend.InitValue(0, 6, 0x01020304), kOk);
    const Bytes written(reader.sent.back().begin() + 5, reader.sent.back().end());
    EXPECT_EQ(written, (Bytes{4, 3, 2, 1, 0xFB, 0xFC, 0xFD, 0xFE, 4, 3, 2, 1, 6, 0xF9, 6, 0xF9}));
    reader.blockAnswer = Ok(written);
    int32_t value = 0;
    ASSERT_EQ(backend.ReadValue(0, 6, &value), kOk);
    EXPECT_EQ(value, 0x01020304);
    Bytes damaged = written;
    damaged[4] ^= 1;
    reader.blockAnswer = Ok(damaged);
    EXPECT_EQ(backend.ReadValue(0, 6, &value), kNotValueBlock);
}

TEST(PcscBackend, ACardRemovedBetweenCallsIsNoticedAndANewOneStartsUnselected) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    ASSERT_EQ(Select(backend), kOk);
    reader.Remove();
    uint8_t block[16];
    uint8_t length = 0;
    EXPECT_EQ(backend.Read(0, 4, block, &length), kNoCard);
    reader.present = true;  // another card
    const size_t before = reader.sent.size();
    EXPECT_EQ(backend.Read(0, 4, block, &length), kNotSelected);
    EXPECT_EQ(reader.sent.size(), before) << "nothing may reach a card that was not selected";
    // Taken out and put back with no call in between: the next request still sees a new card.
    ASSERT_EQ(Select(backend), kOk);
    reader.Remove();
    reader.present = true;
    uint16_t tagType = 0;
    ASSERT_EQ(backend.Request(0, 0x52, &tagType), kOk);
    EXPECT_EQ(backend.Read(0, 4, block, &length), kNotSelected);
}

TEST(PcscBackend, HaltHidesTheCardFromIdleRequestsOnly) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    ASSERT_EQ(Select(backend), kOk);
    ASSERT_EQ(backend.Halt(0), kOk);
    uint16_t tagType = 0;
    EXPECT_EQ(backend.Request(0, 0x26, &tagType), kNoCard);
    EXPECT_EQ(backend.Request(0, 0x52, &tagType), kOk);
    EXPECT_EQ(backend.Request(0, 0x26, &tagType), kOk);
    EXPECT_EQ(backend.Request(0, 0x27, &tagType), kBadArgument);
}

TEST(PcscBackend, PcscResultsBecomeLibraryStatuses) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    uint16_t tagType = 0;
    reader.connectResult = kSharingViolation;
    EXPECT_EQ(backend.Request(0, 0x52, &tagType), kReaderBusy);
    reader.connectResult = kSuccess;
    reader.present = false;
    EXPECT_EQ(backend.Request(0, 0x52, &tagType), kNoCard);
    EXPECT_EQ(backend.OpenCard(0), kNoCard);
    reader.readers.clear();
    EXPECT_EQ(backend.Request(0, 0x52, &tagType), kReaderBusy);
    Backend elsewhere(reader, {"no such reader", std::nullopt});
    reader.readers = {"Reader A 00 00"};
    EXPECT_EQ(elsewhere.OpenCard(0), kReaderBusy);
    EXPECT_EQ(StatusOf(kResetCard + 0x100), kCardError);
}

// A T=0 card that hands `data` out through GET RESPONSE in pieces of `piece`.
struct T0Reader : FakeLayer {
    Bytes data;
    size_t piece = 0;
    size_t given = 0;
    T0Reader() {
        protocol = Protocol::kT0;
        respond = [this](const Bytes& c) -> Bytes {
            if (c[1] != 0xC0) {
                given = 0;
                return {0x61, uint8_t(std::min(piece, data.size()))};
            }
            const size_t n = std::min<size_t>(c[4], data.size() - given);
            Bytes answer(data.begin() + given, data.begin() + given + n);
            given += n;
            const size_t left = data.size() - given;
            if (left == 0) return Ok(answer);
            answer.push_back(0x61);
            answer.push_back(uint8_t(std::min(piece, left)));
            return answer;
        };
    }
};

TEST(PcscBackend, T0AnswersAreGatheredAndAnAnswerPastItsLengthByteRefused) {
    T0Reader reader;
    Backend backend(reader, {"", std::nullopt});
    const uint8_t command[] = {0x80, 0xCA, 0x00, 0x00, 0x01, 0x00};
    uint8_t out[256];
    uint8_t length = 0;
    for (const size_t size : {size_t(1), size_t(100), size_t(253)}) {
        reader.data.assign(size, 0x5A);
        reader.piece = 60;
        ASSERT_EQ(backend.SmartcardCos(0, command, sizeof command, out, &length), kOk) << size;
        EXPECT_EQ(length, size + 2);
        EXPECT_EQ(out[size], 0x90);
        EXPECT_EQ(reader.sent.back()[0], 0x80) << "GET RESPONSE in the command's class";
    }
    reader.data.assign(254, 0x5A);
    length = 0xEE;
    EXPECT_EQ(backend.SmartcardCos(0, command, sizeof command, out, &length), kCardError);
    EXPECT_EQ(length, 0xEE);
    // A card that never stops asking for GET RESPONSE.
    reader.respond = [](const Bytes&) { return Bytes{0x61, 0x01, 0x61, 0x01}; };
    EXPECT_EQ(backend.SmartcardCos(0, command, sizeof command, out, &length), kCardError);
}

TEST(PcscBackend, T0WrongLengthIsResentOnceWithTheLengthAsked) {
    T0Reader reader;
    reader.respond = [&](const Bytes& c) -> Bytes {
        if (c.size() == 5 && c[4] == 8) return Ok(Bytes(8, 1));
        return {0x6C, 0x08};
    };
    Backend backend(reader, {"", std::nullopt});
    uint8_t out[256];
    uint8_t length = 0;
    const uint8_t caseTwo[] = {0x00, 0x84, 0x00, 0x00, 0x00};
    ASSERT_EQ(backend.SmartcardCos(0, caseTwo, sizeof caseTwo, out, &length), kOk);
    EXPECT_EQ(length, 10);
    EXPECT_EQ(reader.sent.back(), (Bytes{0x00, 0x84, 0x00, 0x00, 0x08}));
    const uint8_t caseOne[] = {0x00, 0x84, 0x00, 0x00};
    ASSERT_EQ(backend.SmartcardCos(0, caseOne, sizeof caseOne, out, &length), kOk);
    EXPECT_EQ(reader.sent.back(), (Bytes{0x00, 0x84, 0x00, 0x00, 0x08}));
    // Asked again for another length: the card's answer stands.
    reader.respond = [](const Bytes&) { return Bytes{0x6C, 0x08}; };
    reader.sent.clear();
    ASSERT_EQ(backend.SmartcardCos(0, caseTwo, sizeof caseTwo, out, &length), kOk);
    EXPECT_EQ(reader.sent.size(), 2u);
    EXPECT_EQ(Bytes(out, out + length), (Bytes{0x6C, 0x08}));
    // T=1 leaves 61xx and 6Cxx to the card's caller.
    reader.protocol = Protocol::kT1;
    Backend onT1(reader, {"", std::nullopt});
    reader.sent.clear();
    ASSERT_EQ(onT1.SmartcardCos(0, caseTwo, sizeof caseTwo, out, &length), kOk);
    EXPECT_EQ(reader.sent.size(), 1u);
}

TEST(PcscBackend, IsoDepResetGivesTheAtsOrOneMadeFromTheHistoricalBytes) {
    FakeLayer reader;
    reader.atr = {0x3B, 0x82, 0x80, 0x01, 0x4B, 0x56, 0x00};
    Bytes ats = {0x05, 0x78, 0x80, 0x70, 0x02};
    reader.respond = [&](const Bytes& c) -> Bytes {
        if (c[1] == 0xCA && c[2] == 0x00) return Ok(kUid);
        if (c[1] == 0xCA) return ats.empty() ? Bytes{0x6A, 0x81} : Ok(ats);
        return Ok();
    };
    Backend backend(reader, {"", std::nullopt});
    uint8_t out[64];
    uint8_t length = 0;
    ASSERT_EQ(backend.TypeARst(0, 0x52, out, &length), kOk);
    EXPECT_EQ(Bytes(out, out + length), (Bytes{0xC2, 0x5E, 0x19, 0x7A, 0x05, 0x78, 0x80, 0x70, 0x02}));
    ats.clear();
    ASSERT_EQ(backend.TypeARst(0, 0x52, out, &length), kOk);
    EXPECT_EQ(Bytes(out, out + length), (Bytes{0xC2, 0x5E, 0x19, 0x7A, 0x07, 0x78, 0x80, 0x70, 0x02, 0x4B, 0x56}));
    EXPECT_EQ(backend.DesfireRst(0, 0x52, out, &length), kNoCard) << "a 4-byte UID";
}

TEST(PcscBackend, AtrsOfOtherFormsAreNoContactlessCard) {
    EXPECT_EQ(ClassifyAtr(Bytes{0x3B, 0x68, 0x00, 0x00, 1, 2, 3, 4, 5, 6, 7, 8}).family, CardFamily::kNone);
    EXPECT_EQ(ClassifyAtr(Bytes{0x3B, 0x83, 0x80, 0x01, 1, 2}).family, CardFamily::kNone) << "short";
    EXPECT_EQ(ClassifyAtr(Bytes{0x3B, 0x81, 0x80, 0x01, 1, 2, 3}).family, CardFamily::kNone) << "long";
    Bytes storage = {0x3B, 0x8F, 0x80, 0x01, 0x80, 0x4F, 0x0C, 0xA0, 0x00, 0x00,
                     0x03, 0x06, 0x03, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x69};
    EXPECT_EQ(ClassifyAtr(storage).family, CardFamily::kMifareClassic);
    EXPECT_EQ(IdentityOf(ClassifyAtr(storage), 4)->sak, 0x18);
    storage[14] = 0x3A;
    EXPECT_EQ(ClassifyAtr(storage).family, CardFamily::kUltraLight);
    storage[14] = 0x07;
    EXPECT_EQ(ClassifyAtr(storage).family, CardFamily::kOtherStorage);
}

TEST(PcscBackend, OnlyMappedFunctionsReachTheBackend) {
    MifareReader reader;
    Backend backend(reader, {"", std::nullopt});
    ServeFrom(&backend);
    auto served = [](auto marshal, auto... args) {
        std::vector<uint8_t> request;
        net::WireWriter writer(request);
        decltype(marshal)::EncodeRequest(writer, args...);
        net::WireReader in(std::span<const uint8_t>(request).subspan(2));
        std::vector<uint8_t> answer;
        net::WireWriter out(answer);
        EXPECT_TRUE(ServeCall(uint16_t(request[0] | request[1] << 8), in, out));
        net::WireReader back(answer);
        return back.Scalar<int32_t>();
    };
    EXPECT_EQ(served(net::Marshal<27, void(int32_t, uint8_t, int32_t)>{}, 0, uint8_t(4), 1), kNotSupported);
    EXPECT_EQ(served(net::Marshal<9, void(int32_t, uint8_t)>{}, 0, uint8_t(4)), kNotSupported);
    EXPECT_EQ(served(net::Marshal<10, void(int32_t, uint8_t)>{}, 0, uint8_t(0)), kNotSupported) << "no SAM reader";
    EXPECT_EQ(served(net::Marshal<100, void(int32_t)>{}, 0), kOk);
    ServeFrom(nullptr);
    EXPECT_EQ(served(net::Marshal<100, void(int32_t)>{}, 0), kNotSupported);
    EXPECT_FALSE(Maps(26));
    EXPECT_FALSE(Maps(27));
    EXPECT_TRUE(Maps(21));
}

}  // namespace

TEST(PcscBackend, AFieldSwitchedOffFindsNothingAndOnAgainResetsTheCard) {
    int resets = 0;
    struct Counting : MifareReader {
        int* resets;
        Result Reconnect(Handle handle, bool reset, Protocol& active) override {
            *resets += reset;
            return MifareReader::Reconnect(handle, reset, active);
        }
    } counting;
    counting.resets = &resets;
    Backend backend(counting, {"", std::nullopt});
    ASSERT_EQ(Select(backend), kOk);
    ASSERT_EQ(backend.Antenna(0, 0), kOk);
    uint16_t tagType = 0;
    EXPECT_EQ(backend.Request(0, 0x52, &tagType), kNoCard);
    uint8_t block[16];
    uint8_t length = 0;
    EXPECT_EQ(backend.Read(0, 4, block, &length), kNotSelected);
    EXPECT_EQ(resets, 0);
    ASSERT_EQ(backend.Antenna(0, 1), kOk);
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(backend.Antenna(0, 1), kOk);
    EXPECT_EQ(resets, 1) << "on while on changes nothing";
    EXPECT_EQ(Select(backend), kOk);
    EXPECT_EQ(backend.Antenna(0, 2), kBadArgument);
}

// The reader server's PC/SC backend end to end: a client of kelvar-reader
// --backend pcsc, pcscd, vpcd and a card played by kelvar-vicc.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "kelvar/cards/contact_cpu_card.h"
#include "kelvar/cards/sam_card.h"
#include "kelvar/reader/type_a_cards.h"
#include "kelvar/reader/vicinity_tags.h"
#include "support/pcsc_chain.h"

namespace {

using namespace kelvar;
using pcsc_chain::Chain;

#define CHAIN_OR_SKIP(chain, ...)                                              \
    if (const std::string missing = pcsc_chain::Missing(); !missing.empty()) { \
        GTEST_SKIP() << "pcscd cannot run here: " << missing;                  \
    }                                                                          \
    Chain chain(__VA_ARGS__);                                                  \
    ASSERT_TRUE(chain.Error().empty()) << chain.Error()

using Answer = std::array<uint8_t, 256>;

Bytes Exchange(Chain& chain, int32_t& status, std::initializer_list<uint8_t> apdu, bool sam = false) {
    const Bytes command(apdu);
    Answer out{};
    uint8_t length = 0;
    status = sam ? chain.Call<12>(0, command.data(), uint8_t(command.size()), out.data(), &length)
                 : chain.Call<73>(0, command.data(), uint8_t(command.size()), out.data(), &length);
    return Bytes(out.begin(), out.begin() + length);
}

TEST(PcscChain, ContactCardResetsAndAnswersThroughGetResponseAndResentLe) {
    CHAIN_OR_SKIP(chain, "cpu");
    EXPECT_EQ(chain.Call<100>(0), kOk);
    Answer atr{};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<72>(0, atr.data(), &length), kOk);
    EXPECT_EQ(Bytes(atr.begin(), atr.begin() + length),
              Bytes(ContactCpuCard::kAtr.begin(), ContactCpuCard::kAtr.end()));

    // SELECT carries data: a T=0 card answers 61xx and the server fetches the rest.
    ImageStore store;
    ContactCpuCard model(store);
    Bytes expected;
    const Bytes select = {0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    model.Reset(expected);
    ASSERT_EQ(model.Exchange(select, expected), kOk);
    int32_t status = 0;
    EXPECT_EQ(Exchange(chain, status, {0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00}), expected);
    EXPECT_EQ(status, kOk);
    ASSERT_GE(expected.size(), 2u);
    EXPECT_EQ(expected[expected.size() - 2], 0x90);

    // Le 0 for a 32-byte file: the card asks for 6C20, the server sends it again.
    const Bytes label = Exchange(chain, status, {0x00, 0xB0, 0x81, 0x00, 0x00});
    EXPECT_EQ(status, kOk);
    ASSERT_EQ(label.size(), 34u);
    EXPECT_EQ(label[32], 0x90);
    EXPECT_EQ(label[33], 0x00);
}

TEST(PcscChain, SamSlotResetsAndAuthenticatesOnItsOwnReader) {
    CHAIN_OR_SKIP(chain, "", "sam");
    ASSERT_EQ(chain.Call<10>(0, uint8_t(0)), kOk);
    EXPECT_EQ(chain.Call<10>(0, uint8_t(2)), kBadArgument);
    Answer atr{};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<11>(0, atr.data(), &length), kOk);
    SamCard model(SystemRandomBytes());
    const auto expectedAtr = model.Reset(SamCard::kBaud9600);
    EXPECT_EQ(Bytes(atr.begin(), atr.begin() + length), Bytes(expectedAtr.begin(), expectedAtr.end()));

    const Bytes authenticate = {0x00, 0x88, 0x00, 0x00, 0x08, 1, 2, 3, 4, 5, 6, 7, 8};
    int32_t status = 0;
    const Bytes answer = Exchange(chain, status, {0x00, 0x88, 0x00, 0x00, 0x08, 1, 2, 3, 4, 5, 6, 7, 8}, true);
    EXPECT_EQ(status, kOk);
    EXPECT_EQ(answer, model.Respond(authenticate));
    EXPECT_EQ(answer.size(), 10u);
}

struct Found {
    int32_t status = 0;
    uint16_t tagType = 0;
    Bytes uid;
    uint8_t sak = 0;
};

Found Search(Chain& chain) {
    Found found{};
    found.status = chain.Call<15>(0, uint8_t(0x52), &found.tagType);
    if (found.status != kOk) return found;
    uint8_t uid[10] = {};
    uint8_t length = 0;
    if ((found.status = chain.Call<16>(0, uint8_t(0), uid, &length)) != kOk) return found;
    found.uid.assign(uid, uid + length);
    found.status = chain.Call<17>(0, uid, length, &found.sak);
    return found;
}

constexpr uint8_t kFactoryKey[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

TEST(PcscChain, MifareSectorReadWriteAndAWrongKey) {
    CHAIN_OR_SKIP(chain, "mifare1k");
    const Found found = Search(chain);
    ASSERT_EQ(found.status, kOk);
    EXPECT_EQ(found.tagType, 0x0004);
    EXPECT_EQ(found.uid, Bytes(kMifare1KUid.begin(), kMifare1KUid.end()));
    EXPECT_EQ(found.sak, 0x08);

    ASSERT_EQ(chain.Call<21>(0, uint8_t(0x60), uint8_t(4), kFactoryKey), kOk);
    uint8_t block[16];
    uint8_t length = 0;
    for (uint8_t b = 4; b < 8; ++b) {
        std::memset(block, 0xEE, sizeof block);
        ASSERT_EQ(chain.Call<22>(0, b, block, &length), kOk) << int(b);
        EXPECT_EQ(length, 16);
    }
    // The trailer: key A reads as zeros, the factory access bits.
    EXPECT_EQ(block[6], 0xFF);
    EXPECT_EQ(block[0], 0x00);

    const uint8_t data[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    ASSERT_EQ(chain.Call<23>(0, uint8_t(5), data), kOk);
    ASSERT_EQ(chain.Call<22>(0, uint8_t(5), block, &length), kOk);
    EXPECT_EQ(0, std::memcmp(block, data, 16));

    // Values through ordinary blocks; increments are not carried out at all.
    ASSERT_EQ(chain.Call<24>(0, uint8_t(6), int32_t(-1234)), kOk);
    int32_t value = 0;
    ASSERT_EQ(chain.Call<25>(0, uint8_t(6), &value), kOk);
    EXPECT_EQ(value, -1234);
    EXPECT_EQ(chain.Call<25>(0, uint8_t(5), &value), kNotValueBlock);
    EXPECT_EQ(chain.Call<27>(0, uint8_t(6), int32_t(1)), kNotSupported);
    EXPECT_EQ(chain.Call<26>(0, uint8_t(6), int32_t(1)), kNotSupported);

    const uint8_t wrong[6] = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(chain.Call<21>(0, uint8_t(0x60), uint8_t(8), wrong), kAuthFailed);
    std::memset(block, 0xEE, sizeof block);
    length = 0xEE;
    EXPECT_EQ(chain.Call<22>(0, uint8_t(8), block, &length), kNotAuthenticated);
    EXPECT_EQ(block[0], 0xEE);
    EXPECT_EQ(length, 0xEE);
}

TEST(PcscChain, ACardPulledMidReadIsReportedAndTheNextSearchFindsItAgain) {
    CHAIN_OR_SKIP(chain, "mifare1k");
    ASSERT_EQ(Search(chain).status, kOk);
    ASSERT_EQ(chain.Call<21>(0, uint8_t(0x60), uint8_t(4), kFactoryKey), kOk);
    uint8_t block[16];
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<22>(0, uint8_t(4), block, &length), kOk);

    ASSERT_TRUE(chain.Pull());
    std::memset(block, 0xEE, sizeof block);
    EXPECT_EQ(chain.Call<22>(0, uint8_t(5), block, &length), kNoCard);
    EXPECT_EQ(block[0], 0xEE);
    // Nothing is read from whatever lies there next without a new search.
    EXPECT_EQ(chain.Call<22>(0, uint8_t(5), block, &length), kNotSelected);
    EXPECT_EQ(Search(chain).status, kNoCard);

    ASSERT_TRUE(chain.PutBack());
    EXPECT_EQ(chain.Call<22>(0, uint8_t(5), block, &length), kNotSelected);
    EXPECT_EQ(Search(chain).status, kOk);
}

TEST(PcscChain, AnEmptyReaderHasNoCardAndDeviceFunctionsAreNotSupported) {
    CHAIN_OR_SKIP(chain, "");
    uint16_t tagType = 0;
    EXPECT_EQ(chain.Call<15>(0, uint8_t(0x52), &tagType), kNoCard);
    EXPECT_EQ(chain.Call<100>(0), kNoCard);
    EXPECT_EQ(chain.Call<10>(0, uint8_t(0)), kNoCard);
    EXPECT_EQ(chain.Call<9>(0, uint8_t(10)), kNotSupported);
    EXPECT_EQ(chain.Call<42>(0, uint8_t(1)), kNotSupported);
    uint8_t model[256] = {};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<7>(0, model, &length), kOk);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(model), length), "PC/SC Virtual PCD 00 00");

    int code = -1;
    const std::string listed = pcsc_chain::Daemon::ListReaders(code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(listed.find("Virtual PCD 00 00\n    no card"), std::string::npos) << listed;
    EXPECT_NE(listed.find("Virtual PCD 00 01\n    no card"), std::string::npos) << listed;
}

TEST(PcscChain, ListedReadersShowTheCardsAtr) {
    CHAIN_OR_SKIP(chain, "ultralight");
    int code = -1;
    const std::string listed = pcsc_chain::Daemon::ListReaders(code);
    EXPECT_EQ(code, 0);
    EXPECT_NE(listed.find("Virtual PCD 00 00\n    card present, ATR 3B 8F 80 01 80 4F 0C A0 00 00 03 06 03 00 03 "
                          "00 00 00 00 68"),
              std::string::npos)
        << listed;

    uint8_t uid[10] = {};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<56>(0, uid, &length), kOk);
    EXPECT_EQ(length, 7);
    const uint8_t page[4] = {0xCA, 0xFE, 0xBA, 0xBE};
    ASSERT_EQ(chain.Call<57>(0, uint8_t(4), page), kOk);
    uint8_t pages[16] = {};
    ASSERT_EQ(chain.Call<22>(0, uint8_t(4), pages, &length), kOk);
    EXPECT_EQ(length, 16);
    EXPECT_EQ(0, std::memcmp(pages, page, 4));
    EXPECT_EQ(chain.Call<21>(0, uint8_t(0x60), uint8_t(4), kFactoryKey), kCardError);
    EXPECT_EQ(chain.Call<460>(0, kFactoryKey), kNotSupported);
}

TEST(PcscChain, IsoDepCardAnswersItsAtsAndApdus) {
    CHAIN_OR_SKIP(chain, "isodep");
    uint8_t out[256] = {};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<30>(0, uint8_t(0x52), out, &length), kOk);
    ImageStore store;
    auto model = MakeTypeACard(CardKind::kMifarePro, store);
    const Bytes uid = model->Uid();
    ASSERT_GT(length, uid.size());
    EXPECT_EQ(Bytes(out, out + uid.size()), uid);
    EXPECT_EQ(out[uid.size()], length - uid.size()) << "the ATS begins with its length";

    const uint8_t select[] = {0x00, 0xA4, 0x00, 0x00, 0x02, 0x3F, 0x00};
    ASSERT_EQ(chain.Call<31>(0, select, uint8_t(sizeof select), out, &length), kOk);
    ASSERT_GE(length, 2);
    EXPECT_EQ(out[length - 2], 0x90);
    EXPECT_EQ(chain.Call<43>(0), kOk);
    EXPECT_EQ(chain.Call<31>(0, select, uint8_t(sizeof select), out, &length), kNotSelected);
}

TEST(PcscChain, VicinityTagInventoryAndBlocks) {
    CHAIN_OR_SKIP(chain, "iso15693");
    uint8_t out[256] = {};
    uint8_t length = 0;
    ASSERT_EQ(chain.Call<400>(0, out, &length), kOk);
    ASSERT_EQ(length, 9);
    EXPECT_EQ(Bytes(out + 1, out + 9), Bytes(kICodeSliProfile.uid.begin(), kICodeSliProfile.uid.end()));
    const uint8_t* uid = kICodeSliProfile.uid.data();
    const uint8_t data[4] = {9, 8, 7, 6};
    ASSERT_EQ(chain.Call<64>(0, uint8_t(0x02), uid, uint8_t(3), data), kOk);
    ASSERT_EQ(chain.Call<63>(0, uint8_t(0x02), uid, uint8_t(2), uint8_t(2), out, &length), kOk);
    EXPECT_EQ(length, 8);
    EXPECT_EQ(0, std::memcmp(out + 4, data, 4));
    EXPECT_EQ(chain.Call<63>(0, uint8_t(0x06), uid, uint8_t(2), uint8_t(2), out, &length), kNotSupported);
    const uint8_t other[8] = {1, 2, 3, 4, 5, 6, 7, 0xE0};
    EXPECT_EQ(chain.Call<63>(0, uint8_t(0x02), other, uint8_t(2), uint8_t(1), out, &length), kNoCard);
    EXPECT_EQ(chain.Call<65>(0, uint8_t(0x02), uid, uint8_t(2)), kNotSupported);
}

}  // namespace

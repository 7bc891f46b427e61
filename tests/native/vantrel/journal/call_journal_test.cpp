#include "vantrel/journal/call_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <utility>

#include "kelvar/status.h"
#include "support/hex_bytes.h"
#include "support/library_reader.h"
#include "support/observed_session.h"
#include "vantrel/journal/journal_files.h"
#include "vantrel/journal/secret_bytes.h"
#include "vantrel/toolkit/tcl_card_codes.h"

namespace {

using journal::CallJournal;
using journal::ParsedJournal;
using journal::RecordedCall;
using test_hex::Hex;
using test_hex::ToHex;

constexpr int64_t kSessionStart = 1'700'000'000'000'000;  // 2023-11-14T22:13:20Z

// A Mifare read, a failed authentication and a T=CL SELECT on a fresh virtual
// reader: the session the journal's files are checked with.
class JournalSession : public ::testing::Test {
protected:
    void SetUp() override {
        test_library::UseReader({kelvar::CardKind::kMifare1K, kelvar::CardKind::kMifarePro});
        journal.SetCardType(1);
        uint16_t tagType = 0;
        uint8_t uid[10] = {}, uidLength = 0, sak = 0, out[256] = {}, length = 0;
        const uint8_t key[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
        const uint8_t wrongKey[6] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66};
        ASSERT_EQ(OBSERVED(journal, rf_init_type, 0, uint8_t{'A'}), 0);
        ASSERT_EQ(OBSERVED(journal, rf_request, 0, uint8_t{0x52}, &tagType), 0);
        ASSERT_EQ(OBSERVED(journal, rf_anticoll, 0, uint8_t{0}, uid, &uidLength), 0);
        ASSERT_EQ(OBSERVED(journal, rf_select, 0, static_cast<const uint8_t*>(uid), uidLength, &sak), 0);
        ASSERT_EQ(OBSERVED(journal, rf_M1_authentication2, 0, uint8_t{0x60}, uint8_t{4}, key), 0);
        ASSERT_EQ(OBSERVED(journal, rf_M1_read, 0, uint8_t{4}, out, &length), 0);
        ASSERT_EQ(OBSERVED(journal, rf_M1_read, 0, uint8_t{7}, out, &length), 0);
        ASSERT_EQ(OBSERVED(journal, rf_M1_authentication2, 0, uint8_t{0x60}, uint8_t{8}, wrongKey), kelvar::kAuthFailed);
        journal.SetCardType(kCodeMifarePro);
        ASSERT_EQ(OBSERVED(journal, rf_typea_rst, 0, uint8_t{0x52}, out, &length), 0);
        const std::vector<uint8_t> select = Hex("00A4040007A0000000041010");
        ASSERT_EQ(OBSERVED(journal, rf_cos_command, 0, select.data(), static_cast<uint8_t>(select.size()), out, &length), 0);
    }

    static journal::SaveOptions Options(bool mask) {
        journal::SaveOptions options;
        options.maskKeys = mask;
        options.program = "test";
        options.savedMicros = kSessionStart;
        return options;
    }

    const RecordedCall& Call(size_t index) const { return journal.Calls()[index]; }

    int64_t now = kSessionStart;
    CallJournal journal{journal::kMaxCalls, journal::kMaxBytes, [this] { return now += 1000; }};
};

// An observed call with one in buffer of `size` bytes.
void Record(CallJournal& journal, size_t size) {
    const std::vector<uint8_t> bytes(size, 0xA5);
    const ObservedArgument arguments[] = {{ObservedArgument::Kind::Scalar, 0, {}, {}},
                                          {ObservedArgument::Kind::In, 0, bytes, {}}};
    journal.OnCall({kelvar::OrdinalOf("rf_at020_write"), L"rf_at020_write", arguments, 0, 5});
}

}  // namespace

TEST_F(JournalSession, KeepsEveryCallWithItsBuffersStatusAndCardType) {
    ASSERT_EQ(journal.Calls().size(), 10u);
    EXPECT_EQ(Call(0).sequence, 1u);
    EXPECT_EQ(Call(0).rfMode, 0);  // before rf_init_type took effect
    EXPECT_EQ(Call(1).rfMode, 'A');
    const RecordedCall& auth = Call(4);
    EXPECT_EQ(auth.status, 0);
    EXPECT_EQ(auth.Values(), (std::vector<int64_t>{0, 0x60, 4, 0}));
    EXPECT_EQ(ToHex(auth.In(3)), "FFFFFFFFFFFF");
    const RecordedCall& read = Call(5);
    EXPECT_EQ(read.Out(2).size(), 16u);
    EXPECT_EQ(ToHex(read.Out(3)), "10");
    const RecordedCall& failed = Call(7);
    EXPECT_EQ(failed.status, kelvar::kAuthFailed);
    EXPECT_EQ(ToHex(failed.In(3)), "112233445566");
    EXPECT_EQ(Call(8).cardType, kCodeMifarePro);
    // The SELECT's answer carries its status word.
    const RecordedCall& select = Call(9);
    EXPECT_EQ(journal::AnswerFormOf(select), AnswerForm::StatusWord);
    EXPECT_GE(journal::AnswerOf(select).size(), 2u);
    EXPECT_EQ(select.startMicros, kSessionStart + 10'000 - select.microseconds);
}

TEST(CallJournal, DropsTheOldestPastEitherBoundAndCountsThem) {
    CallJournal byCount(3, journal::kMaxBytes);
    for (int i = 0; i < 3; ++i) Record(byCount, 4);
    EXPECT_EQ(byCount.Dropped(), 0u);  // the bound itself is kept
    Record(byCount, 4);
    Record(byCount, 4);
    ASSERT_EQ(byCount.Calls().size(), 3u);
    EXPECT_EQ(byCount.Dropped(), 2u);
    EXPECT_EQ(byCount.Calls().front().sequence, 3u);

    CallJournal one;
    Record(one, 1000);
    const size_t cost = one.Bytes();
    CallJournal exact(journal::kMaxCalls, 2 * cost);
    CallJournal under(journal::kMaxCalls, 2 * cost - 1);
    for (CallJournal* j : {&exact, &under}) {
        Record(*j, 1000);
        Record(*j, 1000);
    }
    EXPECT_EQ(exact.Calls().size(), 2u);
    EXPECT_EQ(exact.Dropped(), 0u);
    EXPECT_EQ(under.Calls().size(), 1u);
    EXPECT_EQ(under.Dropped(), 1u);
    EXPECT_EQ(under.Bytes(), cost);
    Record(exact, 1000);
    EXPECT_EQ(exact.Calls().size(), 2u);
    EXPECT_LE(exact.Bytes(), 2 * cost);
}

TEST_F(JournalSession, SavedLinesMaskKeysAndReadBackAsTheyWereMade) {
    const std::string masked = journal::JournalLines(journal, Options(true));
    const ParsedJournal parsed = journal::ParseJournal(masked);
    EXPECT_TRUE(parsed.problems.empty());
    EXPECT_TRUE(parsed.header && parsed.keysMasked);
    ASSERT_EQ(parsed.calls.size(), journal.Calls().size());
    const auto& key = *parsed.calls[4].arguments[3].in;
    EXPECT_EQ(key.masked, std::vector<bool>(6, true));
    // A trailer's keys are masked, its access bits are not; a data block is not.
    const auto& trailer = *parsed.calls[6].arguments[2].out;
    EXPECT_EQ(trailer.masked, (std::vector<bool>{1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(parsed.calls[5].arguments[2].out->AnyMasked());
    EXPECT_EQ(ToHex(parsed.calls[5].arguments[2].out->bytes), ToHex(Call(5).Out(2)));
    EXPECT_EQ(masked.find("FFFFFFFFFFFF"), std::string::npos);
    EXPECT_EQ(masked.find("112233445566"), std::string::npos);
    EXPECT_NE(masked.find("\"status\":17,\"statusHex\":\"11\",\"hint\":\"Wrong key or password"), std::string::npos);

    const std::string typed = journal::JournalLines(journal, Options(false));
    EXPECT_NE(typed.find("\"in\":\"112233445566\""), std::string::npos);
    EXPECT_FALSE(journal::ParseJournal(typed).keysMasked);
}

TEST_F(JournalSession, EverySavedLineIsJsonToAJsonReader) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "journal_json_tool_line.json";
    const std::string text = journal::JournalLines(journal, Options(true));
    size_t lines = 0;
    for (size_t start = 0; start < text.size(); ++lines) {
        const size_t end = text.find('\n', start);
        std::ofstream(file, std::ios::binary) << text.substr(start, end - start);
        start = end + 1;
        const std::string command = "python3 -m json.tool " + file.string() + " >/dev/null 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << "line " << lines + 1;
    }
    EXPECT_EQ(lines, journal.Calls().size() + 1);
    std::filesystem::remove(file);
}

// kelvar-replay on `lines` (a fresh reader holding the session's cards): its
// exit status and what it printed.
std::pair<int, std::string> Replay(const std::string& lines, const std::string& options = "") {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "journal_replay_test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Kelvar.ini") << "field = mifare1k, mifarepro\n";
    std::ofstream(folder / "session.jsonl", std::ios::binary) << lines;
    const std::string command = std::string(KELVAR_REPLAY) + " --config " + (folder / "Kelvar.ini").string() + " " +
                                options + (folder / "session.jsonl").string() + " 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[512];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    std::filesystem::remove_all(folder);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST_F(JournalSession, ReplaysWithoutADifferenceAndPrintsAnAnswerChangedByHand) {
    const std::string lines = journal::JournalLines(journal, Options(false));
    const auto [same, sameOutput] = Replay(lines);
    EXPECT_EQ(same, 0) << sameOutput;
    EXPECT_EQ(sameOutput, "10 calls replayed, 0 differ, 0 not replayed, 0 damaged lines\n");

    // Block 4's answer, one byte changed in the saved file.
    const std::string block4 = ToHex(Call(5).Out(2));
    std::string changed = lines;
    const size_t at = changed.find("\"out\":\"" + block4 + "\"");
    ASSERT_NE(at, std::string::npos);
    changed[at + 7] = changed[at + 7] == 'F' ? 'E' : 'F';
    const auto [differs, output] = Replay(changed);
    EXPECT_EQ(differs, 1);
    EXPECT_NE(output.find("line 7, call 6 rf_M1_read differs:\n  out answered " + block4 + "\n"), std::string::npos)
        << output;
    EXPECT_NE(output.find("10 calls replayed, 1 differ"), std::string::npos);

    // Masked keys cannot be made again: the calls say so, and so does the exit status.
    const auto [masked, maskedOutput] = Replay(journal::JournalLines(journal, Options(true)));
    EXPECT_EQ(masked, 1);
    EXPECT_NE(maskedOutput.find("call 5 rf_M1_authentication2 not replayed: its key bytes are masked"), std::string::npos)
        << maskedOutput;

    // A reader server that is not there: said once, nothing replayed.
    const auto [unreached, unreachedOutput] = Replay(lines, "--reader 127.0.0.1:1 ");
    EXPECT_EQ(unreached, 2);
    EXPECT_EQ(unreachedOutput, "kelvar-replay: the reader cannot be reached (status 4)\n");
}

TEST_F(JournalSession, CsvHasOneRowPerCallWithTheBuffersAsHexColumns) {
    journal::SaveOptions options = Options(true);
    options.cardName = [](int32_t) { return std::wstring(L"Mifare, \"S50\""); };
    const std::string csv = journal::JournalCsv(journal, options);
    // Fields per row, a quoted field's commas and doubled quotes inside it.
    std::vector<size_t> fields{1};
    bool quoted = false;
    for (size_t i = 0; i < csv.size(); ++i) {
        if (csv[i] == '"') quoted = !quoted;
        if (quoted) continue;
        if (csv[i] == ',') ++fields.back();
        if (csv[i] == '\n') fields.push_back(1);
    }
    fields.pop_back();
    std::vector<size_t> expected(journal.Calls().size() + 2, 14);
    expected[0] = 1;
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(csv.rfind("# call journal; test; saved 2023-11-14T22:13:20.000Z; 10 calls; 0 older calls dropped; keys masked\r\n", 0), 0u);
    EXPECT_NE(csv.find(",\"Mifare, \"\"S50\"\"\",21,rf_M1_authentication2,17,11,"), std::string::npos);
    EXPECT_NE(csv.find("dev=0 keyType=96 block=8,key=************,"), std::string::npos);
}

TEST(JournalFiles, TheFileTypeChoosesTheForm) {
    EXPECT_EQ(journal::JournalFormatOf(L"a.CSV"), journal::JournalFormat::Csv);
    EXPECT_EQ(journal::JournalFormatOf(L"csv"), journal::JournalFormat::Lines);
    EXPECT_EQ(journal::JournalFormatOf(L"a.jsonl"), journal::JournalFormat::Lines);
}

TEST(JournalFiles, DamagedLinesAreReportedWithTheirNumbersAndSkipped) {
    const std::string good = R"({"seq":1,"ordinal":21,"args":[{"value":0},{"value":96},{"value":4},{"in":"FFFFFFFFFFFF"}],"status":0})";
    const std::string text = R"({"journal":"call journal","dropped":3,"keysMasked":true})" "\n" +
                             good + "\n"
                             "not json\n"
                             R"({"ordinal":21,"args":[{"value":0},{"value":96},{"value":4},{"in":"FFFFFFFFFF"}],"status":0})" "\n"
                             R"({"ordinal":21,"args":[{"value":0},{"value":96},{"value":4},{"in":"FFFFFFFFFFFFFF"}],"status":0})" "\n"
                             R"({"ordinal":21,"args":[{"value":0},{"value":96},{"in":"FFFFFFFFFFFF"}],"status":0})" "\n"
                             R"({"ordinal":21,"args":[{"value":0},{"value":96},{"value":4},{"in":"FFF"}],"status":0})" "\n"
                             R"({"ordinal":9999,"args":[],"status":0})" "\n"
                             R"({"ordinal":21,"args":[{"value":0},{"value":96},{"value":4},{"in":"FFFFFFFFFFFG"}],"status":0})" "\n"
                             "\n" + good + "\r\n";
    const ParsedJournal parsed = journal::ParseJournal(text);
    EXPECT_EQ(parsed.dropped, 3u);
    ASSERT_EQ(parsed.calls.size(), 2u);
    EXPECT_EQ(parsed.calls[0].line, 2u);
    EXPECT_EQ(parsed.calls[1].line, 11u);
    std::vector<size_t> lines;
    for (const auto& problem : parsed.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<size_t>{3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(parsed.problems[1].text, "key: 5 bytes where the call takes 6");
    EXPECT_EQ(parsed.problems[2].text, "key: 7 bytes where the call takes 6");
}

// Where a card keeps its keys, at the edges of those places.
TEST(SecretBytes, MaskOnlyWhereTheCallAddressesKeysOrPasswords) {
    using journal::SecretBytes;
    const auto count = [](const std::vector<bool>& secret) { return std::count(secret.begin(), secret.end(), true); };
    const std::vector<uint8_t> page(4, 0xAB);
    const int ulWrite = kelvar::OrdinalOf("rf_ul_write");
    for (const auto& [address, masked] : {std::pair{43, 0}, {44, 4}, {47, 4}, {48, 0}}) {
        const int64_t values[] = {0, address, 0};
        EXPECT_EQ(count(SecretBytes(ulWrite, 2, values, page)), masked) << "page " << address;
    }
    // AT1608_Read(dev, address, length, zone, out): 8 bytes from 0x2C reach the seed at 0x30.
    const std::vector<uint8_t> eight(8, 0);
    const int at1608Read = kelvar::OrdinalOf("AT1608_Read");
    for (const auto& [address, zone, masked] : {std::tuple{0x2C, 8, 4}, {0x38, 8, 0}, {0x3C, 8, 4}, {0x7C, 8, 4},
                                                 {0x80, 8, 0}, {0x30, 7, 0}}) {
        const int64_t values[] = {0, address, 8, zone, 0};
        EXPECT_EQ(count(SecretBytes(at1608Read, 4, values, eight)), masked) << address << " zone " << zone;
    }
    // VERIFY's PIN, not its header; another instruction keeps its data.
    const int64_t none[] = {0, 0, 0, 0, 0};
    EXPECT_EQ(SecretBytes(kelvar::OrdinalOf("rf_cos_command"), 1, none, Hex("0020000104313233340A")),
              (std::vector<bool>{0, 0, 0, 0, 0, 1, 1, 1, 1, 0}));
    EXPECT_TRUE(SecretBytes(kelvar::OrdinalOf("rf_cos_command"), 1, none, Hex("00B0000004")).empty());
    // A Lc longer than the command masks no byte beyond it.
    EXPECT_EQ(count(SecretBytes(kelvar::OrdinalOf("smartcard_cos"), 1, none, Hex("00200001FF3132"))), 2);
}

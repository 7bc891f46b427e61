#include "vantrel/reader/call_observer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
using Kind = ObservedArgument::Kind;

struct Seen {
    Kind kind;
    int64_t value;
    Bytes in, out;
    bool operator==(const Seen&) const = default;
};

// Keeps a copy of each call it sees.
struct Journal : ReaderObserver {
    void OnCall(const ObservedCall& call) override {
        ordinal = call.ordinal;
        status = call.status;
        microseconds = call.microseconds;
        arguments.clear();
        for (const ObservedArgument& a : call.arguments) {
            arguments.push_back({a.kind, a.value, Bytes(a.in.begin(), a.in.end()), Bytes(a.out.begin(), a.out.end())});
        }
    }
    int ordinal = 0;
    int32_t status = -1;
    int64_t microseconds = -1;
    std::vector<Seen> arguments;
};

// A call of the function list's `ordinal` with `args`: `body` plays the
// library, changing what the pointers point at, and returns the status.
template <typename Body, typename... Args>
void Observe(Journal& journal, int ordinal, Body body, Args... args) {
    const std::array<PassedArgument, sizeof...(Args)> passed{PassedArgument::Of(args)...};
    CallRecorder record(ordinal, L"name", passed);
    record.Finish(body(), journal);
}

}  // namespace

// rf_cos_command: the command as long as its length argument, the answer as
// long as the length the call wrote, and that length byte.
TEST(CallObserver, BuffersTakeTheirSizesFromTheFunctionListAndOutBuffersComeOnlyWithSuccess) {
    const uint8_t command[] = {0x00, 0x84, 0x00, 0x00, 0x08, 0xEE};
    uint8_t answer[16] = {};
    uint8_t length = 0;
    Journal journal;
    const auto answerTwo = [&] {
        answer[0] = 0x90;
        answer[1] = 0x00;
        length = 2;
        return 0;
    };
    Observe(journal, 31, answerTwo, int32_t{0}, command, uint8_t{5}, answer, &length);
    EXPECT_EQ(journal.ordinal, 31);
    EXPECT_EQ(journal.status, 0);
    EXPECT_GE(journal.microseconds, 0);
    EXPECT_EQ(journal.arguments, (std::vector<Seen>{{Kind::Scalar, 0, {}, {}},
                                                    {Kind::In, 0, {0x00, 0x84, 0x00, 0x00, 0x08}, {}},
                                                    {Kind::Scalar, 5, {}, {}},
                                                    {Kind::Out, 0, {}, {0x90, 0x00}},
                                                    {Kind::Out, 0, {}, {2}}}));

    Observe(journal, 31, [] { return 0x0B; }, int32_t{0}, command, uint8_t{5}, answer, &length);
    EXPECT_EQ(journal.status, 0x0B);
    EXPECT_EQ(journal.arguments[1].in.size(), 5u);
    EXPECT_TRUE(journal.arguments[3].out.empty());
    EXPECT_TRUE(journal.arguments[4].out.empty());
}

// Srf55vp_Write_Reread: the length goes in as 8 and comes back as what was
// read; a null buffer shows no bytes.
TEST(CallObserver, InOutBuffersShowWhatWentInAndWhatCameBackAndNullShowsNothing) {
    const uint8_t uid[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const uint8_t data[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    uint8_t readBack[16] = {};
    uint8_t length = 8;
    Journal journal;
    const auto readSeven = [&] {
        for (int i = 0; i < 7; ++i) readBack[i] = 9;
        length = 7;
        return 0;
    };
    Observe(journal, 404, readSeven, int32_t{0}, uid, uint8_t{3}, data, readBack, &length);
    ASSERT_EQ(journal.arguments.size(), 6u);
    EXPECT_EQ(journal.arguments[1].in, Bytes(uid, uid + 8));
    EXPECT_EQ(journal.arguments[4], (Seen{Kind::Out, 0, {}, Bytes(7, 9)}));
    EXPECT_EQ(journal.arguments[5], (Seen{Kind::InOut, 0, {8}, {7}}));

    Observe(journal, 404, [] { return 0; }, int32_t{0}, static_cast<const uint8_t*>(nullptr), uint8_t{3}, data,
            readBack, static_cast<uint8_t*>(nullptr));
    EXPECT_EQ(journal.arguments[1], (Seen{Kind::In, 0, {}, {}}));
    EXPECT_EQ(journal.arguments[4], (Seen{Kind::Out, 0, {}, {}}));
    EXPECT_EQ(journal.arguments[5], (Seen{Kind::InOut, 0, {}, {}}));
}

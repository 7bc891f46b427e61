#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "kelvar/status.h"
#include "kelvar_dll.h"

using namespace kelvar;

namespace {

struct ZeroCall {
    int ordinal;
    const char* name;
    bool takesPointer;
    std::function<int32_t()> call;
};

template <typename... Args>
ZeroCall MakeZeroCall(int ordinal, const char* name, int32_t(__stdcall* function)(Args...)) {
    return {ordinal, name, (std::is_pointer_v<Args> || ...), [function] { return function(Args{}...); }};
}

// Every export of the function list, called with zeros and null pointers.
std::vector<ZeroCall> ZeroCalls(const KelvarExports& library) {
    return {
#define KELVAR_ZERO_CALL(ordinal, member, reported, required, params) \
    MakeZeroCall(ordinal, #member, library.member),
        KELVAR_FUNCTIONS(KELVAR_ZERO_CALL)
#undef KELVAR_ZERO_CALL
    };
}

// Every status of kelvar/status.h: a switch without a default, so that a
// status added there and forgotten here is a -Wswitch warning.
bool Documented(int32_t status) {
    switch (static_cast<Status>(status)) {
    case kOk: case kNotOpen: case kBadArgument: case kNotSupported: case kConnectFailed: case kStoreFailed:
    case kBadClock: case kConnectionLost: case kBadAnswer: case kReaderBusy: case kNoCard: case kAuthFailed:
    case kAccessDenied: case kNotValueBlock: case kValueOverflow: case kNotAuthenticated: case kNotSelected:
    case kCardError: case kCollision: case kBadFrameCrc:
        return true;
    }
    return false;
}

// Without a connection only the connection itself and the DES calculator
// do anything.
int32_t ExpectedWithoutConnection(const std::string& name) {
    if (name == "close_connection") return kOk;
    if (name == "rf_init_com" || name == "des_encipher" || name == "des_decipher") return kBadArgument;
    return kNotOpen;
}

}  // namespace

TEST(KelvarLibrary, EveryExportAnswersADocumentedStatusToZeroAndNullArguments) {
    KelvarDll dll;
    ASSERT_TRUE(dll.Load());
    const auto calls = ZeroCalls(dll);
    for (const ZeroCall& c : calls) EXPECT_EQ(c.call(), ExpectedWithoutConnection(c.name)) << "before: " << c.name;

    ASSERT_EQ(dll.Open(), kOk);
    for (const ZeroCall& c : calls) {
        if (std::string(c.name) == "close_connection") continue;
        const int32_t status = c.call();
        EXPECT_TRUE(Documented(status)) << "open: " << c.name << " answered " << status;
        // A null out-buffer is never a success.
        if (c.takesPointer) {
            EXPECT_NE(status, kOk) << "open: " << c.name;
        }
    }
    ASSERT_EQ(dll.close_connection(), kOk);
    for (const ZeroCall& c : calls) EXPECT_EQ(c.call(), ExpectedWithoutConnection(c.name)) << "after: " << c.name;
}

// Every function of the list, each argument in turn at each of its edges and
// each pointer in turn null, called on a reader of its own and through the
// reader server on loopback: statuses and out-buffers must agree. Rounds
// repeat the sweep on the state the earlier ones left (a powered card, an
// activated field).   differential_sweep [rounds]   (default 3)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "call_sources.h"
#include "function_table.h"
#include "twin_readers.h"

namespace kelvar::api {

VirtualReader& Reader() { return *fuzzing::tReader; }

}  // namespace kelvar::api

namespace {

using namespace fuzzing;

template <int Ordinal, typename... A>
std::string Describe(const char* name, const TableCall<Ordinal, void(A...)>& call) {
    std::string text = std::string(name) + "(";
    const auto values = call.Values();
    for (size_t p = 0; p < sizeof...(A); ++p) {
        if (p > 0) text += ", ";
        if (kelvar::RuleCount(Ordinal, int(p)) == 0) {
            text += std::to_string(values[p]);
        } else {
            text += call.Buffer(p) == nullptr ? "null" : "[" + std::to_string(call.Size(p)) + "]";
        }
    }
    return text + ")";
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    TwinReaders twins(TwinReaders::Transport::kLoopback);
    if (!twins.Connected()) {
        std::fprintf(stderr, "differential: the server could not be reached\n");
        return 1;
    }
    size_t calls = 0;
    size_t differences = 0;
    for (int round = 0; round < rounds && twins.Connected(); ++round) {
        ForEachFunction([&]<int Ordinal, typename... A>(const char* name, int32_t (*function)(A...)) {
            if constexpr (Carried(Ordinal)) {
                using Call = TableCall<Ordinal, void(A...)>;
                auto check = [&](EdgeSource source) {
                    const Call call(source);
                    const std::string difference = twins.Compare(call, function);
                    ++calls;
                    if (!difference.empty() && ++differences <= 20) {
                        std::fprintf(stderr, "differential: %s: %s\n", Describe(name, call).c_str(), difference.c_str());
                    }
                };
                check(EdgeSource(Ordinal, -1, 0, -1));
                for (size_t p = 0; p < sizeof...(A); ++p) {
                    if (kelvar::RuleCount(Ordinal, int(p)) != 0) {
                        check(EdgeSource(Ordinal, -1, 0, int(p)));
                        continue;
                    }
                    for (const uint64_t value : EdgeValues(Ordinal, p, Call::M::kTypeMax[p])) {
                        check(EdgeSource(Ordinal, int(p), value, -1));
                    }
                }
            }
        });
    }
    std::printf("differential: %zu calls in %d rounds, %zu differences%s\n", calls, rounds, differences,
                twins.Connected() ? "" : ", the connection was lost");
    return differences == 0 && twins.Connected() ? 0 : 1;
}

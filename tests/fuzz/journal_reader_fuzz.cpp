// The call journal reader on any text: every line is a call or a problem
// with its own number, never both, in order; calls hold the arguments and
// buffer sizes the function list allows.
#include <string_view>

#include "fuzz_input.h"
#include "vantrel/journal/function_catalog.h"
#include "vantrel/journal/journal_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    const journal::ParsedJournal parsed = journal::ParseJournal(content);
    size_t lines = 0;
    for (char c : content) lines += c == '\n';
    if (!content.empty() && content.back() != '\n') ++lines;
    FUZZ_CHECK(parsed.calls.size() + parsed.problems.size() <= lines);
    size_t previous = 0;
    for (const journal::JournalProblem& problem : parsed.problems) {
        FUZZ_CHECK(problem.line > previous && problem.line <= lines && !problem.text.empty());
        previous = problem.line;
    }
    previous = 0;
    for (const journal::JournalCall& call : parsed.calls) {
        FUZZ_CHECK(call.line > previous && call.line <= lines);
        previous = call.line;
        for (const journal::JournalProblem& problem : parsed.problems) FUZZ_CHECK(problem.line != call.line);
        const journal::FunctionInfo* info = journal::FindFunction(call.ordinal);
        FUZZ_CHECK(info != nullptr && call.arguments.size() == info->arguments.size());
        for (size_t i = 0; i < call.arguments.size(); ++i) {
            const journal::JournalArgument& argument = call.arguments[i];
            FUZZ_CHECK(argument.pointer == info->arguments[i].pointer);
            for (const auto* bytes : {&argument.in, &argument.out}) {
                if (!*bytes) continue;
                FUZZ_CHECK(argument.pointer && (*bytes)->bytes.size() <= journal::kLongestBuffer);
                FUZZ_CHECK((*bytes)->masked.empty() || (*bytes)->masked.size() == (*bytes)->bytes.size());
            }
        }
    }
    return 0;
}

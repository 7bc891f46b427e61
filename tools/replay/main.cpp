// kelvar-replay: a saved call journal made again, call by call, on a fresh
// virtual reader or on a reader server; every call whose status or answer
// differs is printed, and the exit status says whether any did.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "kelvar/api/guard.h"
#include "kelvar/net/server_options.h"
#include "kelvar/reader/reader_config.h"
#include "tools/replay/replay.h"
#include "vantrel/toolkit/file_content.h"
#include "vantrel_version.h"

namespace kelvar::api {

namespace {
std::unique_ptr<VirtualReader> reader;
}

VirtualReader& Reader() { return *reader; }

}  // namespace kelvar::api

namespace {

constexpr int kExitSame = 0;
constexpr int kExitDiffers = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kLargestJournal = 512u << 20;

constexpr std::string_view kUsage =
    "usage: kelvar-replay [--reader A.B.C.D:PORT] [--config FILE] JOURNAL.jsonl\n"
    "  Makes every call of a call journal saved by Vantrel again and prints each\n"
    "  call whose status or answer differs from the journal's.\n"
    "  --reader   a reader server (kelvar-reader) instead of the built-in reader\n"
    "  --config   the cards of the built-in reader, as Kelvar.ini names them;\n"
    "             by default every card, each in its factory state\n"
    "  Exit status: 0 every call as in the journal, 1 a difference, a call not\n"
    "  made or a damaged line, 2 a wrong option, a file that cannot be read or\n"
    "  a reader that cannot be reached.\n";

struct Options {
    std::string journal;
    std::string config;
    bool server = false;
    uint16_t address[4] = {};
    uint16_t port = 0;
};

bool Parse(const std::vector<std::string>& args, Options& options, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--reader" && hasValue) {
            options.server = true;
            if (!kelvar::net::ParseListenAddress(args[++i], options.address, options.port) || options.port == 0) {
                error = "not an address and port: " + args[i];
                return false;
            }
        } else if (arg == "--config" && hasValue) {
            options.config = args[++i];
        } else if (!arg.empty() && arg[0] != '-' && options.journal.empty()) {
            options.journal = arg;
        } else {
            error = "unexpected argument: " + arg;
            return false;
        }
    }
    if (options.journal.empty()) error = "no journal named";
    return error.empty();
}

// Cards in their factory state: images are kept in memory only.
kelvar::FieldConfig FreshField(const std::string& config) {
    kelvar::FieldConfig field{{}, kelvar::DefaultFieldOrder()};
    if (!config.empty()) field = kelvar::LoadFieldConfig(config, std::filesystem::path(config).parent_path());
    field.imageFolder.clear();
    return field;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kUsage;
        return kExitSame;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "kelvar-replay " VANTREL_VERSION "\n";
        return kExitSame;
    }
    Options options;
    std::string error;
    if (!Parse(args, options, error)) {
        std::cerr << "kelvar-replay: " << error << "\n" << kUsage;
        return kExitUsage;
    }
    // Read with a bound no larger than the file: the reader fills its buffer first.
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(options.journal, sizeError);
    const std::size_t bound = !sizeError && size < kLargestJournal ? static_cast<std::size_t>(size) : kLargestJournal;
    std::string content;
    const FileRead read = ReadFileContent(options.journal, bound, content);
    if (read != FileRead::Read) {
        std::cerr << "kelvar-replay: " << options.journal
                  << (read == FileRead::TooLarge ? ": larger than 512 MB\n" : ": cannot be read\n");
        return kExitUsage;
    }
    const journal::ParsedJournal parsed = journal::ParseJournal(content);
    for (const journal::JournalProblem& problem : parsed.problems) {
        std::cout << options.journal << ":" << problem.line << ": damaged line skipped: " << problem.text << "\n";
    }
    if (parsed.dropped > 0) {
        std::cout << "the journal dropped " << parsed.dropped << " older calls: the reader starts where it begins\n";
    }

    kelvar::api::reader = std::make_unique<kelvar::VirtualReader>(FreshField(options.config));
    std::unique_ptr<replay::Target> target =
        options.server ? replay::ServerTarget(options.address, options.port) : replay::BuiltInTarget();
    const replay::Outcome outcome = replay::Replay(parsed, *target);
    if (outcome.connectStatus != kelvar::kOk) {
        std::cerr << "kelvar-replay: the reader cannot be reached (status " << std::hex << outcome.connectStatus
                  << std::dec << ")\n";
        return kExitUsage;
    }
    for (const std::string& line : outcome.lines) std::cout << line << "\n";
    std::cout << outcome.replayed << " calls replayed, " << outcome.differing << " differ, " << outcome.notReplayed
              << " not replayed, " << parsed.problems.size() << " damaged lines\n";
    kelvar::api::reader.reset();
    return outcome.Same() && parsed.problems.empty() ? kExitSame : kExitDiffers;
}

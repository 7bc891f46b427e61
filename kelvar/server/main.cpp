// kelvar-reader: the virtual reader served over TCP.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "kelvar/api/guard.h"
#include "kelvar/net/reader_server.h"
#include "kelvar/net/secret.h"
#include "kelvar/net/server_options.h"
#include "kelvar/pcsc/pcsc_served.h"
#include "kelvar/pcsc/reader_list.h"
#include "kelvar/reader/reader_config.h"
#include "kelvar/server/pcsc_system.h"
#include "kelvar/server/served_functions.h"
#include "vantrel_version.h"

namespace fs = std::filesystem;

namespace kelvar::api {

namespace {
std::unique_ptr<VirtualReader> reader;
}

VirtualReader& Reader() { return *reader; }

}  // namespace kelvar::api

namespace {

kelvar::net::ReaderServer* running = nullptr;

extern "C" void OnStopSignal(int) {
    if (running != nullptr) running->Stop();
}

void LogLine(const std::string& text) {
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const std::time_t now = std::time(nullptr);
    char stamp[32] = {};
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    std::cerr << stamp << " kelvar-reader: " << text << std::endl;
}

fs::path ConfigFile(const kelvar::net::ServerOptions& options) {
    if (!options.config.empty()) return options.config;
    if (const char* named = std::getenv(std::string(kelvar::kReaderConfigVariable).c_str()); named && *named) {
        return named;
    }
    std::error_code error;
    return fs::current_path(error) / kelvar::kReaderConfigFileName;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::cout << "kelvar-reader " VANTREL_VERSION "\n";
        return 0;
    }
    std::string error;
    const auto options = kelvar::net::ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "kelvar-reader: " << error << "\n" << kelvar::net::kServerUsage;
        return 2;
    }
    if (options->help) {
        std::cout << kelvar::net::kServerUsage;
        return 0;
    }

    const fs::path config = ConfigFile(*options);
    const fs::path folder = config.has_parent_path() ? config.parent_path() : fs::current_path();
    kelvar::FieldConfig settings = kelvar::DefaultFieldConfig(folder);
    try {
        settings = kelvar::LoadFieldConfig(config, folder);
    } catch (const std::exception& e) {
        LogLine(std::string("error: the configuration could not be read (") + e.what() + "), defaults used");
    }
    if (options->listReaders) {
        std::string text;
        const bool listed = kelvar::pcsc::ListReaders(*kelvar::server::SystemPcsc(), text);
        (listed ? std::cout : std::cerr) << text;
        return listed ? 0 : 1;
    }
    const std::string backendName =
        options->backend.value_or(settings.backend.empty() ? kelvar::net::kBackendVirtual : settings.backend);
    if (!kelvar::net::IsBackendName(backendName)) {
        LogLine("error: the configuration names the backend \"" + backendName + "\"; virtual or pcsc");
        return 2;
    }
    const bool onPcsc = backendName == kelvar::net::kBackendPcsc;

    std::unique_ptr<kelvar::pcsc::Layer> pcscLayer;
    std::unique_ptr<kelvar::pcsc::Backend> pcscBackend;
    kelvar::net::ServeCall serve = kelvar::server::ServeLocalCall;
    std::string served = config.string();
    if (onPcsc) {
        pcscLayer = kelvar::server::SystemPcsc();
        kelvar::pcsc::Settings chosen{options->pcscReader.value_or(settings.pcscReader),
                                      options->pcscSam ? options->pcscSam : settings.pcscSam};
        pcscBackend = std::make_unique<kelvar::pcsc::Backend>(*pcscLayer, chosen);
        kelvar::pcsc::ServeFrom(pcscBackend.get());
        serve = kelvar::pcsc::ServeCall;
        std::string reader;
        const bool found = kelvar::pcsc::CardChannel::FindReader(*pcscLayer, chosen.reader, reader) == kelvar::kOk;
        served = "PC/SC reader " + (found ? "\"" + reader + "\"" : "matching \"" + chosen.reader + "\" (none yet)") +
                 (chosen.sam ? ", SAM reader matching \"" + *chosen.sam + "\"" : ", no SAM slot");
    } else {
        try {
            kelvar::api::reader = std::make_unique<kelvar::VirtualReader>(settings);
        } catch (const std::exception& e) {
            LogLine(std::string("error: the configuration could not be used (") + e.what() + "), defaults used");
            kelvar::api::reader = std::make_unique<kelvar::VirtualReader>(kelvar::DefaultFieldConfig(folder));
        }
        const uint16_t builtIn[4] = {0, 0, 0, 0};
        if (const kelvar::Status status = kelvar::api::reader->Open(0, builtIn); status != kelvar::kOk) {
            LogLine("error: the reader could not be opened (status " + std::to_string(status) + ")");
            return 1;
        }
    }

    kelvar::net::Service service{serve, options->faults, {}, options->exclusive};
    if (!options->secretFile.empty()) {
        auto secret = kelvar::net::LoadSecret(options->secretFile, error);
        if (!secret) {
            LogLine("error: the secret file " + options->secretFile + " cannot be used: " + error);
            return 1;
        }
        service.secret = std::move(*secret);
    }
    kelvar::net::ServerLimits limits;
    limits.maxClients = options->maxClients;
    kelvar::net::ReaderServer server(std::move(service), LogLine, limits);
    running = &server;
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    if (!server.Listen(options->address, options->port, error)) {
        LogLine("error: cannot listen: " + error);
        return 1;
    }
    const std::string where = std::to_string(options->address[0]) + "." + std::to_string(options->address[1]) +
                              "." + std::to_string(options->address[2]) + "." +
                              std::to_string(options->address[3]) + ":" + std::to_string(server.Port());
    if (!kelvar::net::IsLoopback(options->address)) {
        LogLine("warning: listening on " + where + ", not on loopback: card keys and passwords cross the network "
                "in clear; an SSH tunnel to a server on 127.0.0.1 keeps them private");
    }
    if (!options->portFile.empty()) {
        std::ofstream(options->portFile) << server.Port() << "\n";
    }
    LogLine("serving " + served + " on " + where + (options->secretFile.empty() ? "" : ", secret required") +
            (options->exclusive ? ", one client at a time" : ""));

    server.Run();
    running = nullptr;
    // Images are written through at every change; closing powers the cards down.
    if (kelvar::api::reader) kelvar::api::reader->Close();
    kelvar::api::reader.reset();
    kelvar::pcsc::ServeFrom(nullptr);
    LogLine("stopped");
    return 0;
}

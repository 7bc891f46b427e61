// What an end-to-end test starts the program in: a fresh folder holding the
// reader library's configuration and its card images, named to the library
// through KELVAR_CONFIG (inherited by the program), and the program's stored
// settings, put back as they were when the test ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "vantrel/shell/program_settings.h"

class E2eEnvironment {
public:
    // `field`: the cards in the reader's field, as the configuration names
    // them ("mifare1k, ultralight"); nothing gives the library's default field.
    // Without `followCardType` the program leaves the field as it is.
    explicit E2eEnvironment(std::optional<std::string> field, bool followCardType = true);
    ~E2eEnvironment();
    E2eEnvironment(const E2eEnvironment&) = delete;
    E2eEnvironment& operator=(const E2eEnvironment&) = delete;

    bool Ready() const { return ready_; }
    const std::filesystem::path& ImageFolder() const { return images_; }
    std::filesystem::path ConfigFile() const { return folder_ / L"Kelvar.ini"; }

private:
    std::filesystem::path folder_;
    std::filesystem::path images_;
    std::optional<std::wstring> previousConfig_;
    ProgramSettings previousSettings_;
    bool ready_ = false;
};

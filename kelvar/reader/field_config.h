// Configuration of the virtual reader: where card images are kept and which
// cards lie in the field. Text format, one setting per line:
//
//   # comment (a '#' at the start of a line or after a blank)
//   images = KelvarCards        relative folders are taken from the DLL's folder
//   field  = mifare1k, ultralight
//   contact = at24c16           the card in the contact slot
//   follow = no                 whether the program places the cards of the
//                               card type it shows (yes by default)
//   secret_file = reader.key    the secret a reader server asks for (relative
//                               names are taken from the DLL's folder)
//   backend = pcsc              what a reader server serves: virtual or pcsc
//   pcsc_reader = ACR           the PC/SC reader a server uses (part of its name)
//   pcsc_sam = SAM              the PC/SC reader that plays the SAM slot
//
// The file is UTF-8, read up to its first 64 KiB. Keys and card names ignore
// ASCII case; unknown keys, unknown card names, lines without '=' and lines
// that are not UTF-8 are skipped, each with a note saying why. `field =` with
// nothing after it leaves the field empty; without a `field` line every kind
// is present. `contact =` names the contact
// slot's cards in the same way; without a `contact` line it holds every
// contact card. These lines say which cards the reader holds; which of them
// lie in the field or slot is the reader's placing (virtual_reader.h).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kelvar/reader/card_kind.h"

namespace kelvar {

inline constexpr std::string_view kDefaultImageFolder = "KelvarCards";
inline constexpr size_t kFieldConfigLimit = 64 * 1024;

struct FieldConfig {
    std::filesystem::path imageFolder;
    std::vector<CardKind> field;    // each kind at most once, in the order named
    std::vector<CardKind> contact{ContactCardKinds().begin(), ContactCardKinds().end()};  // the same for the slot
    bool followCardType = true;
    std::filesystem::path file = {};        // where the configuration was read; empty for none
    std::filesystem::path secretFile = {};  // empty: reader servers are asked without a secret
    std::string backend = {};               // a reader server's backend; empty: virtual
    std::string pcscReader = {};            // empty: the first PC/SC reader
    std::optional<std::string> pcscSam = {};  // none: no SAM slot on PC/SC
    std::vector<std::string> notes = {};  // what was skipped and why, for the store's log

    bool Holds(CardKind kind) const;
};

// The configuration used when there is no file: images in KelvarCards beside
// the DLL, every kind in the field and the slot.
FieldConfig DefaultFieldConfig(const std::filesystem::path& dllFolder);

FieldConfig ParseFieldConfig(std::string_view text, const std::filesystem::path& dllFolder);

// Reads and parses `file`; a missing or unreadable file, or any failure
// while reading it, gives the defaults.
FieldConfig LoadFieldConfig(const std::filesystem::path& file, const std::filesystem::path& dllFolder);

// `text` with its `follow` line saying `on`: the last such line is replaced,
// or one is added at the end; every other line stays as it was.
std::string WithFollowSetting(std::string_view text, bool on);

// Writes the follow setting into `file`, which is created when missing.
// False, with the file unchanged, when it cannot be read whole (a file past
// the size limit is never cut) or cannot be replaced.
bool SaveFollowSetting(const std::filesystem::path& file, bool on);

}  // namespace kelvar

#include "vantrel/journal/secret_bytes.h"

#include <algorithm>

#include "common/at88sc_cipher.h"
#include "common/mifare_layout.h"
#include "kelvar/kelvar_functions.h"

namespace journal {

namespace {

using kelvar::OrdinalOf;

constexpr SecretRule kRules[] = {
    {OrdinalOf("des_encipher"), 3, SecretWhen::Always},
    {OrdinalOf("des_decipher"), 3, SecretWhen::Always},
    {OrdinalOf("rf_M1_authentication2"), 3, SecretWhen::Always},
    {OrdinalOf("rf_M1_read"), 2, SecretWhen::MifareTrailer, 1},
    {OrdinalOf("rf_M1_write"), 2, SecretWhen::MifareTrailer, 1},
    {OrdinalOf("rf_at020_check"), 1, SecretWhen::Always},
    {OrdinalOf("rf_at020_count"), 1, SecretWhen::Always},
    {OrdinalOf("rf_ul_write"), 2, SecretWhen::UltraLightKeyPage, 1},
    {OrdinalOf("AT1608_VerifyPassword"), 2, SecretWhen::Always},
    {OrdinalOf("AT1608_Read"), 4, SecretWhen::At1608Secrets, 1, 3},
    {OrdinalOf("AT1608_Write"), 3, SecretWhen::At1608Secrets, 1, 2},
    {OrdinalOf("rf_Shc1102_Auth"), 1, SecretWhen::Always},
    {OrdinalOf("rf_thr1064_check"), 1, SecretWhen::Always},
    {OrdinalOf("rf_UC_authentication"), 1, SecretWhen::Always},
    {OrdinalOf("rf_UC_changekey"), 1, SecretWhen::Always},
    {OrdinalOf("rf_sam_cos"), 1, SecretWhen::ReferenceData},
    {OrdinalOf("rf_cos_command"), 1, SecretWhen::ReferenceData},
    {OrdinalOf("smartcard_cos"), 1, SecretWhen::ReferenceData},
};

// Key A and key B of a trailer; the access bits between them are not secret.
constexpr size_t kKeySize = 6;
constexpr size_t kKeyBOffset = 10;
constexpr int kUltraLightFirstKeyPage = 44;
constexpr int kUltraLightLastKeyPage = 47;
// VERIFY, CHANGE REFERENCE DATA, RESET RETRY COUNTER carry PINs in their data.
constexpr uint8_t kReferenceDataInstructions[] = {0x20, 0x24, 0x2C};
constexpr size_t kApduHeader = 5;  // CLA INS P1 P2 Lc

int64_t ValueAt(std::span<const int64_t> values, int position) {
    return position >= 0 && static_cast<size_t>(position) < values.size() ? values[position] : -1;
}

void Mark(std::vector<bool>& secret, size_t first, size_t count) {
    for (size_t i = first; i < first + count && i < secret.size(); ++i) secret[i] = true;
}

void MarkWhen(const SecretRule& rule, std::span<const int64_t> values, std::span<const uint8_t> bytes,
              std::vector<bool>& secret) {
    const int64_t address = ValueAt(values, rule.address);
    switch (rule.when) {
        case SecretWhen::Always:
            Mark(secret, 0, bytes.size());
            break;
        case SecretWhen::MifareTrailer:
            if (address >= 0 && address <= 0xFF && mifare::IsTrailer(static_cast<int>(address))) {
                Mark(secret, 0, kKeySize);
                Mark(secret, kKeyBOffset, kKeySize);
            }
            break;
        case SecretWhen::UltraLightKeyPage:
            if (address >= kUltraLightFirstKeyPage && address <= kUltraLightLastKeyPage) Mark(secret, 0, bytes.size());
            break;
        case SecretWhen::At1608Secrets:
            if (ValueAt(values, rule.zone) != at88sc::kConfigZone || address < 0) break;
            for (size_t i = 0; i < bytes.size(); ++i) {
                const int64_t at = address + static_cast<int64_t>(i);
                if ((at >= at88sc::kSeedAddress && at < at88sc::kSeedEnd) ||
                    (at >= at88sc::kPasswordSetsAddress && at < at88sc::kPasswordSetsEnd)) {
                    secret[i] = true;
                }
            }
            break;
        case SecretWhen::ReferenceData:
            if (bytes.size() > kApduHeader && std::ranges::count(kReferenceDataInstructions, bytes[1]) > 0) {
                Mark(secret, kApduHeader, bytes[kApduHeader - 1]);
            }
            break;
    }
}

}  // namespace

std::span<const SecretRule> SecretRules() { return kRules; }

std::vector<bool> SecretBytes(int ordinal, int position, std::span<const int64_t> values,
                              std::span<const uint8_t> bytes) {
    std::vector<bool> secret;
    for (const SecretRule& rule : kRules) {
        if (rule.ordinal != ordinal || rule.position != position) continue;
        secret.resize(bytes.size(), false);
        MarkWhen(rule, values, bytes, secret);
    }
    if (std::ranges::find(secret, true) == secret.end()) secret.clear();
    return secret;
}

}  // namespace journal

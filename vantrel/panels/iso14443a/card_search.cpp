#include "vantrel/panels/iso14443a/card_search.h"

#include <utility>

#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr int32_t kDevice = 0;
constexpr uint8_t kAntennaOff = 0;
constexpr uint8_t kAntennaOn = 1;
constexpr uint8_t kTypeA = 'A';
constexpr uint8_t kAnticollisionBits = 4;
// Answers arrive in buffers of this size.
constexpr std::size_t kAnswerBufferSize = 1024;

// Antenna off, type A, antenna on, each followed by its settling wait.
bool ResetField(Command& command) {
    ReaderLibrary& reader = command.Context().reader;
    if (!command.Call(reader.rf_antenna_sta, kDevice, kAntennaOff)) return false;
    command.Wait(20);
    if (!command.Call(reader.rf_init_type, kDevice, kTypeA)) return false;
    command.Wait(20);
    if (!command.Call(reader.rf_antenna_sta, kDevice, kAntennaOn)) return false;
    command.Wait(50);
    return true;
}

}  // namespace

std::optional<Bytes> SelectTypeACard(Command& command, uint8_t mode) {
    ReaderLibrary& reader = command.Context().reader;
    uint16_t answerToRequest = 0;
    if (!command.Call(reader.rf_request, kDevice, mode, &answerToRequest)) return std::nullopt;

    uint8_t uid[kAnswerBufferSize] = {};
    uint8_t uidLength = 0;
    if (!command.Call(reader.rf_anticoll, kDevice, kAnticollisionBits, uid, &uidLength)) {
        return std::nullopt;
    }
    if (!IsTypeAUidLength(uidLength)) {
        // The call itself succeeded, so its status would read as success.
        command.Failed(UiText(kMainMessages, kTextUidLengthError));
        return std::nullopt;
    }
    uint8_t selectAnswer = 0;
    if (!command.Call(reader.rf_select, kDevice, uid, uidLength, &selectAnswer)) return std::nullopt;
    return Bytes(uid, uid + uidLength);
}

CardSearchResult SearchTypeACard(PanelContext& context, HWND owner, int attempts) {
    Command command(context, owner);
    if (!command.RequireConnection()) return {SearchOutcome::NotConnected, {}};
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!ResetField(command)) continue;
        if (auto uid = SelectTypeACard(command, kRequestAll)) {
            command.Done(UiText(kMainMessages, kTextFindCardOk));
            return {SearchOutcome::Selected, std::move(*uid)};
        }
    }
    return {SearchOutcome::NoCard, {}};
}

std::optional<Bytes> RequestIdleCard(PanelContext& context, HWND owner) {
    Command command(context, owner);
    if (!command.RequireConnection()) return std::nullopt;
    auto uid = SelectTypeACard(command, kRequestIdle);
    if (uid) command.Done(UiText(kMainMessages, kTextSuccess));
    return uid;
}

bool HaltCard(PanelContext& context, HWND owner) {
    Command command(context, owner);
    if (!command.RequireConnection()) return false;
    if (!command.Call(context.reader.rf_halt, kDevice)) return false;
    command.Done(UiText(kMainMessages, kTextSuccess));
    return true;
}

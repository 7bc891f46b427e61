#include "vantrel/panels/iso14443a/type_a_activation.h"

#include "vantrel/toolkit/ui_text.h"

namespace {

constexpr uint8_t kAnticollisionBits = 4;
// Answers arrive in buffers of this size.
constexpr std::size_t kAnswerBufferSize = 1024;

std::optional<Bytes> SelectByCascade(Command& command, bool checksUidLength) {
    ReaderLibrary& reader = command.Context().reader;
    uint8_t uid[kAnswerBufferSize] = {};
    uint8_t uidLength = 0;
    if (!command.Call(reader.rf_anticoll, kDevice, kAnticollisionBits, uid, &uidLength)) {
        return std::nullopt;
    }
    if (checksUidLength && !IsTypeAUidLength(uidLength)) {
        // The call itself succeeded, so its status would read as success.
        command.Failed(UiText(kMainMessages, kTextUidLengthError));
        return std::nullopt;
    }
    uint8_t selectAnswer = 0;
    if (!command.Call(reader.rf_select, kDevice, uid, uidLength, &selectAnswer)) return std::nullopt;
    return Bytes(uid, uid + uidLength);
}

std::optional<Bytes> SelectUltraLight(Command& command) {
    uint8_t uid[kAnswerBufferSize] = {};
    uint8_t uidLength = 0;
    if (!command.Call(command.Context().reader.rf_ul_select, kDevice, uid, &uidLength)) {
        return std::nullopt;
    }
    return Bytes(uid, uid + uidLength);
}

}  // namespace

std::optional<Bytes> SelectTypeACard(Command& command, const TypeAProfile& profile, uint8_t mode) {
    uint16_t answerToRequest = 0;
    if (!command.Call(command.Context().reader.rf_request, kDevice, mode, &answerToRequest)) {
        return std::nullopt;
    }
    switch (profile.selection) {
    case TypeASelection::Cascade:
        return SelectByCascade(command, profile.checksUidLength);
    case TypeASelection::UltraLight:
        return SelectUltraLight(command);
    }
    return std::nullopt;
}

std::optional<Bytes> SearchTypeACard(Command& command, const TypeAProfile& profile, int attempts) {
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!ResetField(command, profile)) continue;
        if (auto uid = SelectTypeACard(command, profile, kRequestAll)) return uid;
    }
    return std::nullopt;
}

bool HaltTypeACard(Command& command) {
    return command.Call(command.Context().reader.rf_halt, kDevice);
}

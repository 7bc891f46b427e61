#include "vantrel/toolkit/byte_text_edit.h"

#include "vantrel/toolkit/hex_text.h"

void ByteTextEdit::SetBytes(const uint8_t* bytes, size_t count) {
    if (bytes == nullptr) return;
    SetText(BytesToHex(bytes, count));
}

void ByteTextEdit::SetDword(uint32_t value) {
    const auto bytes = DwordToBytes(value);
    SetBytes(bytes.data(), bytes.size());
}

void ByteTextEdit::Clear() {
    SetTextIfChanged(L"");
}

Bytes ByteTextEdit::GetBytes() const { return HexToBytes(Text()); }

size_t ByteTextEdit::ByteCount() const {
    return ByteCountOfText(static_cast<size_t>(GetWindowTextLengthW(hwnd_)));
}

void ByteTextEdit::SetByteLimit(size_t bytes) {
    Send(EM_SETLIMITTEXT, CharLimitOfByteLimit(bytes));
}

size_t ByteTextEdit::ByteLimit() const {
    return ByteLimitOfCharLimit(static_cast<size_t>(Send(EM_GETLIMITTEXT)));
}

void ByteTextEdit::SetReadOnly() {
    state_.locked = true;
    readOnly_ = true;
    Send(EM_SETREADONLY, TRUE);
}

bool ByteTextEdit::Apply(KeyDecision decision, UINT message, LPARAM lParam, LRESULT& result) {
    switch (decision.action) {
    case KeyAction::Default:
        return false;
    case KeyAction::Swallow:
        result = 0;
        return true;
    case KeyAction::PostLowerCase:
        Post(message, decision.lowerCase, lParam);
        result = 0;
        return true;
    }
    return false;
}

bool ByteTextEdit::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_KEYDOWN:
        return Apply(ByteEditKeyDown(static_cast<unsigned>(wParam), state_), message, lParam,
                     result);
    case WM_KEYUP:
        ByteEditKeyUp(static_cast<unsigned>(wParam), state_);
        return false;
    case WM_CHAR:
        return Apply(ByteEditChar(static_cast<wchar_t>(wParam), state_), message, lParam, result);
    case WM_KILLFOCUS:
        ByteEditFocusLost(state_);
        return false;
    default:
        return false;
    }
}

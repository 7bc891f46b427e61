#include "vantrel/toolkit/key_filter.h"

#include <cassert>
#include <climits>

namespace {

constexpr KeyDecision kDefault{KeyAction::Default};
constexpr KeyDecision kSwallow{KeyAction::Swallow};

bool InRange(unsigned value, unsigned first, unsigned last) {
    return value >= first && value <= last;
}

// With Ctrl held these change the text: paste, cut, undo, the backspaces, and
// any printable character (AltGr combinations arrive with Ctrl held).
bool ChangesLockedText(wchar_t c) {
    return c >= 0x20 || c == kCharBackspace || c == kCharPaste || c == kCharCut ||
           c == kCharUndo;
}

}  // namespace

KeyDecision ByteEditKeyDown(unsigned key, ByteEditKeyState& state) {
    if (key == vk::kLeft || key == vk::kRight) return kDefault;
    if (key == vk::kControl) {
        state.ctrlHeld = true;
        return kDefault;
    }
    if (state.ctrlHeld) {
        // Ctrl+Delete deletes a word, so it is refused along with paste.
        if (state.locked && (key == vk::kV || key == vk::kDelete)) return kSwallow;
        return kDefault;
    }
    if (state.locked) return kSwallow;
    const bool allowed = InRange(key, vk::kA, vk::kF) || InRange(key, vk::k0, vk::k9) ||
                         InRange(key, vk::kNumpad1, vk::kNumpad6) || key == vk::kDelete;
    return allowed ? kDefault : kSwallow;
}

KeyDecision ByteEditKeyUp(unsigned key, ByteEditKeyState& state) {
    if (key == vk::kControl) state.ctrlHeld = false;
    return kDefault;
}

KeyDecision ByteEditChar(wchar_t c, const ByteEditKeyState& state) {
    if (state.ctrlHeld) {
        // Copy and select-all go through; nothing that edits a locked field does.
        if (state.locked && ChangesLockedText(c)) return kSwallow;
        return kDefault;
    }
    if (state.locked) return kSwallow;
    if (c >= L'A' && c <= L'F') return KeyDecision{KeyAction::PostLowerCase,
                                                   static_cast<wchar_t>(c - L'A' + L'a')};
    if ((c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || c == kCharBackspace)
        return kDefault;
    return kSwallow;
}

bool NumberEditSwallows(unsigned code) {
    return InRange(code, 65, 90) || InRange(code, 97, 122);
}

int ParseNumber(std::wstring_view text) {
    if (text.empty()) return -1;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::wstring BreakTipLines(std::wstring_view text, std::size_t lineLength) {
    assert(lineLength > 0);
    if (lineLength == 0) return std::wstring(text);
    std::wstring lines;
    lines.reserve(text.size() + 2 * (text.size() / lineLength));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i > 0 && i % lineLength == 0) lines += L"\r\n";
        lines.push_back(text[i]);
    }
    return lines;
}

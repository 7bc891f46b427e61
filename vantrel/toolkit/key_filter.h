// Keyboard decisions of the byte-text and number edits, and the list tip's
// line breaking. Pure: the controls act on the answers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Virtual-key codes the filters look at.
namespace vk {
inline constexpr unsigned kControl = 0x11;
inline constexpr unsigned kLeft = 0x25;
inline constexpr unsigned kRight = 0x27;
inline constexpr unsigned kDelete = 0x2E;
inline constexpr unsigned k0 = 0x30;
inline constexpr unsigned k9 = 0x39;
inline constexpr unsigned kA = 0x41;
inline constexpr unsigned kF = 0x46;
inline constexpr unsigned kV = 0x56;
inline constexpr unsigned kNumpad1 = 0x61;
inline constexpr unsigned kNumpad6 = 0x66;
}  // namespace vk

// Characters of the edit's Ctrl combinations that change the text.
inline constexpr wchar_t kCharBackspace = 0x08;
inline constexpr wchar_t kCharPaste = 0x16;      // Ctrl+V
inline constexpr wchar_t kCharCut = 0x18;        // Ctrl+X
inline constexpr wchar_t kCharUndo = 0x1A;       // Ctrl+Z
inline constexpr wchar_t kCharDeleteWord = 0x7F; // Ctrl+Backspace

struct ByteEditKeyState {
    bool ctrlHeld = false;
    bool locked = false;
};

enum class KeyAction {
    Default,        // let the edit handle the message
    Swallow,        // drop the message
    PostLowerCase,  // drop it and post the character `lowerCase` instead
};

struct KeyDecision {
    KeyAction action;
    wchar_t lowerCase = 0;
    friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};

// Key-down of `key`; pressing Ctrl sets state.ctrlHeld.
KeyDecision ByteEditKeyDown(unsigned key, ByteEditKeyState& state);

// Key-up of `key`; releasing Ctrl clears state.ctrlHeld. Always Default.
KeyDecision ByteEditKeyUp(unsigned key, ByteEditKeyState& state);

// Character message: lets in 0-9, a-f and Backspace; A-F come back lower-case.
KeyDecision ByteEditChar(wchar_t c, const ByteEditKeyState& state);

// The key-up of Ctrl goes elsewhere once the edit has lost the focus.
inline void ByteEditFocusLost(ByteEditKeyState& state) { state.ctrlHeld = false; }

// Number edit: key-down and character codes 65-90 and 97-122 are dropped.
bool NumberEditSwallows(unsigned code);

// Decimal value of a number edit's text: -1 when empty; otherwise leading
// blanks, an optional sign and the digits up to the first other character
// (no digits give 0; values beyond int saturate).
int ParseNumber(std::wstring_view text);

// Inserts CR LF after every `lineLength` characters, not after the last one.
std::wstring BreakTipLines(std::wstring_view text, std::size_t lineLength = 60);

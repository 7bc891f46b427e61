// A tooltip whose text follows the pointer over one window: the window hands
// on its mouse messages with the hint for the place under the pointer (empty:
// none there). The tooltip is made when the first hint is to be shown.
#pragma once

#include <windows.h>

#include <string>

class HoverHint {
public:
    HoverHint() = default;
    HoverHint(const HoverHint&) = delete;
    HoverHint& operator=(const HoverHint&) = delete;
    ~HoverHint();

    // Relays a mouse message of `owner`, whose hint where it happened is `text`.
    void Relay(HWND owner, UINT message, WPARAM wParam, LPARAM lParam, const std::wstring& text);
    // No tip until the pointer moves again (the owner's content changed).
    void Clear();

    const std::wstring& Text() const { return text_; }
    HWND Tooltip() const { return tip_; }

private:
    bool Create(HWND owner);
    void SetText(const std::wstring& text);

    HWND owner_ = nullptr;
    HWND tip_ = nullptr;
    std::wstring text_;
};

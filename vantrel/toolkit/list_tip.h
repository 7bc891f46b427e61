// A pop-up that shows an answer list item's whole text, in lines of 60
// characters, over the item. It holds the mouse capture while shown and hides
// on the next key press, button press or mouse move off it.
#pragma once

#include <windows.h>

#include <string>

#include "vantrel/framework/window_base.h"

class ListTip : public WindowBase {
public:
    static constexpr const wchar_t* kClassName = L"QaltListTip";
    static constexpr size_t kLineLength = 60;

    ListTip() = default;
    ~ListTip() override;

    // Creates the hidden tip for `ownerList`.
    bool Create(HWND ownerList);
    // Shows `text` at `itemRect` (the owner list's client coordinates).
    void Show(const RECT& itemRect, const std::wstring& text);
    void Hide();
    bool IsShown() const { return shown_; }
    // The text as shown, with its line breaks.
    const std::wstring& ShownText() const { return lines_; }

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HFONT ListFont() const;
    void Paint();
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnButtonDown(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a mouse message on to the window under `screenPoint`.
    static void Forward(UINT clientMessage, UINT nonClientMessage, WPARAM wParam,
                        POINT screenPoint);
    void WatchMessages(bool watch);
    static LRESULT CALLBACK MessageHook(int code, WPARAM wParam, LPARAM lParam);
    void OnQueuedMessage(MSG& msg);

    HWND owner_ = nullptr;
    RECT screenRect_{};  // the tip on screen
    RECT mouseRect_{};   // the mouse may move here without hiding the tip
    std::wstring lines_;
    bool shown_ = false;
    HHOOK hook_ = nullptr;
};

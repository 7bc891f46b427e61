#include "vantrel/toolkit/hover_hint.h"

#include <commctrl.h>

namespace {

constexpr int kTipWidth = 420;  // longer hints wrap

TOOLINFOW ToolOf(HWND owner) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(owner);
    return tool;
}

}  // namespace

HoverHint::~HoverHint() {
    if (tip_ != nullptr) DestroyWindow(tip_);
}

bool HoverHint::Create(HWND owner) {
    if (tip_ != nullptr) return true;
    tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0, 0,
                           0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tip_ == nullptr) return false;
    owner_ = owner;
    TOOLINFOW tool = ToolOf(owner);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kTipWidth);
    return true;
}

void HoverHint::SetText(const std::wstring& text) {
    if (text == text_) return;
    text_ = text;
    if (tip_ == nullptr) return;
    // A shown tip goes; the new text shows after the pointer rests again.
    SendMessageW(tip_, TTM_POP, 0, 0);
    TOOLINFOW tool = ToolOf(owner_);
    tool.lpszText = const_cast<wchar_t*>(text_.c_str());
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip_, TTM_ACTIVATE, !text_.empty(), 0);
}

void HoverHint::Clear() { SetText(L""); }

void HoverHint::Relay(HWND owner, UINT message, WPARAM wParam, LPARAM lParam, const std::wstring& text) {
    if (tip_ == nullptr && (text.empty() || !Create(owner))) return;
    SetText(text);
    MSG msg{owner, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    GetCursorPos(&msg.pt);
    SendMessageW(tip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

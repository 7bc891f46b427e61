// Static message maps: a table per class leads a message, a command from a
// control, or a notification from a control to one member handler.
//
//   std::span<const MessageEntry<CMyPanel>> CMyPanel::Messages() {
//       static const MessageEntry<CMyPanel> map[] = {
//           OnCommand(IDC_MY_READ, &CMyPanel::OnRead),
//           OnMessage(WM_PAINT, &CMyPanel::OnPaint),
//       };
//       return map;
//   }
#pragma once

#include <windows.h>

#include <span>

template <typename T>
struct MessageEntry {
    enum class Kind { Message, Command, CommandWithArgument, CommandRange, Notify };

    Kind kind;
    UINT message;  // Message: the message; Command and Notify: unused
    UINT id;       // control id of a command or notification; first id of a range
    UINT code;     // notification code (BN_CLICKED for buttons); last id of a range
    LRESULT (T::*onMessage)(WPARAM, LPARAM);
    void (T::*onCommand)();
    LRESULT (T::*onNotify)(NMHDR*);
    bool (T::*onCommandRange)(UINT id);  // false: not handled after all
    void (T::*onCommandWithArgument)(int);
    int argument;  // passed to onCommandWithArgument
};

template <typename T>
constexpr MessageEntry<T> OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {MessageEntry<T>::Kind::Message, message, 0, 0, handler, nullptr, nullptr, nullptr,
            nullptr, 0};
}

template <typename T>
constexpr MessageEntry<T> OnCommand(UINT id, void (T::*handler)(), UINT code = BN_CLICKED) {
    return {MessageEntry<T>::Kind::Command, WM_COMMAND, id, code, nullptr, handler, nullptr, nullptr,
            nullptr, 0};
}

// One handler for several controls alike: `argument` tells them apart, as in
// OnCommand(IDC_MF_READ3, &P::ReadSector, 2).
template <typename T>
constexpr MessageEntry<T> OnCommand(UINT id, void (T::*handler)(int), int argument,
                                    UINT code = BN_CLICKED) {
    return {MessageEntry<T>::Kind::CommandWithArgument, WM_COMMAND, id, code, nullptr, nullptr,
            nullptr, nullptr, handler, argument};
}

// Menu or accelerator commands first..last, the id passed to the handler.
template <typename T>
constexpr MessageEntry<T> OnCommandRange(UINT first, UINT last, bool (T::*handler)(UINT)) {
    return {MessageEntry<T>::Kind::CommandRange, WM_COMMAND, first, last, nullptr, nullptr, nullptr,
            handler, nullptr, 0};
}

template <typename T>
constexpr MessageEntry<T> OnNotify(UINT id, UINT code, LRESULT (T::*handler)(NMHDR*)) {
    return {MessageEntry<T>::Kind::Notify, WM_NOTIFY, id, code, nullptr, nullptr, handler, nullptr,
            nullptr, 0};
}

// Runs the handler that `map` gives for the message, if any.
template <typename T>
bool DispatchMessageMap(std::span<const MessageEntry<T>> map, T* self, UINT message,
                        WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Kind = typename MessageEntry<T>::Kind;
    for (const MessageEntry<T>& e : map) {
        switch (e.kind) {
        case Kind::Message:
            if (e.message == message) {
                result = (self->*e.onMessage)(wParam, lParam);
                return true;
            }
            break;
        case Kind::Command:
            if (message == WM_COMMAND && LOWORD(wParam) == e.id && HIWORD(wParam) == e.code) {
                (self->*e.onCommand)();
                result = 0;
                return true;
            }
            break;
        case Kind::CommandWithArgument:
            if (message == WM_COMMAND && LOWORD(wParam) == e.id && HIWORD(wParam) == e.code) {
                (self->*e.onCommandWithArgument)(e.argument);
                result = 0;
                return true;
            }
            break;
        case Kind::CommandRange:
            if (message == WM_COMMAND && lParam == 0 && LOWORD(wParam) >= e.id &&
                LOWORD(wParam) <= e.code && (self->*e.onCommandRange)(LOWORD(wParam))) {
                result = 0;
                return true;
            }
            break;
        case Kind::Notify:
            if (message == WM_NOTIFY) {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header->idFrom == e.id && header->code == e.code) {
                    result = (self->*e.onNotify)(header);
                    return true;
                }
            }
            break;
        }
    }
    return false;
}

// Mixes a class's own map in front of its base's handling:
//   class CMyPanel : public WithMessageMap<CMyPanel, CardPanelBase> { ... };
// CMyPanel declares `static std::span<const MessageEntry<CMyPanel>> Messages();`.
template <typename Derived, typename Base>
class WithMessageMap : public Base {
public:
    using Base::Base;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (DispatchMessageMap<Derived>(Derived::Messages(), static_cast<Derived*>(this), message,
                                        wParam, lParam, result)) {
            return true;
        }
        return Base::HandleMessage(message, wParam, lParam, result);
    }
};

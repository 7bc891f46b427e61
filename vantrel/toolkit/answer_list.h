// The list box that shows answers and commands: it keeps its own copy of each
// item's text, draws the items itself (a long text is cut with " ... ", the
// selection on dark blue, the focus in a red frame) and can show an item's
// whole text in a pop-up tip when it is clicked.
//
// The list box must be owner-drawn with fixed item heights (LBS_OWNERDRAWFIXED).
// Its parent is subclassed as well (once, however many lists it holds), so the
// list draws itself whatever window holds it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vantrel/framework/subclass.h"
#include "vantrel/toolkit/hover_hint.h"
#include "vantrel/toolkit/list_tip.h"

inline constexpr COLORREF kSelectedItemFill = RGB(54, 82, 143);
inline constexpr COLORREF kFocusFrameColour = RGB(255, 0, 0);
// Sent to the list's parent when an item is double-clicked: wParam 0, lParam
// the item's text (the list's own copy, which the parent may change).
inline constexpr UINT kAnswerItemPicked = 0x464;

class AnswerList : public SubclassedControl {
public:
    AnswerList() = default;
    ~AnswerList() override;

    // Binds to the list box and starts drawing its items.
    bool SubclassWindow(HWND list) override;

    // A click then shows the clicked item's whole text in a tip.
    bool EnableTip();
    bool TipEnabled() const { return tipEnabled_; }
    const ListTip& Tip() const { return tip_; }
    ListTip& Tip() { return tip_; }

    void SetItemHeight(int pixels) { Send(LB_SETITEMHEIGHT, 0, pixels); }

    // Adds `text` as the last item and makes it the only selected one;
    // returns its index, or -1 when the list box refused it.
    int Append(const std::wstring& text);
    // The same, with a tip shown where the pointer rests on the item.
    int Append(const std::wstring& text, const std::wstring& hint);
    const HoverHint& Hint() const { return hint_; }
    void Clear();
    int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
    // The text kept for item `index`; empty for an item without one.
    std::wstring ItemText(int index) const;
    // The item under `point` (client coordinates), -1 where there is none.
    int ItemAt(POINT point) const;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    // The text behind an item's data, null for an item without one. The
    // string is the list's own copy: its buffer may be handed to a parent.
    std::wstring* TextOf(int index);
    const std::wstring* TextOf(int index) const;

private:
    friend class AnswerListHolder;

    void DetachParent();
    bool IsMultiSelect() const;
    void ClearSelection();
    void ShowTipForSelection();

    HWND parent_ = nullptr;
    std::vector<std::unique_ptr<std::wstring>> texts_;
    ListTip tip_;
    bool tipEnabled_ = false;
    std::map<const std::wstring*, std::wstring> hints_;  // by the item's text
    HoverHint hint_;
};

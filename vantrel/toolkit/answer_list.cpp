#include "vantrel/toolkit/answer_list.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "vantrel/framework/exception_barrier.h"
#include "vantrel/framework/gdi.h"
#include "vantrel/toolkit/answer_list_layout.h"
#include "vantrel/toolkit/card_panel_base.h"

// The window that holds answer lists: it hands their WM_DRAWITEM to them. Its
// procedure is replaced once, however many lists it holds, and the link is
// kept in the process (comctl32's subclassing looks a window property up on
// every message the holder gets, a server round trip each under Wine).
class AnswerListHolder : public SubclassedControl {
public:
    // The holder of `window`, made on first use; null when the window cannot
    // be subclassed.
    static AnswerListHolder* For(HWND window);
    // Forgets `list`; the window gets its procedure back with its last list.
    static void Remove(HWND window, const AnswerList* list);

    std::vector<AnswerList*> lists;

protected:
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static std::unordered_map<HWND, std::unique_ptr<AnswerListHolder>>& Holders();
};

std::unordered_map<HWND, std::unique_ptr<AnswerListHolder>>& AnswerListHolder::Holders() {
    static std::unordered_map<HWND, std::unique_ptr<AnswerListHolder>> holders;
    return holders;
}

AnswerListHolder* AnswerListHolder::For(HWND window) {
    auto& holders = Holders();
    // Holders whose window went while lists were still bound to it.
    std::erase_if(holders, [](const auto& entry) { return entry.second->Handle() == nullptr; });
    if (const auto found = holders.find(window); found != holders.end()) return found->second.get();
    auto holder = std::make_unique<AnswerListHolder>();
    if (!holder->SubclassWindow(window)) return nullptr;
    return holders.emplace(window, std::move(holder)).first->second.get();
}

void AnswerListHolder::Remove(HWND window, const AnswerList* list) {
    auto& holders = Holders();
    const auto found = holders.find(window);
    if (found == holders.end()) return;
    std::erase(found->second->lists, list);
    if (found->second->lists.empty()) holders.erase(found);
}

bool AnswerListHolder::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_NCDESTROY) {
        for (AnswerList* list : lists) list->parent_ = nullptr;
        lists.clear();
        return false;
    }
    if (message != WM_DRAWITEM) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item == nullptr || item->CtlType != ODT_LISTBOX) return false;
    for (AnswerList* list : lists) {
        if (list->Handle() != item->hwndItem) continue;
        // An item that fails to draw stays undrawn.
        ExceptionBarrier(L"answer list drawing", [&] { list->DrawItem(*item); });
        result = TRUE;
        return true;
    }
    return false;
}

AnswerList::~AnswerList() {
    DetachParent();
    Detach();  // before the texts that the items point at go
}

bool AnswerList::SubclassWindow(HWND list) {
    DetachParent();
    if (!SubclassedControl::SubclassWindow(list)) return false;
    if (AnswerListHolder* holder = AnswerListHolder::For(GetParent(list))) {
        holder->lists.push_back(this);
        parent_ = holder->Handle();
    }
    return true;
}

void AnswerList::DetachParent() {
    if (parent_ != nullptr) {
        AnswerListHolder::Remove(parent_, this);
        parent_ = nullptr;
    }
}

bool AnswerList::EnableTip() {
    // The tip's pop-up window is made by the first click that shows it: a
    // new top-level window costs Wine some sixty server round trips, which a
    // panel holding a list would otherwise pay on every switch.
    tipEnabled_ = IsValid();
    return tipEnabled_;
}

bool AnswerList::IsMultiSelect() const {
    return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

void AnswerList::ClearSelection() {
    if (IsMultiSelect()) {
        Send(LB_SETSEL, FALSE, -1);
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
    }
}

int AnswerList::Append(const std::wstring& text) {
    auto stored = std::make_unique<std::wstring>(text);
    const bool hasStrings = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & LBS_HASSTRINGS) != 0;
    const LPARAM added = hasStrings ? reinterpret_cast<LPARAM>(stored->c_str())
                                    : reinterpret_cast<LPARAM>(stored.get());
    const LRESULT index = Send(LB_INSERTSTRING, static_cast<WPARAM>(-1), added);
    if (index < 0) return -1;
    Send(LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(stored.get()));
    texts_.push_back(std::move(stored));
    ClearSelection();
    if (IsMultiSelect()) {
        Send(LB_SETSEL, TRUE, index);
    } else {
        Send(LB_SETCURSEL, static_cast<WPARAM>(index));
    }
    return static_cast<int>(index);
}

int AnswerList::Append(const std::wstring& text, const std::wstring& hint) {
    const int index = Append(text);
    if (index >= 0 && !hint.empty()) hints_[TextOf(index)] = hint;
    return index;
}

void AnswerList::Clear() {
    tip_.Hide();
    hint_.Clear();
    hints_.clear();
    Send(LB_RESETCONTENT);
    texts_.clear();
}

std::wstring* AnswerList::TextOf(int index) {
    if (index < 0 || index >= Count()) return nullptr;
    const LRESULT data = Send(LB_GETITEMDATA, static_cast<WPARAM>(index));
    if (data == 0 || data == LB_ERR) return nullptr;
    return reinterpret_cast<std::wstring*>(data);
}

const std::wstring* AnswerList::TextOf(int index) const {
    return const_cast<AnswerList*>(this)->TextOf(index);
}

std::wstring AnswerList::ItemText(int index) const {
    const std::wstring* text = TextOf(index);
    return text != nullptr ? *text : std::wstring();
}

int AnswerList::ItemAt(POINT point) const {
    const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) != 0) return -1;  // outside every item
    const int index = LOWORD(hit);
    return index < Count() ? index : -1;
}

void AnswerList::ShowTipForSelection() {
    const int index = IsMultiSelect() ? static_cast<int>(Send(LB_GETCARETINDEX))
                                      : static_cast<int>(Send(LB_GETCURSEL));
    if (index < 0 || Send(LB_GETSEL, static_cast<WPARAM>(index)) <= 0) return;
    const std::wstring* text = TextOf(index);
    RECT item{};
    if (text == nullptr || Send(LB_GETITEMRECT, static_cast<WPARAM>(index),
                                reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        return;
    }
    if (!tip_.Create(hwnd_)) return;
    tip_.Show(item, *text);
}

bool AnswerList::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_MOUSEMOVE: {
        if (hints_.empty()) return false;
        const auto found = hints_.find(TextOf(ItemAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))})));
        hint_.Relay(hwnd_, message, wParam, lParam, found != hints_.end() ? found->second : L"");
        return false;
    }
    case WM_LBUTTONDOWN:
        if (!tipEnabled_) return false;
        ClearSelection();
        result = DefaultProc(message, wParam, lParam);
        ShowTipForSelection();
        return true;
    case WM_LBUTTONDBLCLK: {
        std::wstring* text = TextOf(
            ItemAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}));
        if (text == nullptr) return false;
        SendMessageW(GetParent(hwnd_), kAnswerItemPicked, 0, reinterpret_cast<LPARAM>(text->data()));
        result = 0;
        return true;
    }
    case WM_NCDESTROY:
        tip_.Destroy();
        tipEnabled_ = false;
        DetachParent();
        return false;
    default:
        return false;
    }
}

void AnswerList::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    const std::wstring* text = TextOf(static_cast<int>(item.itemID));
    if (text == nullptr) return;

    HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    {
        ScopedBrush fill(CreateSolidBrush(selected ? kSelectedItemFill : GetBkColor(dc)));
        FillRect(dc, &area, fill);
    }
    std::optional<ScopedSelectObject> selectFont;
    if (HFONT font = Font(); font != nullptr) selectFont.emplace(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text->c_str(), static_cast<int>(text->size()), &size);
    const std::wstring shown = CutItemText(*text, size.cx, Width(area));
    {
        ScopedTextStyle style(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kProgramTextColour,
                              TRANSPARENT);
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &area,
                  DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((item.itemState & ODS_FOCUS) != 0) {
        ScopedBrush red(CreateSolidBrush(kFocusFrameColour));
        FrameRect(dc, &area, red);
    }
}

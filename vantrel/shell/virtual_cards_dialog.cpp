#include "vantrel/shell/virtual_cards_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "vantrel/resources/resource.h"
#include "vantrel/toolkit/hex_text.h"

namespace {

constexpr wchar_t kCaption[] = L"Virtual cards";
// Column widths in dialog units; the identity column takes the rest.
constexpr int kNameWidth = 96;
constexpr int kFieldWidth = 64;

const VirtualCardRow& RowOf(VirtualCard card) {
    const auto rows = VirtualCardRows();
    return *std::ranges::find(rows, card, &VirtualCardRow::card);
}

std::wstring StatusText(int32_t status) {
    wchar_t text[16];
    swprintf(text, std::size(text), L"%x", static_cast<unsigned>(status));
    return text;
}

}  // namespace

CVirtualCardsDialog::CVirtualCardsDialog(const VirtualField& field, PanelServices& services, int32_t cardType)
    : WithMessageMap(IDD_VIRTUAL_CARDS), field_(field), services_(services), cardType_(cardType) {}

std::span<const MessageEntry<CVirtualCardsDialog>> CVirtualCardsDialog::Messages() {
    static const MessageEntry<CVirtualCardsDialog> map[] = {
        OnCommand(IDC_VC_FOLLOW, &CVirtualCardsDialog::OnFollow),
        OnCommand(IDC_VC_FACTORY, &CVirtualCardsDialog::OnFactory),
        OnNotify(IDC_VC_LIST, LVN_ITEMCHANGED, &CVirtualCardsDialog::OnItemChanged),
    };
    return map;
}

BOOL CVirtualCardsDialog::OnInitDialog() {
    HWND list = Item(IDC_VC_LIST);
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    AddColumns();
    if (!Refresh()) {
        Complain(L"The reader did not list its cards.", 0);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    const auto follows = field_.FollowsCardType();
    CheckDlgButton(hwnd_, IDC_VC_FOLLOW, follows == true ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(Item(IDC_VC_FOLLOW), follows.has_value());
    EnableWindow(Item(IDC_VC_FACTORY), FALSE);
    return TRUE;
}

void CVirtualCardsDialog::AddColumns() {
    HWND list = Item(IDC_VC_LIST);
    RECT widths{0, 0, kNameWidth, kFieldWidth};
    MapDialogRect(hwnd_, &widths);
    RECT client{};
    GetClientRect(list, &client);
    const int identity = std::max<int>(client.right - widths.right - widths.bottom - GetSystemMetrics(SM_CXVSCROLL), 60);
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"Card", widths.right}, {L"Field", widths.bottom}, {L"UID / PUPI", identity}};
    for (int i = 0; i < static_cast<int>(std::size(columns)); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].title);
        column.cx = columns[i].width;
        ListView_InsertColumn(list, i, &column);
    }
}

bool CVirtualCardsDialog::Refresh() {
    auto cards = field_.Cards();
    if (!cards) return false;
    const auto selected = SelectedRow();
    cards_ = std::move(*cards);
    HWND list = Item(IDC_VC_LIST);
    filling_ = true;
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list);
    for (int i = 0; i < static_cast<int>(cards_.size()); ++i) {
        const VirtualCardRow& row = RowOf(cards_[i].card);
        std::wstring name(row.name), fieldName(row.field);
        const std::wstring identity = BytesToHex(cards_[i].identity);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = name.data();
        ListView_InsertItem(list, &item);
        ListView_SetItemText(list, i, 1, fieldName.data());
        ListView_SetItemText(list, i, 2, const_cast<wchar_t*>(identity.c_str()));
        ListView_SetCheckState(list, i, cards_[i].inField);
    }
    if (selected && *selected < static_cast<int>(cards_.size())) {
        ListView_SetItemState(list, *selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    filling_ = false;
    return true;
}

std::optional<int> CVirtualCardsDialog::SelectedRow() const {
    const int at = ListView_GetNextItem(Item(IDC_VC_LIST), -1, LVNI_SELECTED);
    if (at < 0 || at >= static_cast<int>(cards_.size())) return std::nullopt;
    return at;
}

LRESULT CVirtualCardsDialog::OnItemChanged(NMHDR* header) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (filling_ || change->iItem < 0 || change->iItem >= static_cast<int>(cards_.size())) return 0;
    if ((change->uChanged & LVIF_STATE) == 0) return 0;
    if ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) {
        EnableWindow(Item(IDC_VC_FACTORY), SelectedRow().has_value());
    }
    if (((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) == 0) return 0;
    const bool ticked = ListView_GetCheckState(Item(IDC_VC_LIST), change->iItem) != FALSE;
    if (ticked == cards_[change->iItem].inField) return 0;
    std::vector<VirtualCard> placed;
    for (int i = 0; i < static_cast<int>(cards_.size()); ++i) {
        if (i == change->iItem ? ticked : cards_[i].inField) placed.push_back(cards_[i].card);
    }
    if (const int32_t status = field_.Place(placed); status != 0) Complain(L"The reader did not place the cards.", status);
    if (!Refresh()) Complain(L"The reader did not list its cards.", 0);
    return 0;
}

void CVirtualCardsDialog::OnFollow() {
    const bool on = IsDlgButtonChecked(hwnd_, IDC_VC_FOLLOW) == BST_CHECKED;
    if (const int32_t status = field_.SetFollowsCardType(on); status != 0) {
        Complain(L"The setting could not be kept in the reader's Kelvar.ini.", status);
        CheckDlgButton(hwnd_, IDC_VC_FOLLOW, on ? BST_UNCHECKED : BST_CHECKED);
        return;
    }
    // From now on the field is the card type's.
    if (on && field_.FollowCardType(cardType_)) Refresh();
}

void CVirtualCardsDialog::OnFactory() {
    const auto at = SelectedRow();
    if (!at) return;
    const VirtualCardRow& row = RowOf(cards_[*at].card);
    const std::wstring question = L"Give the " + std::wstring(row.name) +
                                  L" its factory contents? Everything written to it is lost.";
    if (services_.ShowMessageBox(hwnd_, question, kCaption, MB_OKCANCEL | MB_ICONWARNING) != IDOK) return;
    if (const int32_t status = field_.FactoryReset(row.card); status != 0) {
        Complain(L"The card keeps its contents: its image could not be replaced.", status);
    }
}

void CVirtualCardsDialog::Complain(const std::wstring& what, int32_t status) {
    const std::wstring text = status == 0 ? what : what + L" (status " + StatusText(status) + L")";
    services_.ShowMessageBox(hwnd_, text, kCaption, MB_OK | MB_ICONERROR);
}

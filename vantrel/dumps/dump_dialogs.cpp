#include "vantrel/dumps/dump_dialogs.h"

#include <commdlg.h>

#include <vector>

#include "vantrel/dumps/dump_ids.h"

namespace dumps {

namespace {

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// An open dialog for an existing file of `filter`, starting from `path`.
bool BrowseToOpen(HWND owner, const wchar_t* filter, const std::wstring& title, std::wstring& path) {
    std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
    path.copy(file.data(), file.size() - 1);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameW(&ofn)) return false;
    path = file.data();
    return true;
}

}  // namespace

bool BrowseForDump(HWND owner, const std::wstring& title, std::wstring& path) {
    return BrowseToOpen(owner, L"Card dumps (*.json;*.txt;*.bin)\0*.json;*.txt;*.bin\0All files\0*.*\0", title, path);
}

KeyListDialog::KeyListDialog(int panelKeys, std::wstring path, bool useList)
    : WithMessageMap(IDD_DUMP_KEYS), panelKeys_(panelKeys), path_(std::move(path)), useList_(useList) {}

std::span<const MessageEntry<KeyListDialog>> KeyListDialog::Messages() {
    static const MessageEntry<KeyListDialog> map[] = {
        OnCommand(IDC_DUMP_KEYS_BROWSE, &KeyListDialog::OnBrowse),
        OnCommand(IDC_DUMP_KEYS_USE_LIST, &KeyListDialog::OnUseList),
    };
    return map;
}

BOOL KeyListDialog::OnInitDialog() {
    const std::wstring typed = panelKeys_ == 0   ? L"no key is typed on the panel"
                               : panelKeys_ == 1 ? L"the key typed on the panel"
                                                 : L"the " + std::to_wstring(panelKeys_) + L" keys typed on the panel";
    Window(Item(IDC_DUMP_KEYS_INTRO))
        .SetText(L"Each sector is opened with the first key that works, as key A, then as key B: " + typed +
                 L", then the key list's.");
    CheckDlgButton(hwnd_, IDC_DUMP_KEYS_USE_LIST, useList_ ? BST_CHECKED : BST_UNCHECKED);
    Window(Item(IDC_DUMP_KEYS_PATH)).SetText(path_);
    OnUseList();
    return TRUE;
}

void KeyListDialog::OnUseList() {
    const bool use = IsChecked(hwnd_, IDC_DUMP_KEYS_USE_LIST);
    Window(Item(IDC_DUMP_KEYS_PATH)).Enable(use);
    Window(Item(IDC_DUMP_KEYS_BROWSE)).Enable(use);
}

void KeyListDialog::OnBrowse() {
    std::wstring path = Window(Item(IDC_DUMP_KEYS_PATH)).Text();
    if (BrowseToOpen(hwnd_, L"Key lists (*.txt)\0*.txt\0All files\0*.*\0", L"Mifare key list", path)) Window(Item(IDC_DUMP_KEYS_PATH)).SetText(path);
}

void KeyListDialog::OnOK() {
    useList_ = IsChecked(hwnd_, IDC_DUMP_KEYS_USE_LIST);
    path_ = Window(Item(IDC_DUMP_KEYS_PATH)).Text();
    EndDialog(IDOK);
}

ConfirmWriteDialog::ConfirmWriteDialog(const DumpLayout& layout, const WritePlan& plan)
    : WithMessageMap(IDD_DUMP_CONFIRM), layout_(layout), plan_(plan) {}

std::span<const MessageEntry<ConfirmWriteDialog>> ConfirmWriteDialog::Messages() {
    static const MessageEntry<ConfirmWriteDialog> map[] = {
        OnCommand(IDC_DUMP_CONFIRM_PROTECTED, &ConfirmWriteDialog::OnProtected),
    };
    return map;
}

BOOL ConfirmWriteDialog::OnInitDialog() {
    const bool anyProtected = !plan_.protectedUnits.empty();
    Window(Item(IDC_DUMP_CONFIRM_PROTECTED)).Enable(anyProtected);
    Window(Item(IDC_DUMP_CONFIRM_NOTE))
        .SetText(anyProtected ? L"Lock bytes, one-time-programmable and counter areas, trailers and configuration: " +
                                    UnitList(layout_, plan_.protectedUnits) + L"."
                              : L"No protected area differs from the card.");
    ShowCount();
    return TRUE;
}

void ConfirmWriteDialog::OnProtected() {
    withProtected_ = IsChecked(hwnd_, IDC_DUMP_CONFIRM_PROTECTED);
    ShowCount();
}

void ConfirmWriteDialog::ShowCount() {
    const std::size_t count = plan_.units.size() + (withProtected_ ? plan_.protectedUnits.size() : 0);
    std::wstring text = count == 1 ? L"1 unit will be written to the card"
                                   : std::to_wstring(count) + L" units will be written to the card";
    text += plan_.units.empty() ? L"." : L": " + UnitList(layout_, plan_.units) + L".";
    const std::size_t kept = plan_.fixed.size() + plan_.notOpened.size() + plan_.locked.size();
    if (kept > 0) {
        text += L"\r\n" + std::to_wstring(kept) + L" more differ but are never written (the maker's or read-only "
                                                  L"units, units the card's read did not reach, locked blocks).";
    }
    Window(Item(IDC_DUMP_CONFIRM_TEXT)).SetText(text);
    Window(Item(IDOK)).Enable(count > 0);
}

ChooseDumpsDialog::ChooseDumpsDialog(bool cardAvailable)
    : WithMessageMap(IDD_DUMP_CHOOSE), cardAvailable_(cardAvailable) {}

std::span<const MessageEntry<ChooseDumpsDialog>> ChooseDumpsDialog::Messages() {
    static const MessageEntry<ChooseDumpsDialog> map[] = {
        OnCommand(IDC_DUMP_FIRST_BROWSE, &ChooseDumpsDialog::OnBrowseFirst),
        OnCommand(IDC_DUMP_SECOND_BROWSE, &ChooseDumpsDialog::OnBrowseSecond),
        OnCommand(IDC_DUMP_SECOND_FILE, &ChooseDumpsDialog::OnSecondChoice),
        OnCommand(IDC_DUMP_WITH_CARD, &ChooseDumpsDialog::OnSecondChoice),
    };
    return map;
}

BOOL ChooseDumpsDialog::OnInitDialog() {
    CheckRadioButton(hwnd_, IDC_DUMP_SECOND_FILE, IDC_DUMP_WITH_CARD, IDC_DUMP_SECOND_FILE);
    Window(Item(IDC_DUMP_WITH_CARD)).Enable(cardAvailable_);
    OnSecondChoice();
    return TRUE;
}

void ChooseDumpsDialog::OnSecondChoice() {
    const bool file = IsChecked(hwnd_, IDC_DUMP_SECOND_FILE);
    Window(Item(IDC_DUMP_SECOND)).Enable(file);
    Window(Item(IDC_DUMP_SECOND_BROWSE)).Enable(file);
}

void ChooseDumpsDialog::OnBrowseFirst() {
    std::wstring path = Window(Item(IDC_DUMP_FIRST)).Text();
    if (BrowseForDump(hwnd_, L"First dump", path)) Window(Item(IDC_DUMP_FIRST)).SetText(path);
}

void ChooseDumpsDialog::OnBrowseSecond() {
    std::wstring path = Window(Item(IDC_DUMP_SECOND)).Text();
    if (BrowseForDump(hwnd_, L"Second dump", path)) Window(Item(IDC_DUMP_SECOND)).SetText(path);
}

void ChooseDumpsDialog::OnOK() {
    choice_.first = Window(Item(IDC_DUMP_FIRST)).Text();
    const bool withCard = IsChecked(hwnd_, IDC_DUMP_WITH_CARD);
    choice_.second = withCard ? L"" : Window(Item(IDC_DUMP_SECOND)).Text();
    // Both named before the dialog closes: an empty field takes the focus.
    const int missing = choice_.first.empty() ? IDC_DUMP_FIRST : (!withCard && choice_.second.empty()) ? IDC_DUMP_SECOND : 0;
    if (missing != 0) {
        MessageBeep(MB_ICONWARNING);
        SetFocus(Item(missing));
        return;
    }
    EndDialog(IDOK);
}

}  // namespace dumps

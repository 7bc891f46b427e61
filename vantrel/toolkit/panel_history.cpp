#include "vantrel/toolkit/panel_history.h"

#include "vantrel/toolkit/cos_command_dialog.h"
#include "vantrel/toolkit/hex_text.h"

void PanelHistory::Load(const std::wstring& programFolder) {
    path_ = std::filesystem::path(programFolder + fileName_);
    history_.Load(path_);
}

void PanelHistory::Save() const {
    if (!path_.empty()) history_.Save(path_);
}

void PanelHistory::Record(std::span<const uint8_t> command) {
    const std::wstring hex = BytesToHex(command);
    std::string entry;
    entry.reserve(hex.size());
    for (const wchar_t c : hex) {
        entry.push_back(static_cast<char>(c >= L'A' && c <= L'F' ? c - L'A' + L'a' : c));
    }
    history_.Add(entry);
}

void PanelHistory::OpenDialog(HWND panel) {
    CCosCommandDialog dialog(history_, panel);
    dialog.DoModal(GetAncestor(panel, GA_ROOT));
}

void PutPickedCommand(HWND edit, LPARAM text) {
    auto* command = reinterpret_cast<wchar_t*>(text);
    if (command == nullptr) return;
    ToLowerAscii(command);
    SetWindowTextW(edit, command);
}

#include "vantrel/dumps/dump_prompts.h"

#include <iterator>
#include <vector>

#include "vantrel/dumps/compare_dialog.h"
#include "vantrel/dumps/dump_dialogs.h"
#include "vantrel/toolkit/save_file_dialog.h"

namespace dumps {

namespace {

constexpr std::size_t kUnitsNamed = 8;

// The save dialog's file types, in their order.
struct FileType {
    DumpFormat format;
    const wchar_t* extension;
};
constexpr FileType kFileTypes[] = {
    {DumpFormat::Json, L"json"},
    {DumpFormat::HexLines, L"txt"},
    {DumpFormat::Raw, L"bin"},
};

}  // namespace

std::wstring UnitList(const DumpLayout& layout, const std::vector<int>& units) {
    std::wstring text;
    for (std::size_t i = 0; i < units.size() && i < kUnitsNamed; ++i) {
        if (i > 0) text += L", ";
        text += UnitName(layout, units[i]);
    }
    if (units.size() > kUnitsNamed) text += L" and " + std::to_wstring(units.size() - kUnitsNamed) + L" more";
    return text;
}

bool DialogPrompts::ChooseSaveFile(HWND owner, const std::wstring& suggested, std::wstring& path, DumpFormat& format) {
    static constexpr SaveFileTypes kTypes{
        L"Save card to file", L"JSON (*.json)\0*.json\0Hex lines (*.txt)\0*.txt\0Raw binary (*.bin)\0*.bin\0", L"json"};
    const int chosen = BrowseForSaveFile(owner, kTypes, suggested, path);
    if (chosen < 0) return false;
    const FileType& type = kFileTypes[chosen < static_cast<int>(std::size(kFileTypes)) ? chosen : 0];
    format = type.format;
    // The type chosen decides the format; its extension follows it.
    if (FormatOfFileName(path) != format) path += std::wstring(L".") + type.extension;
    return true;
}

bool DialogPrompts::ChooseOpenFile(HWND owner, const std::wstring& title, std::wstring& path) {
    return BrowseForDump(owner, title, path);
}

bool DialogPrompts::ChooseKeyList(HWND owner, int panelKeys, std::wstring& path, bool& useList) {
    KeyListDialog dialog(panelKeys, path, useList);
    if (dialog.DoModal(owner) != IDOK) return false;
    path = dialog.Path();
    useList = dialog.UseList();
    return true;
}

bool DialogPrompts::ConfirmWrite(HWND owner, const DumpLayout& layout, const WritePlan& plan, bool& withProtected) {
    ConfirmWriteDialog dialog(layout, plan);
    if (dialog.DoModal(owner) != IDOK) return false;
    withProtected = dialog.WithProtected();
    return true;
}

bool DialogPrompts::ChooseComparison(HWND owner, bool cardAvailable, ComparisonChoice& choice) {
    ChooseDumpsDialog dialog(cardAvailable);
    if (dialog.DoModal(owner) != IDOK) return false;
    choice = dialog.Choice();
    return true;
}

void DialogPrompts::ShowComparison(HWND owner, const CardDump& left, const CardDump& right,
                                   const std::wstring& leftName, const std::wstring& rightName) {
    CompareDialog dialog(left, right, leftName, rightName);
    dialog.DoModal(owner);
}

}  // namespace dumps

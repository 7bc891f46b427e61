// What the dump commands ask the operator: files, keys, the write's
// confirmation, which dumps to compare, and the comparison itself. The
// program answers with its dialogs (DialogPrompts); tests answer in place.
#pragma once

#include <windows.h>

#include <string>

#include "vantrel/dumps/card_dump.h"
#include "vantrel/dumps/dump_formats.h"
#include "vantrel/dumps/dump_plans.h"

namespace dumps {

struct ComparisonChoice {
    std::wstring first;
    std::wstring second;  // empty: the card
};

class DumpPrompts {
public:
    virtual ~DumpPrompts() = default;

    // The file to save in, starting from `suggested`; the format follows the
    // file type chosen. False: cancelled.
    virtual bool ChooseSaveFile(HWND owner, const std::wstring& suggested, std::wstring& path, DumpFormat& format) = 0;
    virtual bool ChooseOpenFile(HWND owner, const std::wstring& title, std::wstring& path) = 0;
    // Whether a key list is tried after the panel's `panelKeys` keys, and which.
    virtual bool ChooseKeyList(HWND owner, int panelKeys, std::wstring& path, bool& useList) = 0;
    // `plan` as planned without the protected areas; `withProtected` says
    // whether they are written too.
    virtual bool ConfirmWrite(HWND owner, const DumpLayout& layout, const WritePlan& plan, bool& withProtected) = 0;
    virtual bool ChooseComparison(HWND owner, bool cardAvailable, ComparisonChoice& choice) = 0;
    virtual void ShowComparison(HWND owner, const CardDump& left, const CardDump& right, const std::wstring& leftName,
                                const std::wstring& rightName) = 0;
};

// The program's dialogs.
class DialogPrompts : public DumpPrompts {
public:
    bool ChooseSaveFile(HWND owner, const std::wstring& suggested, std::wstring& path, DumpFormat& format) override;
    bool ChooseOpenFile(HWND owner, const std::wstring& title, std::wstring& path) override;
    bool ChooseKeyList(HWND owner, int panelKeys, std::wstring& path, bool& useList) override;
    bool ConfirmWrite(HWND owner, const DumpLayout& layout, const WritePlan& plan, bool& withProtected) override;
    bool ChooseComparison(HWND owner, bool cardAvailable, ComparisonChoice& choice) override;
    void ShowComparison(HWND owner, const CardDump& left, const CardDump& right, const std::wstring& leftName,
                        const std::wstring& rightName) override;
};

// "4 blocks: block 4, block 21, block 130, block 131" (the first few named).
std::wstring UnitList(const DumpLayout& layout, const std::vector<int>& units);

}  // namespace dumps

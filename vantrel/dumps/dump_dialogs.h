// The small dialogs of the dump commands: the key list, the write's
// confirmation and the choice of dumps to compare.
#pragma once

#include <string>

#include "vantrel/dumps/dump_plans.h"
#include "vantrel/dumps/dump_prompts.h"
#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"

namespace dumps {

// Shows a file dialog for a dump to open; false when cancelled.
bool BrowseForDump(HWND owner, const std::wstring& title, std::wstring& path);

class KeyListDialog : public WithMessageMap<KeyListDialog, Dialog> {
public:
    KeyListDialog(int panelKeys, std::wstring path, bool useList);

    const std::wstring& Path() const { return path_; }
    bool UseList() const { return useList_; }

    static std::span<const MessageEntry<KeyListDialog>> Messages();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowse();
    void OnUseList();

    int panelKeys_;
    std::wstring path_;
    bool useList_;
};

class ConfirmWriteDialog : public WithMessageMap<ConfirmWriteDialog, Dialog> {
public:
    ConfirmWriteDialog(const DumpLayout& layout, const WritePlan& plan);

    bool WithProtected() const { return withProtected_; }

    static std::span<const MessageEntry<ConfirmWriteDialog>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnProtected();
    void ShowCount();

    const DumpLayout& layout_;
    const WritePlan& plan_;
    bool withProtected_ = false;
};

class ChooseDumpsDialog : public WithMessageMap<ChooseDumpsDialog, Dialog> {
public:
    explicit ChooseDumpsDialog(bool cardAvailable);

    const ComparisonChoice& Choice() const { return choice_; }

    static std::span<const MessageEntry<ChooseDumpsDialog>> Messages();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void OnBrowseFirst();
    void OnBrowseSecond();
    void OnSecondChoice();

    bool cardAvailable_;
    ComparisonChoice choice_;
};

}  // namespace dumps

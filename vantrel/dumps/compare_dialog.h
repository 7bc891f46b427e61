// Two dumps side by side, one unit a line, the bytes that differ
// highlighted, with the count of differing units and "Copy differences".
#pragma once

#include <string>
#include <vector>

#include "vantrel/dumps/card_dump.h"
#include "vantrel/dumps/dump_compare.h"
#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"

namespace dumps {

class CompareDialog : public WithMessageMap<CompareDialog, Dialog> {
public:
    CompareDialog(const CardDump& left, const CardDump& right, std::wstring leftName, std::wstring rightName);

    const Comparison& Result() const { return comparison_; }
    // The units listed, in order.
    const std::vector<int>& Listed() const { return listed_; }
    std::wstring DifferencesText() const;

    static std::span<const MessageEntry<CompareDialog>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    LRESULT OnMeasureItem(WPARAM, LPARAM);
    LRESULT OnDrawItem(WPARAM, LPARAM);
    void OnOnlyDiffering();
    void OnCopy();
    void Fill();
    void FitToColumns();
    void PlaceHeadings();
    int DigitWidth() const { return charWidth_; }

    const CardDump& left_;
    const CardDump& right_;
    std::wstring leftName_;
    std::wstring rightName_;
    Comparison comparison_;
    std::vector<int> listed_;
    HFONT font_ = nullptr;
    int charWidth_ = 7;
    int lineHeight_ = 16;
    int nameChars_ = 0;
};

}  // namespace dumps

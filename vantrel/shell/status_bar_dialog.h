// The bar along the top of the main window: the connection target, the card
// type and the status text of the last command.
#pragma once

#include "vantrel/framework/dialog_bar.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/reader/reader_connection.h"
#include "vantrel/toolkit/hover_hint.h"

class StatusBarDialog : public WithMessageMap<StatusBarDialog, DialogBar> {
public:
    StatusBarDialog();

    void ShowAddress(const ReaderConnection& connection);
    void ShowPort(const ReaderConnection& connection);
    void ShowCardName(int32_t code);
    // The status field's text; its hint goes.
    void ShowStatus(const std::wstring& text);
    // The tip over the status field.
    void ShowStatusHint(const std::wstring& hint);
    const HoverHint& StatusHint() const { return hint_; }

    static std::span<const MessageEntry<StatusBarDialog>> Messages();

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnCtlColorStatic(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    void SetLabels();

    bool labelsSet_ = false;
    std::wstring statusHint_;
    HoverHint hint_;
};

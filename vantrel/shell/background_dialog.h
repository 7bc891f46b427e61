// The background choice dialog: the 32 skins in a list, the chosen one tiled
// as a preview inside the frame beside it.
#pragma once

#include <cstdint>
#include <string>

#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/shell/skin.h"

class CBackgroundDialog : public WithMessageMap<CBackgroundDialog, Dialog> {
public:
    // `current` is selected at first; the skin library is kept open while
    // the dialog exists.
    CBackgroundDialog(int32_t current, const std::wstring& programFolder);

    int32_t SelectedIndex() const { return selected_; }
    const Skin& Preview() const { return preview_; }
    // Where the preview is tiled: inside the frame, in client coordinates.
    RECT PreviewArea() const;

    static std::span<const MessageEntry<CBackgroundDialog>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnSelectionChange();
    LRESULT OnPaint(WPARAM, LPARAM);

    SkinLibrary library_;
    int32_t selected_;
    Skin preview_;
};

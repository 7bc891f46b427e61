// The upper pane: hosts the one panel of the current card type (or the device
// page) and scrolls over its content.
#pragma once

#include <memory>

#include "vantrel/framework/dc_cache_keeper.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/scroll_view.h"
#include "vantrel/shell/card_registry.h"

class CVantrelView : public WithMessageMap<CVantrelView, ScrollView> {
public:
    // `frame` is the reference for centring panels.
    CVantrelView(PanelContext& context, HWND frame);
    ~CVantrelView() override;
    bool Create(HWND parent);

    void ShowCardPanel(int32_t code);
    void ShowDevicePage();
    CardPanelBase* CurrentPanel() const { return panel_.get(); }
    int32_t CurrentCode() const { return code_; }
    // Horizontal screen resolution; tests set other widths.
    void SetScreenWidth(int width) { screenWidth_ = width; }
    void SetSkin(HBITMAP skin);
    // Work for a moment when no message waits: fills Wine's DC cache a few
    // DCs at a time (see DcCacheKeeper). True while more is left.
    bool OnIdle();
    HBITMAP SkinTile() const { return skin_; }

    static std::span<const MessageEntry<CVantrelView>> Messages();

private:
    void Switch(int32_t code);
    void ReplacePanel(int32_t code);
    void Place(PanelPlacement placement, const RECT& reference);
    void DestroyPanel();
    void UpdateScrollRange();
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnCtlColorStatic(WPARAM, LPARAM);

    PanelContext& context_;
    HWND frame_;
    std::unique_ptr<CardPanelBase> panel_;
    // The one-line text shown for a card type whose panel is not built yet.
    int32_t code_ = -1;
    int screenWidth_;
    HBITMAP skin_ = nullptr;
    DcCacheKeeper dcCache_;
};

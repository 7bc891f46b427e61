// What every card panel and the device page share: the skin background,
// transparent captions in the program's text colour, no closing by Enter or
// Escape, framed group captions and the content height the host scrolls over.
#pragma once

#include <initializer_list>
#include <vector>

#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/subclass.h"
#include "vantrel/toolkit/framed_caption.h"
#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/ui_text.h"

inline constexpr COLORREF kProgramTextColour = RGB(41, 101, 132);
// Panel-private message that panels accept and ignore.
inline constexpr UINT kPanelIgnoredMessage = 0x401;

class CardPanelBase : public WithMessageMap<CardPanelBase, Dialog> {
public:
    CardPanelBase(int templateId, PanelContext& context);

    // Height of the panel's content in pixels, 0 until its initialisation.
    int ContentHeight() const { return contentHeight_; }
    // The panel's own layout for panels that fill the host's area.
    virtual void Layout(int /*screenWidth*/) {}
    // The skin tile drawn behind the panel (not owned); none draws plain.
    void SetSkin(HBITMAP skin) { skin_ = skin; }

    // Binds a wrapper to the panel's control `id`; a control the template
    // lacks, or a subclass that fails, is recorded and false returned.
    bool Bind(SubclassedControl& control, int id);
    bool Bind(Window& control, int id);
    // The panel's control `id` for plain use, recorded when missing.
    HWND BindItem(int id);
    // Ids the panel bound that its window does not have, in binding order.
    const std::vector<int>& MissingControls() const { return missingControls_; }

    static std::span<const MessageEntry<CardPanelBase>> Messages();

protected:
    void OnOK() override {}
    void OnCancel() override {}

    // Sets each control's text from `table` (pairs of control id and entry).
    template <typename Table, typename Pairs>
    void SetCaptions(const Table& table, const Pairs& pairs);
    // Hides the group boxes and draws framed captions in their place.
    void ReplaceGroupBoxes(std::initializer_list<int> ids, COLORREF colour = kProgramTextColour);
    // Content height: the bottom of control `id` plus 50, or the client height.
    void SetContentHeightBelow(int id);
    void SetContentHeightToClient();

    // Scroll bars that keep their default colours (the page scroll bar).
    void KeepDefaultColours(int id) { defaultColourIds_.push_back(id); }

    PanelContext& context_;
    ReaderLibrary& reader_;
    std::vector<FramedCaption> frames_;

private:
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCtlColorStatic(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnCtlColorScrollBar(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnIgnored(WPARAM, LPARAM) { return 0; }

    HBITMAP skin_ = nullptr;
    int contentHeight_ = 0;
    std::vector<int> defaultColourIds_;
    std::vector<int> missingControls_;
};

template <typename Table, typename Pairs>
void CardPanelBase::SetCaptions(const Table& table, const Pairs& pairs) {
    for (const auto& [id, entry] : pairs) SetDlgItemTextW(hwnd_, id, UiText(table, entry));
}

// Fills `area` of `dc` with copies of `tile`, from the top-left corner; tiles
// outside the DC's clipping box are skipped.
void TileBitmap(HDC dc, const RECT& area, HBITMAP tile);
// The same with the tiles' corners on the grid through `origin`.
void TileBitmap(HDC dc, const RECT& area, HBITMAP tile, POINT origin);

// The program's background: the skin tile, or the plain dialog colour without one.
void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin);
void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin, POINT origin);

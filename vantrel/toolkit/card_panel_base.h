// What every card panel and the device page share: the skin background,
// transparent captions in the program's text colour, no closing by Enter or
// Escape (the modeless dialog ignores them), framed group captions, the
// captions from the panel's caption tables and the content height the host
// scrolls over.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/framework/subclass.h"
#include "vantrel/toolkit/card_secrets.h"
#include "vantrel/toolkit/framed_caption.h"
#include "vantrel/toolkit/number_list.h"
#include "vantrel/toolkit/panel_context.h"
#include "vantrel/toolkit/ui_text.h"

class HexPagePane;

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
    // The keys, passwords and tag choice typed on the panel, for commands
    // beyond its buttons (card dumps).
    virtual CardSecrets TypedSecrets() const { return {}; }
    // The client size a host that fills its area with the panel will give
    // it, told before creation: controls made at initialisation can then be
    // placed once instead of moved again by the first layout.
    void PlanClientSize(SIZE size) { plannedClient_ = size; }
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
    // The panel's hex page panes, in binding order.
    std::span<HexPagePane* const> HexPanes() const { return panes_; }

    static std::span<const MessageEntry<CardPanelBase>> Messages();

protected:
    BOOL OnInitDialog() override;

    // Caption tables applied at initialisation, in the order given; call from
    // the constructor.
    void UseCaptions(std::span<const Caption> captions) { captionTables_.push_back(captions); }

    // Check boxes and radio buttons.
    bool IsChecked(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    // The position in `ids` of the last button checked; 0 when none is.
    std::size_t CheckedIndex(std::span<const int> ids) const {
        std::size_t checked = 0;
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (IsChecked(ids[i])) checked = i;
        }
        return checked;
    }
    void SetChecked(int id, bool checked = true) const {
        CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    // A drop-down list whose items carry numbers.
    NumberList ListAt(int id) const;
    // Gives control `id` the program's fixed-pitch font for hex text.
    void UseHexFont(HWND control) const;
    // Hides the group boxes and draws framed captions in their place.
    void ReplaceGroupBoxes(std::initializer_list<int> ids, COLORREF colour = kProgramTextColour);
    // For controls made at initialisation: the planned client area if the
    // host told one, else the client area.
    RECT InitialClientRect() const;
    bool HasPlannedClient() const { return plannedClient_.has_value(); }
    // Content height: the bottom of control `id` plus 50, or the client height.
    void SetContentHeightBelow(int id);
    void SetContentHeightToClient();

    // Scroll bars that keep their default colours (the page scroll bar).
    void KeepDefaultColours(int id) { defaultColourIds_.push_back(id); }
    // Binds `pane` to its editor and its page bar (0: none); the panel then
    // draws its labels and turns its pages.
    bool BindPane(HexPagePane& pane, int editorId, int barId = 0);
    // After the page bar of `pane` turned its page.
    virtual void OnPageTurned(HexPagePane& /*pane*/) {}

    PanelContext& context_;
    ReaderLibrary& reader_;
    std::vector<FramedCaption> frames_;

private:
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnCtlColorStatic(WPARAM, LPARAM);
    LRESULT OnCtlColor(WPARAM, LPARAM);
    LRESULT OnCtlColorScrollBar(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnVScroll(WPARAM wParam, LPARAM lParam);
    LRESULT OnIgnored(WPARAM, LPARAM) { return 0; }

    HBITMAP skin_ = nullptr;
    int contentHeight_ = 0;
    std::optional<SIZE> plannedClient_;
    std::vector<int> defaultColourIds_;
    std::vector<int> missingControls_;
    std::vector<HexPagePane*> panes_;
    std::vector<std::span<const Caption>> captionTables_;
};

// Fills `area` of `dc` with copies of `tile`, from the top-left corner, within
// the DC's clipping.
void TileBitmap(HDC dc, const RECT& area, HBITMAP tile);
// The same with the tiles' corners on the grid through `origin`.
void TileBitmap(HDC dc, const RECT& area, HBITMAP tile, POINT origin);

// The program's background: the skin tile, or the plain dialog colour without one.
void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin);
void PaintSkinBackground(HDC dc, const RECT& area, HBITMAP skin, POINT origin);

// What the UltraLight, NTAG203 and UltraLight C panels share: finding and
// selecting the tag, halting it, reading every page, writing one page, the
// page grid with its split page 2, and the highlighted lock and one-time
// fields. The buttons named in the panel's ids are bound to these handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "vantrel/panels/iso14443a/ultralight_family_pages.h"
#include "vantrel/panels/iso14443a/ultralight_family_text.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

struct UltraLightFamilySetup {
    UltraLightFamilyIds ids;
    std::span<const Caption> captions;
    PageGrid grid;
    // Page edits after this one are plain edits, without the key filter.
    int lastFilteredPageEdit;
    // Edits drawn yellow on red: lock bytes and one-time pages.
    std::span<const int> highlighted;
    // Whether the UID field refuses typing.
    bool lockUid;
};

class UltraLightFamilyPanel : public WithMessageMap<UltraLightFamilyPanel, CardPanelBase> {
public:
    static std::span<const MessageEntry<UltraLightFamilyPanel>> Messages();

protected:
    UltraLightFamilyPanel(int templateId, PanelContext& context, const UltraLightFamilySetup& setup);

    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Binds `edit` to control `id`, limits it to `byteLimit` bytes and gives it the hex font.
    void SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t byteLimit);

private:
    void OnSearch();
    void OnReqIdl();
    void OnHalt();
    void OnRead();
    void OnWrite();

    // After a selection: the pages emptied, the UID shown, success reported.
    void ShowSelected(Command& cmd, const Bytes& uid);
    void ClearPageEdits();
    // The page edits in grid order, and the one with `id`; looked up once
    // (under Wine each control lookup asks the server and walks every sibling).
    const std::vector<std::pair<int, HWND>>& PageEdits();
    HWND PageEdit(int id);
    Bytes EditBytes(int id) const;
    void ReportReadError(Command& cmd, int32_t status, int page);
    bool IsHighlighted(int id) const;
    LRESULT OnCtlColorEdit(WPARAM wParam, LPARAM lParam);

    UltraLightFamilySetup setup_;
    // The family's buttons, bound from the ids.
    std::vector<MessageEntry<UltraLightFamilyPanel>> buttons_;
    ByteTextEdit uid_;
    std::vector<std::unique_ptr<ByteTextEdit>> filteredPages_;
    std::vector<std::pair<int, HWND>> pageEdits_;
};

// What the UltraLight, NTAG203 and UltraLight C panels share: finding and
// selecting the tag, halting it, reading every page, writing one page, the
// page grid with its split page 2, and the highlighted lock and one-time
// fields. Each panel binds its own buttons to these handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "vantrel/framework/gdi.h"
#include "vantrel/panels/iso14443a/ultralight_family_pages.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

struct UltraLightFamilyIds {
    int uidLabel;
    int uid;
    int search;
    int reqIdl;
    int halt;
    int pageLabel;
    int pageList;
    int read;
    int write;
    int pageFrame;
};

struct UltraLightFamilySetup {
    UltraLightFamilyIds ids;
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

    // Button handlers; each panel's message map binds them to its ids.
    void OnSearch();
    void OnReqIdl();
    void OnHalt();
    void OnRead();
    void OnWrite();

    // Binds `edit` to control `id`, limits it to `byteLimit` bytes and gives it the hex font.
    void SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t byteLimit);

private:
    bool SwitchFieldOn(Command& cmd);
    bool RequestAndSelect(Command& cmd, uint8_t mode);
    void ClearPageEdits();
    Bytes EditBytes(int id) const;
    int SelectedPage() const;
    void ReportReadError(int32_t status, int page);
    bool IsHighlighted(int id) const;
    LRESULT OnCtlColorEdit(WPARAM wParam, LPARAM lParam);

    UltraLightFamilySetup setup_;
    ByteTextEdit uid_;
    std::vector<std::unique_ptr<ByteTextEdit>> filteredPages_;
    ScopedFont hexFont_;
    ScopedBrush highlightBrush_;
};

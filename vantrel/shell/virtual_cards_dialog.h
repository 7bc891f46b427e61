// The virtual reader's cards: every card it holds with its UID or PUPI, a
// tick for those in the field or slot (a change places or removes the card
// at once), whether the field follows the card type, and a card's factory
// contents. Only offered while the reader has its own functions.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "vantrel/framework/dialog.h"
#include "vantrel/framework/message_map.h"
#include "vantrel/reader/virtual_field.h"
#include "vantrel/toolkit/panel_context.h"

class CVirtualCardsDialog : public WithMessageMap<CVirtualCardsDialog, Dialog> {
public:
    // `cardType`: the card type shown, whose cards a newly set follow places.
    CVirtualCardsDialog(const VirtualField& field, PanelServices& services, int32_t cardType);

    static std::span<const MessageEntry<CVirtualCardsDialog>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void AddColumns();
    // Reads the cards again and shows them; false when the reader did not answer.
    bool Refresh();
    std::optional<int> SelectedRow() const;
    void OnFollow();
    void OnFactory();
    LRESULT OnItemChanged(NMHDR* header);
    void Complain(const std::wstring& what, int32_t status);

    const VirtualField& field_;
    PanelServices& services_;
    int32_t cardType_;
    std::vector<VirtualCardInfo> cards_;
    bool filling_ = false;
};

// What the Mifare Classic 1K and 4K panels share: the card search and the
// card-selected flag, ReqIDL and Halt, the purse group with its two value
// fields kept in step, and the operation windows' Read Sector and Write Block.
// Each panel gives its template's ids and captions and maps its own buttons.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "vantrel/panels/iso14443a/mifare_window.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/number_edit.h"
#include "vantrel/toolkit/number_list.h"
#include "vantrel/toolkit/result_report.h"

struct MifarePanelIds {
    int purseLastSector;
    std::vector<MifareWindowIds> windows;
    // Captions of the controls only this panel's template has.
    std::span<const Caption> ownCaptions;
};

class MifarePanelBase : public WithMessageMap<MifarePanelBase, CardPanelBase> {
public:
    static std::span<const MessageEntry<MifarePanelBase>> Messages();

    bool CardSelected() const { return cardSelected_; }
    // The operation windows' keys, then the purse's: the 6-byte ones.
    CardSecrets TypedSecrets() const override;

protected:
    MifarePanelBase(int templateId, PanelContext& context, MifarePanelIds ids);

    BOOL OnInitDialog() override;

    void OnSearch();
    void OnReqIdl();
    void OnHalt();
    void OnInitialize();
    void OnIncrement();
    void OnDecrement();
    void OnBalance();
    void OnPurseSectorChanged();
    void OnDecimalChanged();
    void OnHexChanged();
    // Operation window `window` (0 for the first).
    void ReadSector(int window);
    void WriteBlock(int window);
    void OnWindowChoiceChanged(int window) { windows_[static_cast<std::size_t>(window)]->UpdateWriteButton(); }

private:
    using ValueFunction = ReaderFunction<int32_t(int32_t, uint8_t, int32_t)>;

    // A command whose failures clear the card-selected flag.
    void ClearCardOnFailure(Command& command);
    // The card search; the UID field and the card-selected flag follow it.
    bool SearchCard(Command& command, int attempts);
    // The operations' prelude: a search with one attempt unless a card is selected.
    bool CardPrelude(Command& command);
    // The key of `edit`, or the key message box and nothing.
    std::optional<Bytes> KeyOf(Command& command, const ByteTextEdit& edit);
    // Prelude, key and authentication of the purse's sector; the value block.
    std::optional<uint8_t> PreparePurse(Command& command);
    // The decimal field's value, or the message box that says why there is none.
    std::optional<int32_t> PurseValue();
    void ChangeValue(const ValueFunction& function, int successText);
    void ShowValue(int32_t value);
    void UseHexFonts();

    MifarePanelIds ids_;
    bool cardSelected_ = false;
    bool syncingValues_ = false;
    ByteTextEdit uid_;
    NumberList purseSector_;
    NumberList purseBlock_;
    ByteTextEdit purseKey_;
    NumberEdit valueDec_;
    ByteTextEdit valueHex_;
    std::vector<std::unique_ptr<MifareWindow>> windows_;
};

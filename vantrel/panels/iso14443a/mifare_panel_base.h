// What the Mifare Classic 1K and 4K panels share: the card search and the
// card-selected flag, ReqIDL and Halt, the purse group with its two value
// fields kept in step, and the operation windows' Read Sector and Write Block.
// Each panel gives its template's ids and maps its own buttons.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "vantrel/framework/gdi.h"
#include "vantrel/panels/iso14443a/mifare_window.h"
#include "vantrel/panels/iso14443a/number_list.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/number_edit.h"
#include "vantrel/toolkit/result_report.h"

struct MifarePanelIds {
    int reqIdl;
    int halt;
    int valueHexLabel;
    int purseLastSector;
    std::vector<MifareWindowIds> windows;
};

class MifarePanelBase : public WithMessageMap<MifarePanelBase, CardPanelBase> {
public:
    static std::span<const MessageEntry<MifarePanelBase>> Messages();

    bool CardSelected() const { return cardSelected_; }

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
    void ReadSector(std::size_t window);
    void WriteBlock(std::size_t window);
    void OnWindowChoiceChanged(std::size_t window) { windows_[window]->UpdateWriteButton(); }

    void OnReadSector1() { ReadSector(0); }
    void OnReadSector2() { ReadSector(1); }
    void OnWriteBlock1() { WriteBlock(0); }
    void OnWriteBlock2() { WriteBlock(1); }
    void OnWindow1Changed() { OnWindowChoiceChanged(0); }
    void OnWindow2Changed() { OnWindowChoiceChanged(1); }

private:
    using ValueFunction = ReaderFunction<int32_t(int32_t, uint8_t, int32_t)>;

    // The card search; the UID field and the card-selected flag follow it.
    bool SearchCard(int attempts);
    // The operations' prelude: a search with one attempt unless a card is selected.
    bool CardPrelude();
    // The key of `edit`, or the key message box and nothing.
    std::optional<Bytes> KeyOf(const ByteTextEdit& edit);
    // Authenticates the sector of `firstBlock`; a failure clears the card-selected flag.
    bool Authenticate(Command& command, uint8_t keyType, uint8_t firstBlock, const Bytes& key);
    // Prelude, key and authentication of the purse's sector; the value block.
    std::optional<uint8_t> PreparePurse(Command& command);
    void ChangeValue(const ValueFunction& function, int successText);
    void ShowValue(int32_t value);
    void SetMifareCaptions();
    void UseHexFont();

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
    ScopedFont hexFont_;
};

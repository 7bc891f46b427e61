// What the SRF55V, SRF55V01P and SRI64 panels share: four UID slots filled
// by an inventory, the UID chosen by its radio button, Read and Write.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "vantrel/panels/iso15693/iso15693_plan.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_page_pane.h"
#include "vantrel/toolkit/result_report.h"

class VicinityFamilyPanel : public WithMessageMap<VicinityFamilyPanel, CardPanelBase> {
public:
    CardSecrets TypedSecrets() const override;
    static std::span<const MessageEntry<VicinityFamilyPanel>> Messages();

protected:
    static constexpr uint8_t kAddressedMode = 2;
    static constexpr std::size_t kAnswerSize = 1024;

    using WithMessageMap::WithMessageMap;

    BOOL OnInitDialog() override;

    virtual void OnInventory() = 0;
    virtual void OnRead() = 0;
    virtual void OnWrite() = 0;

    // rf_init_type '1', the slots cleared, `inventory(args..., answer,
    // length)` and the first four UIDs shown.
    template <typename Fn, typename... Args>
    void RunInventory(const Fn& inventory, Args... args);
    // The 8-byte UID of the chosen slot; the input error box otherwise.
    std::optional<Bytes> ChooseUid(Command& cmd);
    // The chosen slot's UID as typed.
    Bytes SlotUid() const;
    // A read that fails leaves nothing of the tag's memory shown.
    static void ZeroFillOnFailure(Command& cmd, HexPagePane& pane);

private:
    void ShowUids(std::span<const uint8_t> answer);

    std::array<ByteTextEdit, kVicinityUidSlots> uids_;
};

template <typename Fn, typename... Args>
void VicinityFamilyPanel::RunInventory(const Fn& inventory, Args... args) {
    Command cmd(context_, hwnd_);
    if (!cmd.RequireConnection()) return;
    if (!cmd.Call(reader_.rf_init_type, kDevice, static_cast<uint8_t>('1'))) return;
    for (ByteTextEdit& uid : uids_) uid.Clear();
    uint8_t answer[kAnswerSize] = {};
    uint8_t length = 0;
    if (!cmd.Call(inventory, kDevice, args..., answer, &length)) return;
    ShowUids(std::span<const uint8_t>(answer, length));
    cmd.Done(UiText(kMainMessages, kTextInventoryOk));
}

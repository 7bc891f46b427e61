// The ISO 15693 panel (card types 9, Tag-it, and 10, I.CODE SLI): inventory
// of up to four tags, system information, DSFID and AFI, and the tag memory
// with each block's security status in a hex page editor.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "vantrel/panels/iso15693/iso15693_plan.h"
#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/hex_page_pane.h"
#include "vantrel/toolkit/result_report.h"

class CIso15693Panel : public WithMessageMap<CIso15693Panel, CardPanelBase> {
public:
    CardSecrets TypedSecrets() const override;
    CIso15693Panel(PanelContext& context, int32_t code);

    static std::span<const MessageEntry<CIso15693Panel>> Messages();

    void Layout(int screenWidth) override;
    // Write and lock requests go in mode 6 when on, 2 when off; on also
    // chooses the Tag-it read plan.
    bool OptionState() const { return option_; }

protected:
    BOOL OnInitDialog() override;

private:
    void OnInventory();
    void OnGetInformation();
    void OnWriteDsfid();
    void OnLockDsfid();
    void OnWriteAfi();
    void OnLockAfi();
    void OnRead();
    void OnWrite();
    void OnLock();
    void OnPageTurned(HexPagePane& pane) override;

    // The 8-byte UID of the chosen slot; the input error box otherwise.
    std::optional<Bytes> ChooseUid(Command& cmd);
    // The chosen slot's UID as typed.
    Bytes SlotUid() const;
    // Write DSFID and Write AFI: one byte from `field`.
    template <typename Fn>
    void WriteByte(const Fn& write, ByteTextEdit& field, MainText missing, MainText done);
    template <typename Fn>
    void LockByte(const Fn& lock, MainText done);
    uint8_t WriteMode() const { return option_ ? 6 : 2; }
    // Reads the plan's chunks into `data` and `security`; false after a
    // failure it reported.
    bool ReadPlanInto(Command& cmd, const Bytes& uid, Bytes& data, Bytes& security);
    void ShowStatusFields();
    // The status column and its label beside the editor, the page bar after
    // them, and every control shifted right by the centring shift when the
    // host told the area: each control moved once, in one pass.
    void PlaceControls();
    // Moves every control right by `dx`, those in `placed` to their place
    // shifted so; one pass that draws nothing meanwhile.
    void MoveControls(int dx, const std::vector<std::pair<HWND, RECT>>& placed);

    int32_t code_;
    bool option_;
    std::array<uint8_t, 300> statusTable_{};
    int statusCount_ = 0;
    std::array<ByteTextEdit, kVicinityUidSlots> uids_;
    ByteTextEdit dsfid_;
    ByteTextEdit afi_;
    std::array<ByteTextEdit, kStatusFieldsPerPage> statusFields_;
    HexPagePane pane_;
};

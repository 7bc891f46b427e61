// The SHC1102 panel: request, the 16 blocks read (8 to 15 behind the
// password) and one block written after the password is verified.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/edit_texts.h"
#include "vantrel/toolkit/result_report.h"

class CShc1102Panel : public WithMessageMap<CShc1102Panel, CardPanelBase> {
public:
    static constexpr int kBlocks = 16;
    static constexpr int kBlockSize = 4;

    explicit CShc1102Panel(PanelContext& context);

    static std::span<const MessageEntry<CShc1102Panel>> Messages();

protected:
    BOOL OnInitDialog() override;

private:
    void OnRequest();
    void OnRead();
    void OnWrite();

    // Field reset and request; shows the tag type. False after a reported failure.
    bool Prelude(Command& cmd);
    // Reads blocks first..last into `shown`; false once a read fails.
    bool ReadBlocks(Command& cmd, int first, int last, EditTexts& shown);
    void ClearBlocks();

    ByteTextEdit tagType_;
    ByteTextEdit password_;
    std::array<ByteTextEdit, kBlocks> blocks_;
};

// The SR176 panel: 16 blocks of 2 bytes, blocks 4 to 14 written one by one.
#pragma once

#include <array>

#include "vantrel/panels/iso14443b/st_tag_panel.h"

class CSr176Panel : public StTagPanel {
public:
    static constexpr int kBlocks = 16;
    static constexpr std::size_t kBlockSize = 2;

    explicit CSr176Panel(PanelContext& context);

protected:
    BOOL OnInitDialog() override;
    Bytes BlockBytes(int block) const override;
    void ShowBlocks(const std::vector<std::wstring>& texts) override;

private:
    std::array<ByteTextEdit, kBlocks> blocks_;
};

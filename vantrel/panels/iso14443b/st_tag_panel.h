// What the SR176 and SRIX4K panels share: the ST tag search (two attempts of
// antenna off, mode 's', antenna on and select), reading every block,
// writing the chosen block and setting the lock register. The panel's ids
// and block size decide the rest.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

using BlockReadFunction = ReaderFunction<int32_t(int32_t, uint8_t, uint8_t*, uint8_t*)>;
using BlockWriteFunction = ReaderFunction<int32_t(int32_t, uint8_t, const uint8_t*)>;
using LockRegFunction = ReaderFunction<int32_t(int32_t, uint8_t)>;

struct StTagSetup {
    int chipId, request, blockList, read, write, lockReg, lock;
    int blockCount;
    std::size_t blockSize;
    int firstListed, lastListed;  // blocks offered for writing
    BlockReadFunction ReaderLibrary::*readBlock;
    BlockWriteFunction ReaderLibrary::*writeBlock;
    LockRegFunction ReaderLibrary::*writeLock;
    std::span<const Caption> captions;
};

// Antenna off, mode 's', 10 ms, antenna on, select; twice at most, each
// failing step reported. The chip identifier, or nothing.
std::optional<uint8_t> SearchStTag(Command& cmd, ReaderLibrary& reader);

class StTagPanel : public WithMessageMap<StTagPanel, CardPanelBase> {
public:
    static std::span<const MessageEntry<StTagPanel>> Messages() { return {}; }

protected:
    StTagPanel(int templateId, PanelContext& context, const StTagSetup& setup);

    BOOL OnInitDialog() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Binds a hex edit limited to `bytes` bytes (0: no limit).
    void SetUpHexEdit(ByteTextEdit& edit, int id, std::size_t bytes);

    // Where the panel shows its blocks: the text of block `block` as bytes,
    // and every block at once (blocks past the end of `texts` end up empty).
    virtual Bytes BlockBytes(int block) const = 0;
    virtual void ShowBlocks(const std::vector<std::wstring>& texts) = 0;

private:
    void OnRequest();
    void OnRead();
    void OnWrite();
    void OnLock();

    StTagSetup setup_;
    std::vector<MessageEntry<StTagPanel>> buttons_;
    ByteTextEdit chipId_;
    ByteTextEdit lockReg_;
};

// What the SR176 and SRIX4K panels share: the ST tag search (two attempts of
// antenna off, mode 's', antenna on and select), reading every block,
// writing the chosen block and setting the lock register. The panel's ids
// and block size decide the rest.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "vantrel/toolkit/byte_text_edit.h"
#include "vantrel/toolkit/card_panel_base.h"
#include "vantrel/toolkit/result_report.h"

using BlockReadFunction = ReaderFunction<int32_t(int32_t, uint8_t, uint8_t*, uint8_t*)>;
using BlockWriteFunction = ReaderFunction<int32_t(int32_t, uint8_t, const uint8_t*)>;
using LockRegFunction = ReaderFunction<int32_t(int32_t, uint8_t)>;

struct StTagSetup {
    int chipId, request, blockList, read, write, lockReg, lock;
    int firstBlockEdit;  // block b's edit is firstBlockEdit + b
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
    // The block edits; the SRIX4K panel creates its own before this base's
    // initialisation binds them.
    std::vector<ByteTextEdit> blocks_;

private:
    void OnRequest();
    void OnRead();
    void OnWrite();
    void OnLock();
    // Empties the block edits unless none has held text since they were
    // last emptied: asking each of 128 edits for its length is what a
    // search would spend most of its own time on.
    void ClearBlocks();

    StTagSetup setup_;
    std::vector<MessageEntry<StTagPanel>> buttons_;
    ByteTextEdit chipId_;
    ByteTextEdit lockReg_;
    // Set by any change to a block edit's text (EN_CHANGE), typed or set.
    bool blocksMayHoldText_ = true;
};

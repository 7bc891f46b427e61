// Scripted cards and panel actions shared by the Mifare panel tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/list_helpers.h"
#include "support/panel_harness.h"
#include "vantrel/panels/iso14443a/mifare_ids.h"
#include "vantrel/toolkit/hex_text.h"

// A card with `uid` answers the anticollision.
inline void CardInField(ScriptedReader& script, std::vector<uint8_t> uid = {0x04, 0xA1, 0xB2, 0xC3}) {
    script.On(script.library.rf_anticoll, [uid](int32_t, uint8_t, uint8_t* out, uint8_t* length) {
        Answer(out, length, uid);
        return 0;
    });
}

// Block n reads as 16 bytes n, n+1, ... ; blocks from `failAt` on fail with 0x14.
inline std::vector<uint8_t> BlockBytes(int block) {
    std::vector<uint8_t> bytes(16);
    for (int i = 0; i < 16; ++i) bytes[i] = static_cast<uint8_t>(block + i);
    return bytes;
}

inline void ServeBlocks(ScriptedReader& script, int failAt = 256) {
    script.On(script.library.rf_M1_read,
              [failAt](int32_t, uint8_t block, uint8_t* out, uint8_t* length) {
                  if (block >= failAt) return 0x14;
                  Answer(out, length, BlockBytes(block));
                  return 0;
              });
}

inline std::wstring BlockHex(int block) { return BytesToHex(BlockBytes(block)); }

struct WrittenBlock {
    int block = -1;
    std::vector<uint8_t> data;
};

inline void CaptureWrites(ScriptedReader& script, WrittenBlock& written) {
    script.On(script.library.rf_M1_write, [&written](int32_t, uint8_t block, const uint8_t* data) {
        written.block = block;
        written.data.assign(data, data + 16);
        return 0;
    });
}

// Selects a card with Search and forgets the calls it took.
template <typename Panel>
void SelectCard(PanelHarness<Panel>& h) {
    CardInField(h.script);
    h.Click(IDC_MF_SEARCH);
    h.script.ClearLog();
}

inline const Calls kFieldReset = {"rf_antenna_sta(0, 0)", "Wait(20)", "rf_init_type(0, 65)", "Wait(20)",
                                  "rf_antenna_sta(0, 1)", "Wait(50)"};

inline Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

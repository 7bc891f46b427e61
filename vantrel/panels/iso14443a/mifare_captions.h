// Captions of the Mifare Classic 1K and 4K panels (one table for both).
#pragma once

#include "vantrel/toolkit/ui_text.h"

enum MifareCaption : int {
    kMfCaptionPurse = 0,
    kMfCaptionWindow,
    kMfCaptionRequest,
    kMfCaptionSector,
    kMfCaptionBlock,
    kMfCaptionKeyA,
    kMfCaptionKeyB,
    kMfCaptionKey,
    kMfCaptionValueDec,
    kMfCaptionValueHex,
    kMfCaptionInitialize,
    kMfCaptionIncrement,
    kMfCaptionDecrement,
    kMfCaptionBalance,
    kMfCaptionReadSector,
    kMfCaptionWriteBlock,
    kMfCaptionReqIdl,
    kMfCaptionHalt,
    kMfCaptionCount,
};

extern const UiTextTable kMifareCaptions;

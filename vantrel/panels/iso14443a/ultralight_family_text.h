// Captions shared by the UltraLight, NTAG203 and UltraLight C panels.
#pragma once

#include "vantrel/toolkit/ui_text.h"

enum UltraLightFamilyText : int {
    kUlTextUidLabel = 0,
    kUlTextPageLabel = 1,
    kUlTextSearch = 2,
    kUlTextRead = 3,
    kUlTextWrite = 4,
    kUlTextReqIdl = 5,
    kUlTextHalt = 6,
};

extern const UiTextTable kUltraLightFamilyCaptions;

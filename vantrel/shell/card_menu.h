// The "Choose Card" menu cut down to the card types this build offers.
#pragma once

#include <windows.h>

// Which card types the build offers (1) or removes from the menu (0).
struct CardAvailability {
    int iso14443a[6];  // SHC1102, UltraLight, Mifare_1K, Mifare_4K, Mifare_DesFire, Mifare_Pro(X)
    int iso14443b[5];  // SR176, SRIX4K, AT88RF020, SmartCard, TRH1064
    int iso15693[4];   // I.CODE SLI, Tag_it, SRF55V02P, SRF55V10P
    int iso7816[2];    // AT88SC1608, CPU Card
    int memory[7];     // AT24C01 .. AT24C64
    int sam;
    int passThrough;
};

extern const CardAvailability kCardAvailability;

// Deletes the items of the removed card types from the menu bar, and the
// popups left without an offered card.
void PruneCardMenu(HMENU menuBar, const CardAvailability& availability);

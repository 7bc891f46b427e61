// The Dump menu of our own, beside the reader's menus: put in the menu bar
// before Help at start, its items enabled by the card type and connection.
#pragma once

#include <windows.h>

namespace dumps {

void AddDumpMenu(HMENU bar);

// Save and Write need a card type with dumps and an open connection;
// Compare a card type with dumps (two files need no reader).
void EnableDumpMenu(HMENU popup, bool offered, bool connected);

}  // namespace dumps

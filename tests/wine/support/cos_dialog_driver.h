// Drives the modal COS command dialog from inside its loop, for the tests of
// the panels that keep a command history.
#pragma once

#include <windows.h>

#include <functional>

// Runs `act` on the COS command dialog once it is open (from inside its modal
// loop); a dialog still open afterwards is closed.
void WhenCosDialogOpens(std::function<void(HWND dialog)> act);
// Sends a double-click at `point` of the dialog's list.
void DoubleClickList(HWND dialog, POINT point);
// The middle of item `index` of the dialog's list.
POINT ListItemCentre(HWND dialog, int index);

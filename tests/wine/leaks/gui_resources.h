// What the process holds of the window system and of memory.
#pragma once

#include <windows.h>

struct GuiObjects {
    DWORD gdi = 0;
    DWORD user = 0;
};

// The process's GDI and USER object counts (GetGuiResources). Where the
// system does not implement that call (Wine), the counts come from probing
// the handle space: GDI objects, and windows, menus, icons and cursors.
GuiObjects CountGuiObjects();

// The process's private committed bytes.
SIZE_T PrivateBytes();

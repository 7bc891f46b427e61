#include "vantrel/dumps/dump_menu.h"

#include "vantrel/dumps/dump_ids.h"

namespace dumps {

void AddDumpMenu(HMENU bar) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, ID_DUMP_SAVE, L"&Save card to file...");
    AppendMenuW(popup, MF_STRING, ID_DUMP_WRITE, L"&Write file to card...");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, ID_DUMP_COMPARE, L"&Compare dumps...");
    // Before the last popup, Help.
    const int count = GetMenuItemCount(bar);
    InsertMenuW(bar, count > 0 ? count - 1 : 0, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(popup), L"&Dump");
}

void EnableDumpMenu(HMENU popup, bool offered, bool connected) {
    const UINT reading = offered && connected ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(popup, ID_DUMP_SAVE, MF_BYCOMMAND | reading);
    EnableMenuItem(popup, ID_DUMP_WRITE, MF_BYCOMMAND | reading);
    EnableMenuItem(popup, ID_DUMP_COMPARE, MF_BYCOMMAND | (offered ? MF_ENABLED : MF_GRAYED));
}

}  // namespace dumps

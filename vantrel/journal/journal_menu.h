// The Journal menu of our own, beside the reader's menus: "Save call
// journal..." and the choice to mask keys in what is saved. Put before Help
// at start; Save is enabled once the journal holds a call.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "vantrel/journal/journal_files.h"

#define ID_JOURNAL_SAVE 33110
#define ID_JOURNAL_MASK_KEYS 33111

namespace journal {

void AddJournalMenu(HMENU bar);
void EnableJournalMenu(HMENU popup, bool hasCalls, bool maskKeys);

// The standard save dialog with the two file types; the type chosen decides
// the form and the name's extension follows it. False: cancelled.
bool BrowseForJournalFile(HWND owner, std::wstring& path);

// Microseconds since 1970 (UTC) now, and as this machine's local time.
int64_t NowMicros();
LocalTime LocalTimeOf(int64_t micros);

}  // namespace journal

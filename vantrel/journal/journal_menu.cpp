#include "vantrel/journal/journal_menu.h"

#include <chrono>

#include "vantrel/toolkit/save_file_dialog.h"

namespace journal {

namespace {

// Between 1601 and 1970, in FILETIME's 100 ns.
constexpr int64_t kEpochDifference = 116'444'736'000'000'000;

struct FileType {
    JournalFormat format;
    const wchar_t* extension;
};
constexpr FileType kFileTypes[] = {
    {JournalFormat::Lines, L"jsonl"},
    {JournalFormat::Csv, L"csv"},
};

FILETIME FileTimeOf(int64_t micros) {
    const auto ticks = static_cast<uint64_t>(micros * 10 + kEpochDifference);
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

int64_t MicrosOf(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    return (ticks - kEpochDifference) / 10;
}

}  // namespace

void AddJournalMenu(HMENU bar) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, ID_JOURNAL_SAVE, L"&Save call journal...");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING | MF_CHECKED, ID_JOURNAL_MASK_KEYS, L"&Mask keys in saved journals");
    // Before the last popup, Help.
    const int count = GetMenuItemCount(bar);
    InsertMenuW(bar, count > 0 ? count - 1 : 0, MF_BYPOSITION | MF_POPUP | MF_STRING,
                reinterpret_cast<UINT_PTR>(popup), L"&Journal");
}

void EnableJournalMenu(HMENU popup, bool hasCalls, bool maskKeys) {
    EnableMenuItem(popup, ID_JOURNAL_SAVE, MF_BYCOMMAND | (hasCalls ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(popup, ID_JOURNAL_MASK_KEYS, MF_BYCOMMAND | (maskKeys ? MF_CHECKED : MF_UNCHECKED));
}

bool BrowseForJournalFile(HWND owner, std::wstring& path) {
    static constexpr SaveFileTypes kTypes{L"Save call journal", L"JSON Lines (*.jsonl)\0*.jsonl\0CSV (*.csv)\0*.csv\0",
                                          L"jsonl"};
    const int chosen = BrowseForSaveFile(owner, kTypes, L"call journal.jsonl", path);
    if (chosen < 0) return false;
    const FileType& type = kFileTypes[chosen == 1 ? 1 : 0];
    if (JournalFormatOf(path) != type.format) path += std::wstring(L".") + type.extension;
    return true;
}

int64_t NowMicros() {
    using namespace std::chrono;
    return duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
}

LocalTime LocalTimeOf(int64_t micros) {
    const FILETIME utcTime = FileTimeOf(micros);
    SYSTEMTIME utc{}, local{};
    FileTimeToSystemTime(&utcTime, &utc);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
    FILETIME localTime{};
    SystemTimeToFileTime(&local, &localTime);
    // Whole minutes: the milliseconds are the same on both sides.
    const int offset = static_cast<int>((MicrosOf(localTime) - (micros - micros % 1000)) / 60'000'000);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, local.wMilliseconds,
            offset};
}

}  // namespace journal

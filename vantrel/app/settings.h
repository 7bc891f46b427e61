// Reading and writing the program's settings in the registry.
#pragma once

#include <windows.h>

#include "vantrel/shell/program_settings.h"

// Name of the program's key below SOFTWARE\Quorvel.
inline constexpr wchar_t kSettingsKeyName[] = L"Ordavi";

// The settings live under HKEY_LOCAL_MACHINE. An account that may not open that
// key with full access, nor create it (any account but an elevated
// administrator's), keeps them in the same key under HKEY_CURRENT_USER instead.

// Reads the four settings over `settings`. A missing key gives card type 1 and
// port 0; a missing or non-DWORD value its default; a card type that no table
// knows becomes 1, a background index outside the skins 0.
void LoadSettings(ProgramSettings& settings, const wchar_t* appKey = kSettingsKeyName,
                  HKEY machineRoot = HKEY_LOCAL_MACHINE);

// Writes all four values; silently does nothing when neither key can be written.
void SaveSettings(const ProgramSettings& settings, const wchar_t* appKey = kSettingsKeyName,
                  HKEY machineRoot = HKEY_LOCAL_MACHINE);

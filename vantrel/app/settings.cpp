#include "vantrel/app/settings.h"

#include "vantrel/app/registry_settings.h"
#include "vantrel/shell/card_registry.h"
#include "vantrel/shell/skin.h"

namespace {

int32_t ReadOr(const RegistrySettings& key, const wchar_t* name, int32_t fallback) {
    int32_t value = 0;
    return key.ReadDword(name, value) ? value : fallback;
}

}  // namespace

void LoadSettings(ProgramSettings& settings, const wchar_t* appKey, HKEY machineRoot) {
    RegistrySettings machine(appKey, machineRoot);
    RegistrySettings user(appKey, HKEY_CURRENT_USER);
    RegistrySettings* opened = machine.OpenForRead() ? &machine : user.OpenForRead() ? &user : nullptr;
    if (opened != nullptr) {
        const RegistrySettings& key = *opened;
        settings.curCard = ReadOr(key, L"CurCard", 1);
        settings.comPort = ReadOr(key, L"ComPort", 0);
        settings.baudRate = ReadOr(key, L"BaudRate", 1);
        settings.curBitmap = ReadOr(key, L"CurBitmap", 0);
    } else {
        settings.curCard = 1;
        settings.comPort = 0;
    }
    if (FindCardType(settings.curCard) == nullptr) settings.curCard = 1;
    if (!IsSkinIndex(settings.curBitmap)) settings.curBitmap = 0;
}

void SaveSettings(const ProgramSettings& settings, const wchar_t* appKey, HKEY machineRoot) {
    RegistrySettings machine(appKey, machineRoot);
    RegistrySettings user(appKey, HKEY_CURRENT_USER);
    RegistrySettings* opened = machine.OpenForWrite() ? &machine : user.OpenForWrite() ? &user : nullptr;
    if (opened == nullptr) return;
    RegistrySettings& key = *opened;
    key.WriteDword(L"CurCard", settings.curCard);
    key.WriteDword(L"ComPort", settings.comPort);
    key.WriteDword(L"BaudRate", settings.baudRate);
    key.WriteDword(L"CurBitmap", settings.curBitmap);
}

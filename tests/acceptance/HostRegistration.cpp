#include "HostRegistration.h"

static const wchar_t KeyName[] = L"KvTervalis";

HostRegistration::HostRegistration() { RegDeleteKeyW(HKEY_CURRENT_USER, KeyName); }

HostRegistration::~HostRegistration() { RegDeleteKeyW(HKEY_CURRENT_USER, KeyName); }

bool HostRegistration::SetFolder(const std::wstring& folder) {
    return Set(REG_SZ, folder.c_str(), DWORD((folder.size() + 1) * sizeof(wchar_t)));
}

bool HostRegistration::SetNumber(DWORD number) { return Set(REG_DWORD, &number, sizeof number); }

bool HostRegistration::Set(DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyName, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG status =
        RegSetValueExW(key, L"Lokalizacja", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

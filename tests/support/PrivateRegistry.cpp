#include "PrivateRegistry.h"

PrivateRegistry::PrivateRegistry()
    : FPath("Software\\InstalatorTests\\" + AnsiString(std::to_string(GetCurrentProcessId()).c_str())) {
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
    RegCreateKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &FRoot,
                    nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, FRoot);
}

PrivateRegistry::~PrivateRegistry() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(FRoot);
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
}

void PrivateRegistry::SetLocation(const AnsiString& folder, DWORD type) {
    SetValue("KvTervalis", "Lokalizacja", type, folder.c_str(), DWORD(folder.size() + 1));
}

void PrivateRegistry::SetValue(const char* key, const char* name, DWORD type, const void* data,
                               DWORD size) {
    HKEY opened;
    RegCreateKeyExA(FRoot, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
    RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(opened);
}

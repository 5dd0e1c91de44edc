#include "PrivateRegistry.h"

#include <sddl.h>

PrivateRegistry::PrivateRegistry()
    : FPath("Software\\InstalatorTests\\" +
            AnsiString(std::to_string(GetCurrentProcessId()).c_str())) {
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
    RegCreateKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &FRoot, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, FRoot);
}

PrivateRegistry::~PrivateRegistry() {
    const std::vector<AnsiString> restricted = std::move(FRestricted);
    for (const AnsiString& key : restricted) RestrictKey(key.c_str(), "D:P(A;;KA;;;WD)");
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

bool PrivateRegistry::RestrictKey(const char* key, const char* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return false;
    HKEY opened;
    LONG result = RegOpenKeyExA(FRoot, key, 0, WRITE_DAC, &opened);
    if (result == ERROR_SUCCESS) {
        result = RegSetKeySecurity(opened, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(opened);
    }
    LocalFree(descriptor);
    if (result == ERROR_SUCCESS) FRestricted.push_back(key);
    return result == ERROR_SUCCESS;
}

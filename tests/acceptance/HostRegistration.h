// The registry value that the host program leaves for the installer:
// "Lokalizacja" of HKEY_CURRENT_USER\KvTervalis, in the prefix's real registry.
#pragma once

#include <windows.h>

#include <string>

// Removes the key when created (a leftover of a broken run) and when it goes.
class HostRegistration {
public:
    HostRegistration();
    ~HostRegistration();
    HostRegistration(const HostRegistration&) = delete;
    HostRegistration& operator=(const HostRegistration&) = delete;

    // Each gives false when the value could not be written.
    bool SetFolder(const std::wstring& folder);  // REG_SZ
    bool SetNumber(DWORD number);                // REG_DWORD

private:
    bool Set(DWORD type, const void* data, DWORD size);
};

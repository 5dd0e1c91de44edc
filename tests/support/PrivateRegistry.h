// A private HKEY_CURRENT_USER for one test: an empty key that stands in for the
// user's hive while the test runs, removed afterwards.
#pragma once

#include <windows.h>

#include "System.h"

class PrivateRegistry {
public:
    PrivateRegistry();
    ~PrivateRegistry();
    PrivateRegistry(const PrivateRegistry&) = delete;
    PrivateRegistry& operator=(const PrivateRegistry&) = delete;

    // Writes the host folder value the way the host program leaves it.
    void SetLocation(const AnsiString& folder, DWORD type = REG_SZ);
    void SetValue(const char* key, const char* name, DWORD type, const void* data, DWORD size);

private:
    AnsiString FPath;
    HKEY FRoot = nullptr;
};

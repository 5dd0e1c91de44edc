// A private HKEY_CURRENT_USER for one test: an empty key that stands in for the
// user's hive while the test runs, removed afterwards.
#pragma once

#include <windows.h>

#include <vector>

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
    // Gives a key (below the private root) the access list of an SDDL string,
    // e.g. "D:P(A;;KR;;;WD)": everyone may read it, nobody may change it.
    bool RestrictKey(const char* key, const char* sddl);

private:
    AnsiString FPath;
    HKEY FRoot = nullptr;
    std::vector<AnsiString> FRestricted;  // opened up again before removal
};

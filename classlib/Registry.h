// The registry accessor.
#pragma once

#include <windows.h>

#include "SysUtils.h"

class ERegistryException : public Exception {
    using Exception::Exception;
};

class TRegistry {
public:
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey = HKEY_CURRENT_USER;

    // Opens a key below the root with the accessor's access rights.
    bool OpenKey(const AnsiString& key, bool canCreate);
    void CloseKey();
    bool ValueExists(const AnsiString& name);
    // A string value as stored, up to its first NUL; an empty value reads as "".
    AnsiString ReadString(const AnsiString& name);

private:
    REGSAM FAccess;
    HKEY FCurrentKey = nullptr;
};

// Records, while it lives, the keys that this program opens with RegOpenKeyExA
// and the handles that it closes with RegCloseKey.
#pragma once

#include <windows.h>

#include <vector>

#include "ImportHook.h"
#include "System.h"

class RegistryWatch {
public:
    struct Open {
        AnsiString SubKey;
        REGSAM Access;
        LONG Result;
        HKEY Key;  // the opened key, or null
    };

    RegistryWatch();
    ~RegistryWatch();
    RegistryWatch(const RegistryWatch&) = delete;
    RegistryWatch& operator=(const RegistryWatch&) = delete;

    bool Watching() const { return FOpenHook.Installed() && FCloseHook.Installed(); }
    const std::vector<Open>& Opens() const { return FOpens; }
    // Keys opened and not yet closed.
    int KeysLeftOpen() const;

private:
    static LONG WINAPI OpenKey(HKEY root, LPCSTR subKey, DWORD options, REGSAM access, PHKEY key);
    static LONG WINAPI CloseKey(HKEY key);

    ImportHook FOpenHook;
    ImportHook FCloseHook;
    std::vector<Open> FOpens;
    std::vector<HKEY> FClosed;
    static RegistryWatch* FCurrent;
};

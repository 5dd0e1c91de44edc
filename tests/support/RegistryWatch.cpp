#include "RegistryWatch.h"

#include <algorithm>

RegistryWatch* RegistryWatch::FCurrent = nullptr;

RegistryWatch::RegistryWatch()
    : FOpenHook("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<const void*>(OpenKey)),
      FCloseHook("advapi32.dll", "RegCloseKey", reinterpret_cast<const void*>(CloseKey)) {
    FCurrent = this;
}

RegistryWatch::~RegistryWatch() { FCurrent = nullptr; }

int RegistryWatch::KeysLeftOpen() const {
    int open = 0;
    for (const Open& opened : FOpens)
        if (opened.Key && std::count(FClosed.begin(), FClosed.end(), opened.Key) == 0) ++open;
    return open;
}

LONG WINAPI RegistryWatch::OpenKey(HKEY root, LPCSTR subKey, DWORD options, REGSAM access,
                                   PHKEY key) {
    const auto original =
        reinterpret_cast<decltype(&RegOpenKeyExA)>(FCurrent->FOpenHook.Original());
    const LONG result = original(root, subKey, options, access, key);
    FCurrent->FOpens.push_back(
        {subKey ? subKey : "", access, result, result == ERROR_SUCCESS ? *key : nullptr});
    return result;
}

LONG WINAPI RegistryWatch::CloseKey(HKEY key) {
    FCurrent->FClosed.push_back(key);
    return reinterpret_cast<decltype(&RegCloseKey)>(FCurrent->FCloseHook.Original())(key);
}

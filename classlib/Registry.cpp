#include "Registry.h"

#include <vector>

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate) {
    CloseKey();
    LONG result = canCreate ? RegCreateKeyExA(RootKey, key.c_str(), 0, nullptr, 0, FAccess, nullptr,
                                              &FCurrentKey, nullptr)
                            : RegOpenKeyExA(RootKey, key.c_str(), 0, FAccess, &FCurrentKey);
    if (result != ERROR_SUCCESS) FCurrentKey = nullptr;
    return FCurrentKey != nullptr;
}

void TRegistry::CloseKey() {
    if (FCurrentKey) RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
}

bool TRegistry::ValueExists(const AnsiString& name) {
    return FCurrentKey && RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr,
                                           nullptr) == ERROR_SUCCESS;
}

AnsiString TRegistry::ReadString(const AnsiString& name) {
    DWORD size = 0;
    if (!FCurrentKey ||
        RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0)
        return AnsiString();
    std::vector<char> data(size);
    DWORD type = REG_NONE;
    if (RegQueryValueExA(FCurrentKey, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to get data for '" + FromAnsi(name) + L"'");
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        throw ERegistryException(L"Invalid data type for '" + FromAnsi(name) + L"'");
    size_t length = 0;
    while (length < size && data[length]) ++length;
    return AnsiString(data.data(), length);
}

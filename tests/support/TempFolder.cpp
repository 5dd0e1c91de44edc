#include "TempFolder.h"

#include <windows.h>

TempFolder::TempFolder() {
    static int count = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    FPath = AnsiString(temp) + "instalator-" + std::to_string(GetCurrentProcessId()).c_str() + "-" +
            std::to_string(++count).c_str();
    RemoveTree(FPath);
    MakeFolder(FPath);
}

TempFolder::~TempFolder() { RemoveTree(FPath); }

bool FileExists(const AnsiString& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

AnsiString ReadFileBytes(const AnsiString& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return AnsiString();
    AnsiString bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

void WriteFileBytes(const AnsiString& path, const AnsiString& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void MakeFolder(const AnsiString& path) { CreateDirectoryA(path.c_str(), nullptr); }

void RemoveTree(const AnsiString& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            AnsiString name = found.cFileName;
            if (name == "." || name == "..") continue;
            AnsiString child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

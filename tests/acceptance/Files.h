// Folders and files that the journeys prepare and inspect.
#pragma once

#include <string>
#include <vector>

// A fresh folder below the system's temporary folder, removed with everything in
// it when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return FPath; }
    std::wstring operator/(const std::wstring& name) const { return FPath + L"\\" + name; }

private:
    std::wstring FPath;
};

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
void MakeFolder(const std::wstring& path);
void RemoveTree(const std::wstring& path);
// Copies the file into the folder under its own name; false on failure.
bool CopyInto(const std::wstring& file, const std::wstring& folder);
// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::wstring& path);
// The names of the files and folders in a folder, sorted.
std::vector<std::wstring> NamesIn(const std::wstring& folder);
// The part of a path after its last backslash.
std::wstring NameOf(const std::wstring& path);

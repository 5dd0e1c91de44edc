// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include "System.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const AnsiString& Path() const { return FPath; }
    AnsiString operator/(const AnsiString& name) const { return FPath + "\\" + name; }

private:
    AnsiString FPath;
};

// Small file helpers for tests.
bool FileExists(const AnsiString& path);
AnsiString ReadFileBytes(const AnsiString& path);
void WriteFileBytes(const AnsiString& path, const AnsiString& bytes);
void MakeFolder(const AnsiString& path);
void RemoveTree(const AnsiString& path);

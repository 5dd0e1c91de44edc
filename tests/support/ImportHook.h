// Redirects one function that the test program imports from a system DLL for
// as long as the object lives. Calls made through the program's import table,
// those of the code under test included, reach the replacement instead; the
// replacement reaches the system's function through Original().
#pragma once

#include <windows.h>

#include <vector>

class ImportHook {
public:
    ImportHook(const char* dll, const char* function, const void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    // False when the program does not import the function (nothing redirected).
    bool Installed() const { return !FSlots.empty(); }
    const void* Original() const { return FOriginal; }

private:
    const void* FOriginal;
    std::vector<const void**> FSlots;
};

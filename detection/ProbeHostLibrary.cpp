// The companion library probe: loads ORVANLIB.dll from HostDir, asks it for the
// edition and the owner's name, and releases it again.
#include <cstring>

#include "Guarded.h"
#include "Unit1.h"

namespace {

using TestSiecFunc = unsigned char(WINAPI*)();  // only AL of the result counts
using WlascicielFunc = void(WINAPI*)(unsigned char* buffer);

// What the guarded query reads and writes. Nothing here has a destructor: a
// failure in the library leaves QueryLibrary's frame without unwinding it.
struct LibraryQuery {
    HMODULE Library;
    unsigned char* IsNetworkEdition;
    ShortString* OwnerName;
};

template <typename Func>
Func FindExport(HMODULE library, const char* name) {
    return reinterpret_cast<Func>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// A missing export leaves its field as it was.
void QueryLibrary(void* context) {
    const LibraryQuery& query = *static_cast<LibraryQuery*>(context);
    if (auto testSiec = FindExport<TestSiecFunc>(query.Library, "TestSiec"))
        *query.IsNetworkEdition = testSiec();
    if (auto wlasciciel = FindExport<WlascicielFunc>(query.Library, "Wlasciciel")) {
        unsigned char buffer[256];
        wlasciciel(buffer);
        std::memcpy(query.OwnerName->Data, buffer, buffer[0] + 1u);
    }
}

// The path as the loader would resolve it: "\x" lies on the current drive.
AnsiString FullPath(const AnsiString& path) {
    const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    AnsiString full(size, '\0');
    const DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

// Systems that know AddDllDirectory also know the LOAD_LIBRARY_SEARCH_ flags.
bool HasSearchFlags() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel && GetProcAddress(kernel, "AddDllDirectory");
}

// Loads the library so that the DLLs it imports come from its own folder and
// System32, never from the installer's folder or the current directory. Where
// the system lacks the search flags, the altered search order puts the
// library's folder in place of the installer's, and the application has taken
// the current directory out of the search at start-up (SetDllDirectory("")).
HMODULE LoadFromOwnFolder(const AnsiString& path) {
    const AnsiString full = FullPath(path);
    const DWORD flags = HasSearchFlags()
                            ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                            : LOAD_WITH_ALTERED_SEARCH_PATH;
    return LoadLibraryExA(full.c_str(), nullptr, flags);
}

}  // namespace

void TForm1::ProbeHostLibrary() {
    HostFound = true;
    LibHandle = LoadFromOwnFolder(HostDir + "\\ORVANLIB.dll");
    if (!LibHandle) {
        HostFound = false;
        return;
    }
    LibraryQuery query{LibHandle, &IsNetworkEdition, &OwnerName};
    if (!RunGuarded(QueryLibrary, &query)) HostFound = false;
    FreeLibrary(LibHandle);
    LibHandle = nullptr;
}

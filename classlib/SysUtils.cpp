#include "SysUtils.h"

#include <windows.h>

int FileSetAttr(const AnsiString& fileName, unsigned attributes) {
    return SetFileAttributesA(fileName.c_str(), attributes) ? 0 : int(GetLastError());
}

String IntToStr(long long value) {
    unsigned long long magnitude = value < 0 ? 0ull - value : value;
    String digits;
    do {
        digits.insert(digits.begin(), wchar_t(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude);
    return value < 0 ? L"-" + digits : digits;
}

AnsiString ExtractFileDir(const AnsiString& path) {
    size_t slash = path.find_last_of('\\');
    if (slash == AnsiString::npos) return AnsiString();
    if (slash > 0 && (path[slash - 1] == ':' || path[slash - 1] == '\\')) ++slash;
    return path.substr(0, slash);
}

AnsiString ExeName() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return AnsiString(path, n < MAX_PATH ? n : 0);
}

String SysErrorMessage(unsigned error) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text(buffer ? buffer : L"", n);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

#include "System.h"

#include <windows.h>

String FromCodePage(const AnsiString& text, unsigned codePage) {
    if (text.empty()) return String();
    int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    String wide(n, L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), &wide[0], n);
    return wide;
}

String FromAnsi(const AnsiString& text) { return FromCodePage(text, CP_ACP); }

String FromUtf8(const AnsiString& text) { return FromCodePage(text, CP_UTF8); }

AnsiString ToAnsi(const String& text) {
    if (text.empty()) return AnsiString();
    int n =
        WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    AnsiString ansi(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), int(text.size()), &ansi[0], n, nullptr, nullptr);
    return ansi;
}

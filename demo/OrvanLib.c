/* A stand-in for the host program's companion library, for trying the installer
   on a machine without the host program: a single-workstation edition owned by
   a demonstration laboratory. */
#include <windows.h>

BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

__declspec(dllexport) unsigned char TestSiec(void) { return 0; }

/* The owner's name as a length byte and its characters, in code page 1250. */
__declspec(dllexport) void WINAPI Wlasciciel(unsigned char* buffer) {
    static const char owner[] = "Laboratorium Bada\xF1 Demonstracyjne";
    unsigned char length = (unsigned char)(sizeof owner - 1);
    buffer[0] = length;
    for (unsigned char i = 0; i < length; ++i) buffer[1 + i] = (unsigned char)owner[i];
}

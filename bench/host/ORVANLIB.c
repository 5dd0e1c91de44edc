/* A stand-in for the host program's companion library, so that the benchmark
   has a host folder to detect: a single-user edition owned by a fixed name. */
#include <windows.h>

BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

BOOL WINAPI TestSiec(void)
{
    return FALSE;
}

void WINAPI Wlasciciel(unsigned char* buffer)
{
    static const char name[] = "Biuro Rachunkowe Kowalski";
    unsigned i;
    buffer[0] = sizeof name - 1;
    for (i = 1; i < sizeof name; i++)
        buffer[i] = (unsigned char)name[i - 1];
}

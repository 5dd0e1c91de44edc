// Holds the Wine desktop open while the tests run. Wine closes a desktop, ending its
// explorer.exe, as soon as no process uses it; the next test then starts a new one, which
// inherits that test's output, and CTest waits for it. Prints "ready" once the desktop is up.
#include <windows.h>

#include <cstdio>

int main() {
    if (!GetDesktopWindow()) return 1;
    std::puts("ready");
    std::fflush(stdout);
    Sleep(INFINITE);
}

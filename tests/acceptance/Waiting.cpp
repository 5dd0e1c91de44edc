#include "Waiting.h"

#include <gtest/gtest.h>

DWORD Patience() { return ::testing::Test::HasFailure() ? 2000 : GenerousTimeoutMs; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() > deadline) return false;
        Sleep(10);
    }
}

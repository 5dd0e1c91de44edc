// Waiting for what the installer shows, never for a fixed time.
#pragma once

#include <windows.h>

#include <functional>

// Long enough for a heavily loaded machine; a wait that succeeds returns as soon
// as its condition holds, so only a failing test ever waits this long.
constexpr DWORD GenerousTimeoutMs = 60000;

// How long to wait for the next thing to happen: generously, but once the test
// has failed only briefly, so that a journey gone wrong ends soon.
DWORD Patience();

// Polls the condition until it holds (true) or the time is up (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = Patience());

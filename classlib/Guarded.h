// Running code that may fault: processor faults, structured exceptions and
// C++ exceptions all end the call instead of the process.
#pragma once

using GuardedProc = void (*)(void* context);

// Calls proc(context) under a structured-exception frame of its own and a
// catch-all for C++ exceptions. Returns true when proc returned, false when it
// faulted or raised. A failure abandons the frames of proc and of everything it
// called without running their destructors: keep objects with destructors out
// of them. Calls may nest; the thread's handler chain is as before on return.
bool RunGuarded(GuardedProc proc, void* context);

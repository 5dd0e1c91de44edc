// The guard's structured-exception frame: a registration record pushed on the
// thread's handler chain (fs:[0]) whose handler unwinds the frames above it and
// jumps back to the point saved when the record was pushed.
#include "Guarded.h"

#include <windows.h>

namespace {

struct GuardFrame {
    GuardFrame* Prev;  // the registration record: next handler in the chain,
    void* Handler;     // and this frame's handler
    void* Resume[5];   // where RunGuarded resumes after a failure
};

GuardFrame* HandlerChain() {
    GuardFrame* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetHandlerChain(GuardFrame* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

}  // namespace

// RtlUnwind(frame, ip, record, 0) runs and removes the handlers above frame.
// It does not keep ebx, esi, edi and ebp for its caller, so it is called
// through a stub that does.
extern "C" void GuardUnwind(void* frame, EXCEPTION_RECORD* record);
asm(R"(
    .text
    .p2align 2
_GuardUnwind:
    pushl %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 20(%esp), %eax
    movl 24(%esp), %ecx
    pushl $0
    pushl %ecx
    pushl $1f
    pushl %eax
    call _RtlUnwind@16
1:  popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace {

// Called by the system for every exception that reaches the frame.
EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* establisher, CONTEXT*,
                                           void*) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    GuardUnwind(establisher, record);
    __builtin_longjmp(static_cast<GuardFrame*>(establisher)->Resume, 1);
}

bool CallCatchingCxx(GuardedProc proc, void* context) {
    try {
        proc(context);
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

bool RunGuarded(GuardedProc proc, void* context) {
    GuardFrame frame;
    frame.Prev = HandlerChain();
    frame.Handler = reinterpret_cast<void*>(GuardHandler);
    if (__builtin_setjmp(frame.Resume) != 0) {
        SetHandlerChain(frame.Prev);  // the handler has unwound down to our record
        return false;
    }
    SetHandlerChain(&frame);
    const bool completed = CallCatchingCxx(proc, context);
    SetHandlerChain(frame.Prev);
    return completed;
}

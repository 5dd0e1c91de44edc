// The guard: every kind of failure in the guarded code ends the call, the
// caller carries on with its registers and the thread's handler chain intact.
#include <gtest/gtest.h>
#include <windows.h>

#include "Guarded.h"
#include "SysUtils.h"

namespace {

void* HandlerChain() {
    void* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

// Each guarded procedure first counts its call in *context.
void Reached(void* context) { ++*static_cast<int*>(context); }

void Completes(void* context) { Reached(context); }

void AccessViolation(void* context) {
    Reached(context);
    volatile int* volatile unmapped = reinterpret_cast<int*>(16);
    *unmapped = 1;
}

void IllegalInstruction(void* context) {
    Reached(context);
    asm volatile("ud2");
}

void IntegerDivisionByZero(void* context) {
    Reached(context);
    volatile int dividend = 1;  // both volatile: GCC turns 1 / x into a comparison
    volatile int zero = 0;
    volatile int quotient = dividend / zero;
    (void)quotient;
}

void Breakpoint(void* context) {
    Reached(context);
    asm volatile("int3");
}

// As another language's run-time raises its own exceptions.
void ForeignException(void* context) {
    Reached(context);
    const ULONG_PTR arguments[2] = {1, 2};
    RaiseException(0xE04F524E, EXCEPTION_NONCONTINUABLE, 2, arguments);
}

void ContinuableException(void* context) {
    Reached(context);
    RaiseException(0xE0000001, 0, 0, nullptr);
}

void CxxException(void* context) {
    Reached(context);
    throw Exception(L"raised inside the guard");
}

// A registration record of the guarded code's own, as a library may push one:
// it declines every exception and counts how the system called it.
struct HandlerCalls {
    int Searches;
    int Unwinds;
};

HandlerCalls OwnFrameCalls;

struct OwnFrame {
    OwnFrame* Prev;
    void* Handler;
};

EXCEPTION_DISPOSITION __cdecl DeclineAndCount(EXCEPTION_RECORD* record, void*, CONTEXT*, void*) {
    if (record->ExceptionFlags & EXCEPTION_UNWINDING)
        ++OwnFrameCalls.Unwinds;
    else
        ++OwnFrameCalls.Searches;
    return ExceptionContinueSearch;
}

// Faults with its own record on top of the chain; the guard must unwind it.
void FaultUnderOwnFrame(void* context) {
    OwnFrame frame{static_cast<OwnFrame*>(HandlerChain()),
                   reinterpret_cast<void*>(DeclineAndCount)};
    asm volatile("movl %0, %%fs:0" : : "r"(&frame) : "memory");
    AccessViolation(context);
}

struct GuardCase {
    const char* name;
    GuardedProc proc;
    bool completes;
};

const GuardCase kGuardCases[] = {
    {"Completes", Completes, true},
    {"AccessViolation", AccessViolation, false},
    {"IllegalInstruction", IllegalInstruction, false},
    {"IntegerDivisionByZero", IntegerDivisionByZero, false},
    {"Breakpoint", Breakpoint, false},
    {"ForeignStructuredException", ForeignException, false},
    {"ContinuableStructuredException", ContinuableException, false},
    {"CxxException", CxxException, false},
};

class RunGuardedCase : public testing::TestWithParam<GuardCase> {};

TEST_P(RunGuardedCase, EndsTheCallAndRestoresTheHandlerChain) {
    const GuardCase& c = GetParam();
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        void* const chain = HandlerChain();
        int calls = 0;
        EXPECT_EQ(RunGuarded(c.proc, &calls), c.completes);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(HandlerChain(), chain);
    }
}

INSTANTIATE_TEST_SUITE_P(Guard, RunGuardedCase, testing::ValuesIn(kGuardCases),
                         [](const testing::TestParamInfo<GuardCase>& info) {
                             return std::string(info.param.name);
                         });

// Calls RunGuarded with known values in ebx, esi and edi, which every callee
// must keep, and tells whether they came back.
bool KeepsCalleeSavedRegisters(GuardedProc proc) {
    int calls = 0;
    int* context = &calls;
    bool (*run)(GuardedProc, void*) = RunGuarded;
    unsigned ebx, esi, edi;
    asm volatile(
        "movl $0x11111111, %%ebx\n\t"
        "movl $0x22222222, %%esi\n\t"
        "movl $0x33333333, %%edi\n\t"
        "pushl %%edx\n\t"
        "pushl %%ecx\n\t"
        "call *%%eax\n\t"
        "addl $8, %%esp"
        : "=b"(ebx), "=S"(esi), "=D"(edi), "+a"(run), "+c"(proc), "+d"(context)
        :
        : "memory", "cc");
    return calls == 1 && ebx == 0x11111111 && esi == 0x22222222 && edi == 0x33333333;
}

TEST(RunGuarded, CallerKeepsItsRegisters) {
    for (const GuardCase& c : kGuardCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(KeepsCalleeSavedRegisters(c.proc));
    }
}

TEST(RunGuarded, UnwindsFramesThatTheGuardedCodePushed) {
    void* const chain = HandlerChain();
    OwnFrameCalls = {0, 0};
    int calls = 0;
    EXPECT_FALSE(RunGuarded(FaultUnderOwnFrame, &calls));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(OwnFrameCalls.Searches, 1);  // asked first, declined
    EXPECT_EQ(OwnFrameCalls.Unwinds, 1);   // then unwound before the guard resumed
    EXPECT_EQ(HandlerChain(), chain);
}

void InnerFails(void* context) {
    Reached(context);
    int innerCalls = 0;
    if (RunGuarded(AccessViolation, &innerCalls) || innerCalls != 1)
        throw Exception(L"the inner guard did not catch the fault");
}

void InnerCompletesThenFaults(void* context) {
    int innerCalls = 0;
    if (!RunGuarded(Completes, &innerCalls) || innerCalls != 1)
        throw Exception(L"the inner guard did not complete");
    AccessViolation(context);
}

TEST(RunGuarded, Nests) {
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        void* const chain = HandlerChain();
        int calls = 0;
        EXPECT_TRUE(RunGuarded(InnerFails, &calls));
        EXPECT_FALSE(RunGuarded(InnerCompletesThenFaults, &calls));
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(HandlerChain(), chain);
    }
}

}  // namespace

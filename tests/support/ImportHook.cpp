#include "ImportHook.h"

static void SetSlot(const void** slot, const void* value) {
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

ImportHook::ImportHook(const char* dll, const char* function, const void* replacement)
    : FOriginal(reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA(dll), function))) {
    if (!FOriginal) return;
    auto base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
    auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    // Every slot bound to the function, whichever DLL name the linker gave it.
    for (; descriptor->Name; ++descriptor) {
        auto slot =
            reinterpret_cast<const void**>(const_cast<BYTE*>(base) + descriptor->FirstThunk);
        for (; *slot; ++slot)
            if (*slot == FOriginal) FSlots.push_back(slot);
    }
    for (const void** slot : FSlots) SetSlot(slot, replacement);
}

ImportHook::~ImportHook() {
    for (const void** slot : FSlots) SetSlot(slot, FOriginal);
}

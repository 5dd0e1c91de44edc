#include "Classes.h"

#include "FormLoader.h"

HINSTANCE HInstance = GetModuleHandleA(nullptr);

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
    if (owner) owner->FComponents.push_back(this);
}

TComponent::~TComponent() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        FComponents.pop_back();
        last->FOwner = nullptr;
        delete last;
    }
    if (FOwner) {
        auto& siblings = FOwner->FComponents;
        for (auto it = siblings.begin(); it != siblings.end(); ++it)
            if (*it == this) {
                siblings.erase(it);
                break;
            }
    }
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
    for (TComponent* c : FComponents)
        if (lstrcmpiA(c->Name.c_str(), name.c_str()) == 0) return c;
    return nullptr;
}

bool TComponent::ReadProperty(const AnsiString& name, const TFormValue& value,
                              TFormLoader& loader) {
    if (name == "Tag") {
        Tag = loader.Int(value);
        return true;
    }
    return false;
}

void TStream::WriteBuffer(const void* buffer, long count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

void TCustomMemoryStream::SetPointer(const void* memory, long size) {
    FMemory = memory;
    FSize = size;
    FPosition = 0;
}

long TCustomMemoryStream::Read(void* buffer, long count) {
    long n = count < FSize - FPosition ? count : FSize - FPosition;
    if (n <= 0) return 0;
    CopyMemory(buffer, static_cast<const char*>(FMemory) + FPosition, n);
    FPosition += n;
    return n;
}

long TCustomMemoryStream::Write(const void*, long) { return 0; }

void TCustomMemoryStream::SaveToStream(TStream& stream) { stream.WriteBuffer(FMemory, FSize); }

void TCustomMemoryStream::SaveToFile(const AnsiString& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TResourceStream::TResourceStream(HINSTANCE instance, const AnsiString& name, const char* type)
    : FResource(nullptr) {
    HRSRC info = FindResourceA(instance, name.c_str(), type);
    if (!info) throw EResNotFound(L"Resource " + FromAnsi(name) + L" not found");
    FResource = LoadResource(instance, info);
    if (!FResource) throw EResNotFound(L"Resource " + FromAnsi(name) + L" not found");
    SetPointer(LockResource(FResource), long(SizeofResource(instance, info)));
}

TResourceStream::~TResourceStream() { FreeResource(FResource); }

TFileStream::TFileStream(const AnsiString& fileName, TFileMode)
    : FHandle(CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (FHandle == INVALID_HANDLE_VALUE)
        throw EFCreateError(L"Cannot create file \"" + FromAnsi(fileName) + L"\". " +
                            SysErrorMessage(GetLastError()));
}

TFileStream::~TFileStream() { CloseHandle(FHandle); }

long TFileStream::Read(void* buffer, long count) {
    DWORD n = 0;
    return ReadFile(FHandle, buffer, DWORD(count), &n, nullptr) ? long(n) : 0;
}

long TFileStream::Write(const void* buffer, long count) {
    DWORD n = 0;
    return WriteFile(FHandle, buffer, DWORD(count), &n, nullptr) ? long(n) : 0;
}

void TFileStream::Flush() {
    if (!FlushFileBuffers(FHandle)) throw EWriteError(SysErrorMessage(GetLastError()));
}

// Components, events and streams.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "SysUtils.h"

struct TFormValue;
class TFormLoader;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Calls a handler; an exception that escapes it goes to the application's handler.
void DispatchEvent(const TNotifyEvent& event, TObject* sender);

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    AnsiString Name;
    int Tag = 0;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents[index]; }
    TComponent* FindComponent(const AnsiString& name) const;

    // Sets one stored property; false when the class has no such property.
    virtual bool ReadProperty(const AnsiString& name, const TFormValue& value, TFormLoader& loader);
    // Runs once the whole layout has been read and every reference resolved.
    virtual void Loaded() {}

private:
    TComponent* FOwner;
    std::vector<TComponent*> FComponents;
};

class TStream : public TObject {
public:
    virtual long Read(void* buffer, long count) = 0;
    virtual long Write(const void* buffer, long count) = 0;
    void WriteBuffer(const void* buffer, long count);  // raises EWriteError when short
};

// A stream over memory that someone else owns.
class TCustomMemoryStream : public TStream {
public:
    const void* Memory() const { return FMemory; }
    long Size() const { return FSize; }
    long Read(void* buffer, long count) override;
    long Write(const void* buffer, long count) override;
    void SaveToStream(TStream& stream);
    void SaveToFile(const AnsiString& fileName);

protected:
    void SetPointer(const void* memory, long size);

private:
    const void* FMemory = nullptr;
    long FSize = 0;
    long FPosition = 0;
};

// A read-only stream over a module resource, read in place.
class TResourceStream : public TCustomMemoryStream {
public:
    TResourceStream(HINSTANCE instance, const AnsiString& name, const char* type);
    ~TResourceStream() override;

private:
    HGLOBAL FResource;
};

enum TFileMode { fmCreate };

class TFileStream : public TStream {
public:
    TFileStream(const AnsiString& fileName, TFileMode mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    long Read(void* buffer, long count) override;
    long Write(const void* buffer, long count) override;
    void Flush();  // raises EWriteError when the data cannot be committed to disk

private:
    HANDLE FHandle;
};

// The module whose resources the program reads.
extern HINSTANCE HInstance;

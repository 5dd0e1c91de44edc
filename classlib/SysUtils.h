// Exceptions and small system routines.
#pragma once

#include "System.h"

class Exception {
public:
    explicit Exception(String message) : FMessage(std::move(message)) {}
    virtual ~Exception() = default;
    const String& Message() const { return FMessage; }

private:
    String FMessage;
};

class EOutOfResources : public Exception {
    using Exception::Exception;
};
class EResNotFound : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFCreateError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFilerError : public EStreamError {
    using EStreamError::EStreamError;
};

// Sets a file's attributes; returns 0 or the system error code. Never raises.
int FileSetAttr(const AnsiString& fileName, unsigned attributes);

String IntToStr(long long value);

// The folder part of a path: up to the last backslash, keeping it only after a
// drive colon or another backslash (C:\Instalator.exe gives C:\).
AnsiString ExtractFileDir(const AnsiString& path);
// The full path of the running program.
AnsiString ExeName();

// The text of a system error code, for exception messages.
String SysErrorMessage(unsigned error);

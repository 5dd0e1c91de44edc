#include "WriteFileReplacing.h"

static AnsiString NewFileBeside(const AnsiString& target) {
    AnsiString folder = target.substr(0, target.find_last_of('\\') + 1);
    char name[MAX_PATH];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "r12", 0, name))
        throw EFCreateError(L"Cannot create a file beside \"" + FromAnsi(target) + L"\". " +
                            SysErrorMessage(GetLastError()));
    return name;
}

void WriteFileReplacing(TCustomMemoryStream& stream, const AnsiString& target) {
    AnsiString temporary = NewFileBeside(target);
    try {
        {
            TFileStream file(temporary, fmCreate);
            stream.SaveToStream(file);
            file.Flush();
        }
        if (!MoveFileExA(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            throw EFCreateError(L"Cannot replace \"" + FromAnsi(target) + L"\". " +
                                SysErrorMessage(GetLastError()));
    } catch (...) {
        DeleteFileA(temporary.c_str());
        throw;
    }
}

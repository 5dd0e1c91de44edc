// The floor for the installation pass: a window with one button that writes the
// eighteen templates from this program's resources into <folder>\SZABLONY\ and
// then shows the completion text.
//   FloorWrite.exe plain <folder>    SetFileAttributesA, CreateFileA, one WriteFile
//   FloorWrite.exe replace <folder>  the same, through a temporary file beside
//                                    the target: write, flush, move over the target
#include <windows.h>

#include <cstring>

namespace {

const char* const Names[18] = {
    "RPT_A1.rtf", "RPT_A2.rtf", "RPT_B1.rtf", "RPT_B2.rtf", "RPT_B3.rtf", "RPT_B4.rtf",
    "RPT_B5.rtf", "RPT_C1.rtf", "RPT_C2.rtf", "RPT_C3.rtf", "RPT_D1.rtf", "RPT_D2.rtf",
    "RPT_E1.rtf", "RPT_E2.rtf", "RPT_F1.rtf", "RPT_F2.rtf", "RPT_F3.rtf", "Rpt_D_Extra.rtf",
};

bool Replace = false;
char Folder[MAX_PATH];
HWND Status;

bool WriteWhole(const char* path, const void* data, DWORD size) {
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, size, &written, nullptr) && written == size;
    if (ok && Replace) ok = FlushFileBuffers(file);
    CloseHandle(file);
    return ok;
}

bool WriteTemplate(int row, const char* target) {
    char name[16];
    wsprintfA(name, "PLIK%dT", row + 1);
    HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10));
    HGLOBAL data = info ? LoadResource(nullptr, info) : nullptr;
    if (!data) return false;
    const void* bytes = LockResource(data);
    const DWORD size = SizeofResource(nullptr, info);
    SetFileAttributesA(target, FILE_ATTRIBUTE_ARCHIVE);
    if (!Replace) return WriteWhole(target, bytes, size);
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(Folder, "r12", 0, temporary)) return false;
    if (WriteWhole(temporary, bytes, size) &&
        MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temporary);
    return false;
}

void Install() {
    char target[MAX_PATH];
    for (int row = 0; row < 18; row++) {
        wsprintfA(target, "%s%s", Folder, Names[row]);
        if (!WriteTemplate(row, target)) {
            SetWindowTextW(Status, L"Błąd.");
            return;
        }
    }
    SetWindowTextW(Status, L"Gotowe. Zainstalowano nakładkę R12T.");
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) Install();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// "plain|replace <folder>": the folder gets "\SZABLONY\" appended.
void ReadArguments(const char* line) {
    Replace = std::strncmp(line, "replace ", 8) == 0;
    const char* folder = std::strchr(line, ' ');
    wsprintfA(Folder, "%s\\SZABLONY\\", folder ? folder + 1 : ".");
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR line, int show) {
    ReadArguments(line);
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"FloorWrite";
    RegisterClassW(&wc);
    const DWORD style = WS_CAPTION | WS_SYSMENU;
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Floor", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 400, 160, nullptr, nullptr, instance, nullptr);
    CreateWindowExW(0, L"BUTTON", L"Instaluj", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100,
                    25, window, nullptr, instance, nullptr);
    Status = CreateWindowExW(0, L"STATIC", L" ", WS_CHILD | WS_VISIBLE, 10, 50, 370, 40, window,
                             nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// Instalator: installs overlay R12T into the templates folder of Tervalis.
#include <windows.h>

#include "Forms.h"
#include "Unit1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        Application->Initialize();
        Application->SetTitle(L"Instalator");
        Application->CreateForm(Form1);
        Application->Run();
    } catch (const Exception& e) {
        Application->HandleException(e);
    }
    return 0;
}

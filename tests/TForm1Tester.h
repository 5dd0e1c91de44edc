// Reaches TForm1's private state and methods for the tests.
#pragma once

#include "Unit1.h"

class TForm1Tester {
public:
    static AnsiString& HostDir(TForm1& form) { return form.HostDir; }
    static bool& HostFound(TForm1& form) { return form.HostFound; }
    static HMODULE& LibHandle(TForm1& form) { return form.LibHandle; }
    static unsigned char& IsNetworkEdition(TForm1& form) { return form.IsNetworkEdition; }
    static ShortString& OwnerName(TForm1& form) { return form.OwnerName; }

    static void ProbeHostLibrary(TForm1& form) { form.ProbeHostLibrary(); }
};

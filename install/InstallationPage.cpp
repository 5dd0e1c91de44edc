// The installation page: writes the templates below the host folder.
#include "WriteFileReplacing.h"
#include "TemplateTable.h"
#include "Unit1.h"

void TForm1::TabSheet3Show(TObject*) {
    try {
        BitBtn1->SetEnabled(false);
        StaticText6->SetCaption(StaticText6->Caption() + L"Instalacja nakładki R12T." + L"\r");
        // Only a folder that passed the probe is written to.
        if (!HostFound) throw Exception(L"The host folder has not been confirmed");
        for (const TemplateRow& row : TemplateTable) {
            TResourceStream stream(HInstance, row.ResourceName, MAKEINTRESOURCEA(10));
            AnsiString target = HostDir + row.RelativePath;
            FileSetAttr(target, FILE_ATTRIBUTE_ARCHIVE);
            StaticText4->SetCaption(FromAnsi(row.ProgressText));
            StaticText4->Update();
            WriteFileReplacing(stream, target);
        }
        StaticText4->SetCaption(L"");
        StaticText6->SetCaption(StaticText6->Caption() +
                                L"Gotowe. Zainstalowano nakładkę R12T. Zamknij instalatora i "
                                L"uruchom program \"Tervalis\"." +
                                L"\r" + L"\r");
        StaticText6->SetCaption(StaticText6->Caption() +
                                L"Jeśli pracujesz w sieci pamiętaj aby zainstalować nakładkę na "
                                L"wszystkich komputerach.");
    } catch (...) {
        BitBtn1->SetEnabled(true);
        StaticText6->SetCaption(StaticText6->Caption() +
                                L"Wystąpił problem podczas instalacji, instalacja nie powiodła "
                                L"się!. Skontaktuj się ze sprzedawcą.");
    }
}

// The installation page: writes the templates below the host folder.
#include "TemplateTable.h"
#include "Unit1.h"
#include "WriteFileReplacing.h"

void TForm1::TabSheet3Show(TObject*) {
    try {
        BitBtn1->SetEnabled(false);
        AppendText(StaticText6, L"Instalacja nakładki R12T.\r");
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
        AppendText(StaticText6,
                   L"Gotowe. Zainstalowano nakładkę R12T. Zamknij instalatora i "
                   L"uruchom program \"Tervalis\".\r\r");
        AppendText(StaticText6,
                   L"Jeśli pracujesz w sieci pamiętaj aby zainstalować nakładkę na "
                   L"wszystkich komputerach.");
    } catch (...) {
        BitBtn1->SetEnabled(true);
        AppendText(StaticText6,
                   L"Wystąpił problem podczas instalacji, instalacja nie powiodła "
                   L"się!. Skontaktuj się ze sprzedawcą.");
    }
}

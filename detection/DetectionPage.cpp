// The detection page: finds the host program's folder and confirms it.
#include "Dialogs.h"
#include "Registry.h"
#include "Unit1.h"

static const wchar_t NextPrompt[] = L"Naciśnij przycisk \"Dalej >>\" aby zainstalować nakładkę.";

static String EditionLine(bool network) {
    return network ? L"Odnaleziono wersję sieciową programu \"Tervalis\".\r"
                   : L"Odnaleziono wersję jednostanowiskową programu \"Tervalis\".\r";
}

void TForm1::TabSheet2Show(TObject*) {
    if (TabSheet2->Tag == 0) {
        // Read access is all the installer needs: it never writes the key.
        TRegistry registry(KEY_READ);
        registry.OpenKey("KvTervalis", false);
        if (registry.ValueExists("Lokalizacja")) {
            HostDir = registry.ReadString("Lokalizacja");
            ProbeHostLibrary();
            if (HostFound) {
                StaticText3->SetCaption(EditionLine(IsNetworkEdition != 0));
                AppendText(StaticText3, L"Lokalizacja: " + FromAnsi(HostDir) + L"\r");
                AppendText(StaticText3, FromAnsi(OwnerName.Str()) + L"\r");
                AppendText(StaticText3, NextPrompt);
            } else {
                ShowMessage(
                    L"Nie odnaleziono potrzebnych składników programu, skontaktuj się ze "
                    L"sprzedawcą. Nastąpi zamknięcie instalatora.");
                Form1->Close();
            }
        } else {
            StaticText3->SetCaption(
                L"Nie odnaleziono rejestru!!!\rProblem z określeniem lokalizacji programu "
                L"\"Tervals\". Określ lokalizację programu na dysku lub skontaktuj się ze "
                L"sprzedawcą.");
            BitBtn2->SetEnabled(false);
            Edit1->SetVisible(true);
            BitBtn5->SetVisible(true);
        }
    }
    TabSheet2->Tag = 1;
}

// Browse for the host folder
void TForm1::BitBtn5Click(TObject*) {
    AnsiString folder = ExtractFileDir(ExeName());
    if (SelectDirectory(L"Wybierz folder:", folder)) {
        if (!folder.empty() && folder.back() == '\\') folder.pop_back();
        HostDir = folder;
    }
    Edit1->SetText(FromAnsi(HostDir));
    ProbeHostLibrary();
    if (!HostFound) {
        ShowMessage(
            L"W podanej lokalizacji nie odnaleziono potrzebnych składników programu. "
            L"Zmień lokalizację lub skontaktuj się ze sprzedawcą.");
        return;
    }
    StaticText3->SetCaption(EditionLine(IsNetworkEdition != 0));
    AppendText(StaticText3, FromAnsi(OwnerName.Str()) + L"\r");
    AppendText(StaticText3, NextPrompt);
    BitBtn2->SetEnabled(true);
}

// Leaving the page after a failed lookup resets it, so that the next showing
// looks the folder up again.
void TForm1::TabSheet2Hide(TObject*) {
    if (TabSheet2->Tag != 0) return;
    Edit1->SetVisible(false);
    BitBtn5->SetVisible(false);
    StaticText3->SetCaption(L"");
}

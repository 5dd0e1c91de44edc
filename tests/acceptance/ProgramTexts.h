// The installer's own texts, as its windows and message boxes show them. "\r"
// is the single carriage return that the static texts show as a line break.
#pragma once

constexpr wchar_t ApplicationTitle[] = L"Instalator";
constexpr wchar_t WindowTitle[] = L"Nakładka dla programu \"Tervalis\" R12T";

constexpr wchar_t CancelCaption[] = L"Anuluj";
constexpr wchar_t BackCaption[] = L"<< Cofnij";
constexpr wchar_t NextCaption[] = L"Dalej >>";
constexpr wchar_t CloseCaption[] = L"Zamknij.";
constexpr wchar_t BrowseCaption[] = L"...";

constexpr wchar_t WelcomeText[] =
    L"Instalator zainstaluje nakładkę na szablony sprawozdania z badań.\r"
    L"Efekt działania:\r"
    L"Przywraca wersję szablonu sprawozdania sprzed zainstalowania nakładki R12P\r"
    L"\r"
    L"Naciśnij przycisk \"Dalej >>\" jeśli chcesz kontynuować.\r";

constexpr wchar_t DetectionHeading[] = L"Trwa wyszukiwanie zainstalowanych składników programu.";
constexpr wchar_t StatusAsLoaded[] = L"Odnaleziono:";
constexpr wchar_t NetworkEditionLine[] = L"Odnaleziono wersję sieciową programu \"Tervalis\".\r";
constexpr wchar_t SingleEditionLine[] =
    L"Odnaleziono wersję jednostanowiskową programu \"Tervalis\".\r";
constexpr wchar_t LocationLabel[] = L"Lokalizacja: ";
constexpr wchar_t NextPrompt[] = L"Naciśnij przycisk \"Dalej >>\" aby zainstalować nakładkę.";
constexpr wchar_t RegistryMissingText[] =
    L"Nie odnaleziono rejestru!!!\rProblem z określeniem lokalizacji programu \"Tervals\". "
    L"Określ lokalizację programu na dysku lub skontaktuj się ze sprzedawcą.";

constexpr wchar_t ComponentsMissingMessage[] =
    L"Nie odnaleziono potrzebnych składników programu, skontaktuj się ze sprzedawcą. "
    L"Nastąpi zamknięcie instalatora.";
constexpr wchar_t ChosenFolderWrongMessage[] =
    L"W podanej lokalizacji nie odnaleziono potrzebnych składników programu. Zmień lokalizację "
    L"lub skontaktuj się ze sprzedawcą.";
constexpr wchar_t ChooserPrompt[] = L"Wybierz folder:";
// The registry error as the default error handler shows it: no full stop is
// appended after a closing apostrophe.
constexpr wchar_t InvalidTypeMessage[] = L"Invalid data type for 'Lokalizacja'";

constexpr wchar_t LogStart[] = L"Instalacja nakładki R12T.\r";
constexpr wchar_t LogDone[] =
    L"Gotowe. Zainstalowano nakładkę R12T. Zamknij instalatora i uruchom program \"Tervalis\".\r\r";
constexpr wchar_t LogReminder[] =
    L"Jeśli pracujesz w sieci pamiętaj aby zainstalować nakładkę na wszystkich komputerach.";
constexpr wchar_t LogFailure[] =
    L"Wystąpił problem podczas instalacji, instalacja nie powiodła się!. Skontaktuj się ze "
    L"sprzedawcą.";

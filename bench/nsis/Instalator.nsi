; The peer: the same job as Instalator.exe, written the usual NSIS way with the
; Modern UI. Welcome page, the folder from HKCU\KvTervalis "Lokalizacja", the
; eighteen templates written into its SZABLONY folder, Polish texts in a
; Unicode build; NSIS defaults otherwise.
; Build: makensis -INPUTCHARSET UTF8 -DOUTFILE=<exe> Instalator.nsi

Unicode true
!include MUI2.nsh

!ifndef OUTFILE
  !define OUTFILE "Instalator-NSIS.exe"
!endif
!define TEMPLATES "..\..\resources\templates"

Name "Nakładka R12T"
Caption 'Nakładka dla programu "Tervalis" R12T'
OutFile "${OUTFILE}"
InstallDirRegKey HKCU "KvTervalis" "Lokalizacja"
CompletedText 'Gotowe. Zainstalowano nakładkę R12T. Zamknij instalatora i uruchom program "Tervalis".'

!define MUI_WELCOMEPAGE_TITLE "Nakładka R12T"
!define MUI_WELCOMEPAGE_TEXT "Instalator zainstaluje nakładkę na szablony sprawozdania z badań.$\r$\nEfekt działania:$\r$\nPrzywraca wersję szablonu sprawozdania sprzed zainstalowania nakładki R12P$\r$\n$\r$\nNaciśnij przycisk $\"Dalej >$\" jeśli chcesz kontynuować."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

Section
  SetOutPath "$INSTDIR\SZABLONY"
  File "${TEMPLATES}\RPT_A1.rtf"
  File "${TEMPLATES}\RPT_A2.rtf"
  File "${TEMPLATES}\RPT_B1.rtf"
  File "${TEMPLATES}\RPT_B2.rtf"
  File "${TEMPLATES}\RPT_B3.rtf"
  File "${TEMPLATES}\RPT_B4.rtf"
  File "${TEMPLATES}\RPT_B5.rtf"
  File "${TEMPLATES}\RPT_C1.rtf"
  File "${TEMPLATES}\RPT_C2.rtf"
  File "${TEMPLATES}\RPT_C3.rtf"
  File "${TEMPLATES}\RPT_D1.rtf"
  File "${TEMPLATES}\RPT_D2.rtf"
  File "${TEMPLATES}\RPT_E1.rtf"
  File "${TEMPLATES}\RPT_E2.rtf"
  File "${TEMPLATES}\RPT_F1.rtf"
  File "${TEMPLATES}\RPT_F2.rtf"
  File "${TEMPLATES}\RPT_F3.rtf"
  File "${TEMPLATES}\Rpt_D_Extra.rtf"
SectionEnd

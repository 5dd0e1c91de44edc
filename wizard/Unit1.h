// The installer's wizard window.
#pragma once

#include <windows.h>

#include "Buttons.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

class TForm1 : public TForm {
public:  // bound by name from the stored layout
    TPanel* Panel1 = nullptr;
    TPanel* Panel2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TBitBtn* BitBtn3 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TStaticText* StaticText2 = nullptr;
    TStaticText* StaticText1 = nullptr;
    TImage* Image2 = nullptr;
    TStaticText* StaticText3 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    TStaticText* StaticText6 = nullptr;
    TBitBtn* BitBtn4 = nullptr;
    TEdit* Edit1 = nullptr;
    TBitBtn* BitBtn5 = nullptr;
    TStaticText* StaticText4 = nullptr;

    void BitBtn3Click(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void BitBtn1Click(TObject* Sender);
    void FormCreate(TObject* Sender);
    void BitBtn4Click(TObject* Sender);
    void TabSheet2Show(TObject* Sender);
    void BitBtn5Click(TObject* Sender);
    void TabSheet2Hide(TObject* Sender);
    void TabSheet3Show(TObject* Sender);

    using TForm::TForm;

    static const TPublishedTable Published;

private:
    friend class TForm1Tester;  // tests reach the probe and the state through it

    void ProbeHostLibrary();

    AnsiString HostDir;
    bool HostFound = false;
    HMODULE LibHandle = nullptr;
    unsigned char IsNetworkEdition = 0;  // the byte the library returned; non-zero is true
    ShortString OwnerName;
};

extern TForm1* Form1;

// Appends to a control's text: reads it, adds the piece and sets the result.
void AppendText(TControl* control, const String& piece);

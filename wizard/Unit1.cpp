// The wizard window: creation and navigation between its pages.
#include "Unit1.h"

TForm1* Form1 = nullptr;

static const TPublishedField Fields[] = {
    {"Panel1", PublishedField<&TForm1::Panel1>},
    {"Panel2", PublishedField<&TForm1::Panel2>},
    {"BitBtn1", PublishedField<&TForm1::BitBtn1>},
    {"BitBtn2", PublishedField<&TForm1::BitBtn2>},
    {"BitBtn3", PublishedField<&TForm1::BitBtn3>},
    {"Image1", PublishedField<&TForm1::Image1>},
    {"Label1", PublishedField<&TForm1::Label1>},
    {"Label2", PublishedField<&TForm1::Label2>},
    {"Label3", PublishedField<&TForm1::Label3>},
    {"Label4", PublishedField<&TForm1::Label4>},
    {"Label5", PublishedField<&TForm1::Label5>},
    {"Label6", PublishedField<&TForm1::Label6>},
    {"Label7", PublishedField<&TForm1::Label7>},
    {"PageControl1", PublishedField<&TForm1::PageControl1>},
    {"TabSheet1", PublishedField<&TForm1::TabSheet1>},
    {"TabSheet2", PublishedField<&TForm1::TabSheet2>},
    {"StaticText2", PublishedField<&TForm1::StaticText2>},
    {"StaticText1", PublishedField<&TForm1::StaticText1>},
    {"Image2", PublishedField<&TForm1::Image2>},
    {"StaticText3", PublishedField<&TForm1::StaticText3>},
    {"TabSheet3", PublishedField<&TForm1::TabSheet3>},
    {"StaticText6", PublishedField<&TForm1::StaticText6>},
    {"BitBtn4", PublishedField<&TForm1::BitBtn4>},
    {"Edit1", PublishedField<&TForm1::Edit1>},
    {"BitBtn5", PublishedField<&TForm1::BitBtn5>},
    {"StaticText4", PublishedField<&TForm1::StaticText4>},
};

static const TPublishedMethod Methods[] = {
    {"BitBtn3Click", PublishedMethod<&TForm1::BitBtn3Click>},
    {"BitBtn2Click", PublishedMethod<&TForm1::BitBtn2Click>},
    {"BitBtn1Click", PublishedMethod<&TForm1::BitBtn1Click>},
    {"FormCreate", PublishedMethod<&TForm1::FormCreate>},
    {"BitBtn4Click", PublishedMethod<&TForm1::BitBtn4Click>},
    {"TabSheet2Show", PublishedMethod<&TForm1::TabSheet2Show>},
    {"BitBtn5Click", PublishedMethod<&TForm1::BitBtn5Click>},
    {"TabSheet2Hide", PublishedMethod<&TForm1::TabSheet2Hide>},
    {"TabSheet3Show", PublishedMethod<&TForm1::TabSheet3Show>},
};

const TPublishedTable TForm1::Published = {"TForm1", Fields, Methods};

void AppendText(TControl* control, const String& piece) {
    control->SetCaption(control->Caption() + piece);
}

void TForm1::FormCreate(TObject*) {
    PageControl1->SetActivePageIndex(0);
    HostDir = "";
    HostFound = false;
    IsNetworkEdition = 0;
    OwnerName = ShortString();

    StaticText2->SetCaption(
        L"Instalator zainstaluje nakładkę na szablony sprawozdania z badań.\r"
        L"Efekt działania:\r");
    AppendText(StaticText2,
               L"Przywraca wersję szablonu sprawozdania sprzed zainstalowania "
               L"nakładki R12P\r\r");
    AppendText(StaticText2, L"Naciśnij przycisk \"Dalej >>\" jeśli chcesz kontynuować.\r");
}

// Next
void TForm1::BitBtn2Click(TObject*) {
    BitBtn1->SetEnabled(true);
    int last = PageControl1->PageCount() - 1;
    if (PageControl1->ActivePageIndex() < last)
        PageControl1->SetActivePageIndex(PageControl1->ActivePageIndex() + 1);
    if (PageControl1->ActivePageIndex() == last) {
        BitBtn2->SetEnabled(false);
        BitBtn3->SetEnabled(false);
    }
}

// Back
void TForm1::BitBtn1Click(TObject*) {
    BitBtn2->SetEnabled(true);
    BitBtn3->SetEnabled(true);
    if (PageControl1->ActivePageIndex() > 0)
        PageControl1->SetActivePageIndex(PageControl1->ActivePageIndex() - 1);
    if (PageControl1->ActivePageIndex() == 0) BitBtn1->SetEnabled(false);
}

// Cancel
void TForm1::BitBtn3Click(TObject*) { Form1->Close(); }

// Close
void TForm1::BitBtn4Click(TObject*) { Form1->Close(); }

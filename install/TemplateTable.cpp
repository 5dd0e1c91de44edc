#include "TemplateTable.h"

const TemplateRow TemplateTable[18] = {
    {"Plik1T", "\\SZABLONY\\RPT_A1.rtf", "\\SZABLONY\\RPT_A1.rtf"},
    {"Plik2T", "\\SZABLONY\\RPT_A2.rtf", "\\SZABLONY\\RPT_A2.rtf"},
    {"Plik3T", "\\SZABLONY\\RPT_B1.rtf", "Plik"},
    {"Plik4T", "\\SZABLONY\\RPT_B2.rtf", "\\SZABLONY\\RPT_B2.rtf"},
    {"Plik5T", "\\SZABLONY\\RPT_B3.rtf", "\\SZABLONY\\RPT_B3.rtf"},
    {"Plik6T", "\\SZABLONY\\RPT_B4.rtf", "\\SZABLONY\\RPT_B4.rtf"},
    {"Plik7T", "\\SZABLONY\\RPT_B5.rtf", "\\SZABLONY\\RPT_B5.rtf"},
    {"Plik8T", "\\SZABLONY\\RPT_C1.rtf", "\\SZABLONY\\RPT_C1.rtf"},
    {"Plik9T", "\\SZABLONY\\RPT_C2.rtf", "\\SZABLONY\\RPT_C2.rtf"},
    {"Plik10T", "\\SZABLONY\\RPT_C3.rtf", "\\SZABLONY\\RPT_C3.rtf"},
    {"Plik11T", "\\SZABLONY\\RPT_D1.rtf", "\\SZABLONY\\RPT_D1.rtf"},
    {"Plik12T", "\\SZABLONY\\RPT_D2.rtf", "\\SZABLONY\\RPT_D2.rtf"},
    {"Plik13T", "\\SZABLONY\\RPT_E1.rtf", "\\SZABLONY\\RPT_E1.rtf"},
    {"Plik14T", "\\SZABLONY\\RPT_E2.rtf", "\\SZABLONY\\RPT_E2.rtf"},
    {"Plik15T", "\\SZABLONY\\RPT_F1.rtf", "\\SZABLONY\\RPT_F1.rtf"},
    {"Plik16T", "\\SZABLONY\\RPT_F2.rtf", "\\SZABLONY\\RPT_F2.rtf"},
    {"Plik17T", "\\SZABLONY\\RPT_F3.rtf", "\\SZABLONY\\RPT_F3.rtf"},
    {"Plik18T", "\\SZABLONY\\Rpt_D_Extra.rtf", "\\SZABLONY\\Rpt_D_Extra.rtf"},
};

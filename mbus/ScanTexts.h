// Built-in English texts of the New-ID dialog, the Scan & Decode window and its dialogs.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock MBusScanTexts();

constexpr int Txt_Scan_Start_Range = 2206;
constexpr int Txt_Key_Characters = 2303;
constexpr int Txt_Key_Length = 2304;
constexpr int Txt_Start_Add_Row = 2408;
constexpr int Txt_Start_Add_Empty = 2409;
constexpr int Txt_Start_Add_Range = 2410;

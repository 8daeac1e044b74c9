// Built-in English texts of the shell's windows and shared messages.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock MainWindowTexts();  // 0 .. 99: main window
TTextBlock NewProjectTexts();  // 100 .. 199: New Configuration dialog
TTextBlock OpenConfTexts();    // 200 .. 299: Open Configuration dialog
TTextBlock SoftOptionsTexts(); // 300 .. 399: options window
TTextBlock RowRoutineTexts();  // 1100 .. 1102: messages of the shared row routines

// Spare number of the main window's block: the settings file could not be written.
constexpr int Text_Settings_Not_Saved = 86;

// Built-in English texts of the M-Bus network editor's checks and file, and the numbers the code uses.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock MBusNetworkTexts();

// Messages for a network file that cannot be read whole or saved ("%s" the reason, the element,
// "%d" its position).
constexpr int Txt_Net_Read_Error = 1808;
constexpr int Txt_Net_Read_Incomplete = 1809; // element, its number, node number, attribute
constexpr int Txt_Net_Save_Error = 1810;
constexpr int Txt_Net_Save_Incomplete = 1817; // question before saving a partly read network

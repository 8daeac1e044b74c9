// Built-in English texts of the M-Bus network editor: captions, buttons, menu items and questions.
#pragma once

#include "app/DefaultTexts.h"

TTextBlock MBusEditorTexts();

#include "app/DefaultTexts.h"

#include "app/ShellTexts.h"
#include "gateway/BootTexts.h"
#include "gateway/LoRaWANTexts.h"
#include "gateway/ParGenTexts.h"

std::span<const TTextBlock> DefaultTextBlocks() {
  // One line per window's block; a later block wins where two name the same number.
  static const TTextBlock Blocks[] = {
      MainWindowTexts(), NewProjectTexts(), OpenConfTexts(),   SoftOptionsTexts(),
      ParGenTexts(),     BootTexts(),       RowRoutineTexts(), LoRaWANSetAccessTexts(),
  };
  return Blocks;
}

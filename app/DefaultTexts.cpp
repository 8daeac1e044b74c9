#include "app/DefaultTexts.h"

#include "app/Composition.h"

std::span<const TTextBlock> DefaultTextBlocks() {
  return Composition().Texts;
}

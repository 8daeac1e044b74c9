#include "controls/ProStyleIFComboBoxX.h"
#include "platform/ui/Resources.h"

const std::array<TBitmap, 8>& ComboBoxXImages() {
  static const std::array<TBitmap, 8> images = [] {
    const char* const names[] = {"CBX_BMP_EDIT",  "CBX_BMP_NEW", "CBX_BMP_NEW_D", "CBX_BMP_DEL",
                                 "CBX_BMP_DEL_D", "CBX_BMP_UP",  "CBX_BMP_DOWN",  "CBX_BMP_PINS"};
    std::array<TBitmap, 8> loaded;
    for (std::size_t i = 0; i < loaded.size(); ++i)
      loaded[i] = ResourceBitmap(names[i]);
    return loaded;
  }();
  return images;
}

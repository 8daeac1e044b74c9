// Picture decoding (BMP, ICO, GIF, JPEG) and bitmap loading: bytes decode within the pixel cap or
// are refused with a reason.
#include "platform/ui/Graphics.h"
#include "platform/ui/PictureDecode.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnsureFuzzGui();
  const std::string bytes(AsText(data, size));
  TBitmap picture;
  std::string error;
  if (DecodePicture(bytes, picture, &error))
    FuzzCheck(std::int64_t(picture.Width()) * picture.Height() <= MaxPicturePixels,
              "pictures stay within the cap");
  else
    FuzzCheck(!error.empty(), "a refused picture says why");
  TBitmap loaded;
  loaded.LoadFromBytes(bytes);
  return 0;
}

// GIF frame stepping: a picture that loads can be stepped and shown at any frame; a frame that
// cannot be shown leaves the one before.
#include "controls/PictureContainer.h"
#include "controls/PictureContainerGif.h"
#include "support/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EnsureFuzzGui();
  const std::string bytes(AsText(data, size));
  const std::vector<std::size_t> starts = GifFrameStarts(bytes);
  for (std::size_t start : starts)
    GifFrameDelay(bytes, start);
  THTMLPicture picture;
  try {
    picture.LoadFromBytes(bytes);
  } catch (const EPictureError&) {
    FuzzCheck(picture.Empty(), "a refused picture stays empty");
    return 0;
  }
  for (int i = 0; i < 40; ++i)
    picture.Step();
  for (int frame = 0; frame <= picture.FrameCount() + 1 && frame < 20; ++frame) {
    const int width = picture.Width();
    try {
      picture.SetFrame(frame);
    } catch (const EPictureError&) {
      FuzzCheck(picture.Width() == width, "a frame that fails leaves the one before");
    }
  }
  return 0;
}

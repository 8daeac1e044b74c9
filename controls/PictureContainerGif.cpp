#include "controls/PictureContainerGif.h"

namespace {

std::uint8_t At(const std::string& bytes, std::size_t i) {
  return static_cast<std::uint8_t>(bytes[i]);
}

std::uint16_t Word(const std::string& bytes, std::size_t i) {
  return static_cast<std::uint16_t>(At(bytes, i) | (At(bytes, i + 1) << 8));
}

} // namespace

bool IsGifData(const std::string& bytes) {
  return bytes.size() >= 5 && bytes.compare(0, 4, "GIF8") == 0;
}

std::vector<std::size_t> GifFrameStarts(const std::string& bytes) {
  std::vector<std::size_t> starts;
  for (std::size_t j = 0; j + 9 < bytes.size(); ++j)
    if (At(bytes, j) == 0x21 && At(bytes, j + 1) == 0xF9 && At(bytes, j + 2) == 4 && At(bytes, j + 8) == 0x2C)
      starts.push_back(j);
  return starts;
}

int GifFrameDelay(const std::string& bytes, std::size_t start) {
  if (start + 5 >= bytes.size()) return -1;
  return Word(bytes, start + 4);
}

bool GifScreenSize(const std::string& bytes, std::uint16_t& width, std::uint16_t& height) {
  if (bytes.size() < 10) return false;
  width = Word(bytes, 6);
  height = Word(bytes, 8);
  return true;
}

bool DropGifFramesBefore(const std::string& bytes, const std::vector<std::size_t>& starts, int frame,
                         std::string& out, TGifFrameRect& rect) {
  out.clear();
  if (starts.empty()) {
    out = bytes;
    return true;
  }
  out.append(bytes, 0, starts.front());
  for (std::size_t i = 0; i < starts.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    const std::size_t begin = starts[i], end = i + 1 < starts.size() ? starts[i + 1] : bytes.size();
    if (number == frame) {
      // left, top, width and height follow the descriptor's 0x2C at begin + 8
      if (begin + 16 >= bytes.size()) return false;
      rect = {Word(bytes, begin + 9), Word(bytes, begin + 11), Word(bytes, begin + 13),
              Word(bytes, begin + 15)};
    }
    if (number >= frame) out.append(bytes, begin, end - begin);
  }
  return true;
}

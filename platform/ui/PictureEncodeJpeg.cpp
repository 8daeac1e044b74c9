// libjpeg's errors jump back to the encoder; nothing with a destructor lives in the frame that the
// jump crosses.
#include "platform/ui/PictureEncodeJpeg.h"

#include "platform/Colors.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

struct TJpegError {
  jpeg_error_mgr Manager; // first, so libjpeg's pointer to it is a pointer to this
  std::jmp_buf Jump;
};

[[noreturn]] void FailJpeg(j_common_ptr info) {
  std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

bool Compress(const unsigned char* rgb, int width, int height, int quality, unsigned char** out,
              unsigned long* size, TJpegError* err, jpeg_compress_struct* info) {
  info->err = jpeg_std_error(&err->Manager);
  err->Manager.error_exit = FailJpeg;
  err->Manager.output_message = IgnoreMessage;
  if (setjmp(err->Jump)) {
    jpeg_destroy_compress(info);
    return false;
  }
  jpeg_create_compress(info);
  jpeg_mem_dest(info, out, size);
  info->image_width = static_cast<JDIMENSION>(width);
  info->image_height = static_cast<JDIMENSION>(height);
  info->input_components = 3;
  info->in_color_space = JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, quality, TRUE);
  jpeg_start_compress(info, TRUE);
  while (info->next_scanline < info->image_height) {
    JSAMPROW row =
        const_cast<unsigned char*>(rgb + std::size_t(info->next_scanline) * std::size_t(width) * 3);
    jpeg_write_scanlines(info, &row, 1);
  }
  jpeg_finish_compress(info);
  jpeg_destroy_compress(info);
  return true;
}

} // namespace

std::string EncodeJpeg(const TBitmap& bitmap, int quality) {
  const int width = bitmap.Width(), height = bitmap.Height();
  if (width <= 0 || height <= 0) return {};
  std::vector<unsigned char> rgb(std::size_t(width) * std::size_t(height) * 3);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const TColor c = bitmap.Pixel(x, y);
      rgb[at++] = static_cast<unsigned char>(GetRValue(c));
      rgb[at++] = static_cast<unsigned char>(GetGValue(c));
      rgb[at++] = static_cast<unsigned char>(GetBValue(c));
    }
  unsigned char* out = nullptr;
  unsigned long size = 0;
  TJpegError err;
  jpeg_compress_struct info;
  const bool ok = Compress(rgb.data(), width, height, std::clamp(quality, 1, 100), &out, &size, &err, &info);
  std::string bytes = ok && out ? std::string(reinterpret_cast<const char*>(out), size) : std::string();
  std::free(out);
  return bytes;
}

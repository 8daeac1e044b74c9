// JPEG through libjpeg. Its errors jump back to the decoder; nothing with a destructor lives in
// the frame that the jump crosses.
#include "platform/ui/PictureDecodeImpl.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>
// jerror.h needs jpeglib.h first
#include <jerror.h>

namespace {

struct TJpegError {
  jpeg_error_mgr Manager; // first, so libjpeg's pointer to it is a pointer to this
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void FailJpeg(j_common_ptr info) {
  auto* err = reinterpret_cast<TJpegError*>(info->err);
  (*info->err->format_message)(info, err->Message);
  std::longjmp(err->Jump, 1);
}

void IgnoreMessage(j_common_ptr) {}

// Data that ends early, or a scan cut short by the next marker, is padded by the library and
// would decode as a grey success.
void FailOnEndOfData(j_common_ptr info, int level) {
  if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
    FailJpeg(info);
}

enum class TJpegResult { Ok, Damaged, TooLarge, TooShort };

// Decodes into `image`; only plain data lives here besides the libjpeg state.
TJpegResult Decompress(const unsigned char* data, unsigned long size, QImage* image, TJpegError* err,
                       jpeg_decompress_struct* info) {
  info->err = jpeg_std_error(&err->Manager);
  err->Manager.error_exit = FailJpeg;
  err->Manager.output_message = IgnoreMessage;
  err->Manager.emit_message = FailOnEndOfData;
  if (setjmp(err->Jump)) {
    jpeg_destroy_decompress(info);
    return TJpegResult::Damaged;
  }
  jpeg_create_decompress(info);
  jpeg_mem_src(info, const_cast<unsigned char*>(data), size);
  jpeg_read_header(info, TRUE);
  const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
  info->out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  const qint64 pixels = qint64(info->image_width) * info->image_height;
  if (pixels > MaxPicturePixels) {
    jpeg_destroy_decompress(info);
    return TJpegResult::TooLarge;
  }
  // Every 8 x 8 block takes at least a bit: data that could not fill half the picture is damaged,
  // and nothing of its size is made.
  if (pixels / 2 > qint64(size) * 512) {
    jpeg_destroy_decompress(info);
    return TJpegResult::TooShort;
  }
  jpeg_start_decompress(info);
  const int width = static_cast<int>(info->output_width), height = static_cast<int>(info->output_height);
  const int channels = info->output_components;
  *image = QImage(width, height, QImage::Format_ARGB32);
  if (image->isNull() || (channels != 3 && channels != 4)) {
    jpeg_destroy_decompress(info);
    return TJpegResult::TooLarge;
  }
  // One row of samples, kept in the image's last row until it is converted in place.
  const bool inverted = info->saw_Adobe_marker;
  while (info->output_scanline < info->output_height) {
    const int y = static_cast<int>(info->output_scanline);
    JSAMPROW row = image->scanLine(y);
    // A row of 4-byte pixels has room for the 3 or 4 samples per pixel that libjpeg writes.
    jpeg_read_scanlines(info, &row, 1);
    auto* out = reinterpret_cast<QRgb*>(image->scanLine(y));
    const unsigned char* in = row;
    if (channels == 3) {
      for (int x = width - 1; x >= 0; --x) // backwards: the samples are denser than the pixels
        out[x] = qRgb(in[3 * x], in[3 * x + 1], in[3 * x + 2]);
    } else {
      for (int x = 0; x < width; ++x) {
        int c = in[4 * x], m = in[4 * x + 1], ye = in[4 * x + 2], k = in[4 * x + 3];
        if (!inverted) c = 255 - c, m = 255 - m, ye = 255 - ye, k = 255 - k;
        out[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
      }
    }
  }
  jpeg_finish_decompress(info);
  jpeg_destroy_decompress(info);
  return TJpegResult::Ok;
}

} // namespace

bool DecodeJpegImage(const std::string& bytes, QImage& image, std::string& error) {
  TJpegError err{};
  jpeg_decompress_struct info{};
  QImage decoded;
  switch (Decompress(reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<unsigned long>(bytes.size()), &decoded, &err, &info)) {
  case TJpegResult::Ok:
    image = std::move(decoded);
    return true;
  case TJpegResult::TooLarge:
    error = "The picture is too large";
    return false;
  case TJpegResult::TooShort:
    error = "The JPEG picture is damaged: its data is far too short for its size";
    return false;
  case TJpegResult::Damaged:
    break;
  }
  error = std::string("The JPEG picture is damaged: ") + err.Message;
  return false;
}

#include "grid/FilePicture.h"

#include "controls/PictureContainer.h"
#include "platform/Files.h"
#include "platform/ui/PictureDecode.h"

#include <sys/stat.h>

TFilePicture::TFilePicture() = default;
TFilePicture::~TFilePicture() = default;

bool TFilePicture::Load(std::string* error) {
  struct stat st {};
  if (FFilename.empty() || ::stat(FFilename.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    FPicture.reset();
    if (error) *error = "Cannot open file \"" + FFilename + "\".";
    return false;
  }
  std::int64_t stamp = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  if (FPicture && stamp == FStamp && st.st_size == FSize) return true;
  FPicture.reset();
  std::string bytes;
  if (!ReadFileBytes(FFilename, bytes)) {
    if (error) *error = "Cannot open file \"" + FFilename + "\".";
    return false;
  }
  auto picture = std::make_unique<TBitmap>();
  if (!DecodePicture(bytes, *picture, error)) return false;
  FPicture = std::move(picture);
  FStamp = stamp;
  FSize = st.st_size;
  return true;
}

void TFilePicture::SetFilename(const std::string& Value) {
  FFilename = Value;
  FPicture.reset();
  FWidth = FHeight = 0;
  if (Value.empty()) return;
  std::string error;
  if (!Load(&error)) throw EPictureError(error.empty() ? "Invalid picture \"" + Value + "\"" : error);
  FWidth = FPicture->Width();
  FHeight = FPicture->Height();
}

void TFilePicture::SetFilenameUnopened(const std::string& Value) {
  FFilename = Value;
  FPicture.reset();
  FWidth = FHeight = 0;
  FStamp = FSize = -1;
}

void TFilePicture::DrawPicture(TCanvas& Canvas, const TRect& r) {
  if (!Load(nullptr)) return;
  if (FWidth == 0 && FHeight == 0) {
    FWidth = FPicture->Width();
    FHeight = FPicture->Height();
  }
  Canvas.StretchDraw(r, *FPicture);
}

void TFilePicture::Assign(const TPersistent* Source) {
  auto* source = dynamic_cast<const TFilePicture*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  FFilename = source->FFilename;
  FWidth = source->FWidth;
  FHeight = source->FHeight;
  FPicture.reset();
}

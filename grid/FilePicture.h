// A cell picture given by a file name. The picture is decoded when the name is set and kept for
// painting; a paint checks that the file is still the one decoded and draws nothing when it is
// gone or no longer readable.
#pragma once

#include "platform/Persistent.h"
#include "platform/ui/Graphics.h"

#include <cstdint>
#include <memory>
#include <string>

class TFilePicture : public TPersistent {
public:
  TFilePicture();
  ~TFilePicture() override;
  const std::string& Filename() const { return FFilename; }
  // Stores the name and learns the size from the file; a file that cannot be read or decoded
  // raises EPictureError after the name is stored (width and height then 0). An empty name
  // clears the picture.
  void SetFilename(const std::string& Value);
  // Stores the name without opening the file (a stream names files of another machine); the
  // size is learnt when the picture is first drawn.
  void SetFilenameUnopened(const std::string& Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Draws the picture stretched into r; nothing for an empty name or a file gone or unreadable.
  void DrawPicture(TCanvas& Canvas, const TRect& r);
  // Copies name and size from another file picture (the source must be one).
  void Assign(const TPersistent* Source) override;

private:
  // Decodes the file when it changed since the last decode; false when it cannot be had.
  bool Load(std::string* error);
  std::string FFilename;
  int FWidth = 0;
  int FHeight = 0;
  std::unique_ptr<TBitmap> FPicture;
  // What the decoded picture was made from.
  std::int64_t FStamp = -1;
  std::int64_t FSize = -1;
};

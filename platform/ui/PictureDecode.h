// Decoding of the picture formats that pictures in mark-up text may hold: BMP, ICO, JPEG and GIF.
#pragma once

#include "platform/ui/Graphics.h"

#include <cstdint>
#include <string>

// Larger pictures are refused: a screen of 3840 x 2160 is more than any window shows.
constexpr std::int64_t MaxPicturePixels = std::int64_t(3840) * 2160;

enum class TPictureFormat { Unknown, Bmp, Ico, Jpeg, Gif };

// The format the bytes announce by their first bytes (nothing is decoded).
TPictureFormat DetectPictureFormat(const std::string& bytes);

// Decodes the first image of the bytes into `picture`. For a GIF this is the first image block of
// the stream, in its own size (not the logical screen). Pixels that are transparent (GIF, ICO) get
// a key colour that no visible pixel uses; the bitmap then has Transparent on with that colour fixed.
// On failure `picture` is unchanged and `error` (when given) says why.
bool DecodePicture(const std::string& bytes, TBitmap& picture, std::string* error = nullptr);

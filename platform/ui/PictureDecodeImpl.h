// Shared by the picture decoders and the bitmap loader only.
#pragma once

#include "platform/ui/PictureDecode.h"

#include <QImage>

#include <string>

// Reads one image through Qt's reader of `format`, refusing more than `maxPixels` and data too
// short for the size its header announces (`pixelsPerByte`: the most one byte can give).
bool ReadImageWithQt(const std::string& bytes, const char* format, qint64 maxPixels, qint64 pixelsPerByte,
                     QImage& image, std::string& error);
// Each fills `image` (Format_ARGB32) or says in `error` why it cannot.
bool DecodeGifImage(const std::string& bytes, QImage& image, std::string& error);
bool DecodeJpegImage(const std::string& bytes, QImage& image, std::string& error);

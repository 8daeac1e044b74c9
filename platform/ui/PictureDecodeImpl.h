// Shared by the PictureDecode*.cpp files only.
#pragma once

#include <QImage>

#include <string>

// Larger pictures are refused instead of exhausting memory.
constexpr qint64 MaxPicturePixels = qint64(1) << 27;

// Each fills `image` (Format_ARGB32) or says in `error` why it cannot.
bool DecodeGifImage(const std::string& bytes, QImage& image, std::string& error);
bool DecodeJpegImage(const std::string& bytes, QImage& image, std::string& error);

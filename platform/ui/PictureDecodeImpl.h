// Shared by the PictureDecode*.cpp files only.
#pragma once

#include "platform/ui/PictureDecode.h"

#include <QImage>

#include <string>

// Each fills `image` (Format_ARGB32) or says in `error` why it cannot.
bool DecodeGifImage(const std::string& bytes, QImage& image, std::string& error);
bool DecodeJpegImage(const std::string& bytes, QImage& image, std::string& error);

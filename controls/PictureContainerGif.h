// Frames of an animated GIF found by their byte pattern: a graphic control extension directly
// followed by an image descriptor. Every read stays inside the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// At least 5 bytes beginning with "GIF8".
bool IsGifData(const std::string& bytes);

// Positions j of the frame starts: 0x21 0xF9 0x04 at j, the image descriptor's 0x2C at j + 8, and
// at least one byte after it.
std::vector<std::size_t> GifFrameStarts(const std::string& bytes);

// Delay of the frame starting at `start`, in hundredths of a second.
int GifFrameDelay(const std::string& bytes, std::size_t start);

// The logical screen size; false when the header is cut short.
bool GifScreenSize(const std::string& bytes, std::uint16_t& width, std::uint16_t& height);

struct TGifFrameRect {
  std::uint16_t Left = 0, Top = 0, Width = 0, Height = 0;
};

// The stream without the frames before frame `frame` (counted from 1); the header and everything
// before the first frame start stay, and so do frame `frame` and all after it. `rect` gets the
// image descriptor of frame `frame` when there is such a frame. False when that descriptor is cut
// short.
bool DropGifFramesBefore(const std::string& bytes, const std::vector<std::size_t>& starts, int frame,
                         std::string& out, TGifFrameRect& rect);

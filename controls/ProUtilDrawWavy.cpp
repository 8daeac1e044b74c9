// The red zig-zag that marks a character range of a single-line text.
#include "controls/ProUtilDraw.h"

#include "platform/ui/Controls.h"

#include <algorithm>

namespace {

// A single-line edit shows its first character this far in from its client area's left edge.
constexpr int EditTextLeft = 1;

// Byte offset of the character with that index in UTF-8 text (the text's size past its end).
std::size_t Utf8Offset(const std::string& text, int index) {
  std::size_t i = 0;
  for (int n = 0; i < text.size() && n < index; ++n) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
      ++i;
  }
  return i;
}

int CharCount(const std::string& text) {
  return static_cast<int>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

} // namespace

TPoint EditCharPos(const TFont& font, const std::string& text, int index) {
  TCanvas measure; // bound to nothing: measures with its font
  measure.Font().Assign(font);
  if (index <= 0) return {EditTextLeft, 0};
  return {EditTextLeft + measure.TextWidth(text.substr(0, Utf8Offset(text, index))), 0};
}

void DrawWavyUnderline(const TControl* owner, TCanvas& canvas, const std::string& text, int first, int count,
                       int offset, const TRect& rect) {
  if (count <= 0 || first < 0) return;
  const TFont& font = owner ? owner->Font() : canvas.Font();
  const int length = CharCount(text);
  TPoint start = EditCharPos(font, text, std::min(first, length));
  if (first >= length) start.X += 4;
  TPoint end;
  if (first + count >= length) {
    end = {EditCharPos(font, text, length - 1).X + 4, start.Y};
  } else {
    end = EditCharPos(font, text, first + count - 1);
  }
  canvas.Pen().SetColor(clRed);
  canvas.Pen().SetWidth(2);
  canvas.MoveTo(rect.Left + start.X, rect.Top + start.Y + offset + 3);
  int h = 0;
  int x = start.X;
  for (; x <= end.X; x += 3) {
    canvas.LineTo(rect.Left + x + 3, rect.Top + end.Y + offset + h);
    h = 3 - h;
  }
  canvas.LineTo(rect.Left + x + 3, rect.Top + end.Y + offset + h);
}

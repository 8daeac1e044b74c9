#include "controls/AsgHTMLEObjects.h"

#include "controls/AsgHTMLEParse.h"
#include "controls/HTMLTextTools.h"
#include "controls/PictureContainer.h"
#include "controls/ProUtilUnicode.h"
#include "controls/WholeNumber.h"
#include "platform/Files.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ThemeDraw.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// A size attribute: a whole number not below 0, cut to the largest object size.
std::optional<int> SizeAttribute(const std::string& value) {
  int n = 0;
  if (!ReadWholeNumber(value, n) || n < 0) return std::nullopt;
  return std::min(n, HTMLMaxObjectSize);
}

int Scaled(int size, double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) return size;
  return static_cast<int>(std::clamp(std::lround(size * scale), 0L, static_cast<long>(HTMLMaxObjectSize)));
}

// The other side of a picture from one given side, keeping its aspect ratio.
int ProportionalSide(int given, int side, int otherSide) {
  return static_cast<int>(std::min<long long>(std::llround(static_cast<double>(given) * otherSide / side),
                                              static_cast<long long>(HTMLMaxObjectSize)));
}

// Draws a picture with its stretching set for this one call.
void DrawPicture(TCanvas& canvas, THTMLPicture& picture, const TRect& rect, bool stretched) {
  const bool was = picture.Stretched();
  picture.SetStretched(stretched);
  picture.Draw(canvas, rect);
  picture.SetStretched(was);
}

// A themed part; false when there is no theme to draw it with.
bool DrawThemed(TCanvas& canvas, const TControl* window, const char* themeClass, int part, int state,
                const TRect& r) {
  if (!HTMLThemedControls()) return false;
  HTHEME theme = OpenThemeData(window, themeClass);
  if (!theme) return false;
  const bool drawn = DrawThemeBackground(theme, canvas, part, state, r);
  CloseThemeData(theme);
  return drawn;
}

void DrawValue(TCanvas& canvas, const TFont& font, const std::string& text, TRect r, unsigned flags) {
  canvas.Font().Assign(font);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(text, r, flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void DrawFieldBox(TCanvas& canvas, const TRect& box) {
  FillRect(canvas, box, clWhite);
  FrameRect(canvas, box, HTMLThemedControls() ? HTMLControlThemedFrame : HTMLControlClassicFrame);
}

} // namespace

THTMLPicture* FindHTMLPicture(const std::string& source, const THTMLDrawParams& params) {
  if (source.empty()) return nullptr;
  if (source.find(':') == std::string::npos)
    return params.PictureContainer ? params.PictureContainer->FindPicture(source) : nullptr;
  if (source.find("://") == std::string::npos || !params.PictureCache) return nullptr;
  if (THTMLPicture* cached = params.PictureCache->FindPicture(source)) return cached;
  THTMLPicture* picture = params.PictureCache->AddPicture();
  picture->SetAsynch(false);
  picture->SetID(source);
  try {
    picture->LoadFromURL(source);
  } catch (const std::exception&) {
    // A source that cannot be loaded shows nothing.
  }
  return picture;
}

bool SizeHTMLImage(std::string_view tag, const THTMLDrawParams& params, THTMLImageOp& op, TSize& size) {
  // The source keeps its case: file names are case-sensitive here.
  const std::string source = HTMLTagAttribute(tag, "SRC");
  const std::string upper = AsciiUpperCase(source);
  if (StartsWith(upper, "IDX:")) {
    int index = 0;
    if (!params.Images || !ReadWholeNumber(upper.substr(4), index)) return false;
    if (index < 0 || index >= params.Images->Count()) return false;
    op.Source = THTMLImageOp::FromList;
    op.Index = index;
    size = {params.Images->Width(), params.Images->Height()};
    if (params.Print) size = {Scaled(size.cx, params.ScaleFactor), Scaled(size.cy, params.ScaleFactor)};
    return size.cx > 0 && size.cy > 0;
  }
  if (StartsWith(upper, "SSYS:") || StartsWith(upper, "LSYS:")) {
    TCanvas none;
    return DrawSystemIcon(none, 0, 0, size, params.ScaleFactor, params.Print, false, upper[0] == 'L',
                          source.substr(5));
  }
  THTMLPicture* picture = FindHTMLPicture(source, params);
  if (!picture || picture->Empty()) return false;
  const int naturalWidth = picture->MaxWidth(), naturalHeight = picture->MaxHeight();
  if (naturalWidth <= 0 || naturalHeight <= 0) return false;
  const std::optional<int> width = SizeAttribute(HTMLTagAttribute(tag, "WIDTH"));
  const std::optional<int> height = SizeAttribute(HTMLTagAttribute(tag, "HEIGHT"));
  if (width && height)
    size = {*width, *height};
  else if (width)
    size = {*width, ProportionalSide(*width, naturalWidth, naturalHeight)};
  else if (height)
    size = {ProportionalSide(*height, naturalHeight, naturalWidth), *height};
  else
    size = {std::min(naturalWidth, HTMLMaxObjectSize), std::min(naturalHeight, HTMLMaxObjectSize)};
  op.Source = THTMLImageOp::FromPicture;
  op.Picture = picture;
  op.Stretched = width || height;
  return size.cx > 0 && size.cy > 0;
}

bool SizeHTMLControl(std::string_view tag, TCanvas& canvas, THTMLControlOp& op, int& width, int& lineHeight) {
  op.Tag = ParseControlTag(tag);
  const std::optional<int> given = SizeAttribute(op.Tag.Width);
  if (!given) return false;
  const std::optional<int> height = SizeAttribute(op.Tag.Height);
  const std::string& type = op.Tag.Type;
  const bool box = type == "CHECK" || type == "RADIO";
  op.ControlHeight = height.value_or(25);
  lineHeight = height && *height > 25 ? *height - 2 : box ? 16 : 23;
  op.LayoutWidth = box ? 16 : *given;
  op.LayoutHeight = type == "BUTTON" || type == "COMBO" ? 25 : box ? 16 : canvas.TextHeight("gh") + 10;
  width = op.LayoutWidth;
  return true;
}

THTMLBodyOp HTMLBodyOp(std::string_view tag, const THTMLDrawParams& params) {
  THTMLBodyOp op;
  const std::string color = HTMLTagAttribute(tag, "BGCOLOR", true);
  if (color.find("CL") != std::string::npos)
    op.Color = HTMLAttributeColor(color);
  else if (const std::size_t hash = color.find('#'); hash != std::string::npos)
    op.Color = HexToColor(std::string_view(color).substr(hash));
  const std::string background = HTMLTagAttribute(tag, "BACKGROUND");
  if (!background.empty()) op.Picture = FindHTMLPicture(background, params);
  return op;
}

void DrawHTMLImage(TCanvas& canvas, const THTMLImageOp& op, const TRect& dest, const THTMLDrawParams& params,
                   TColor background) {
  if (op.Source == THTMLImageOp::FromList) {
    if (!params.Images) return;
    if (params.Print) {
      TBitmap bitmap;
      if (params.Images->GetBitmap(op.Index, bitmap)) StretchBitmapToRect(canvas, dest, bitmap);
    } else {
      params.Images->Draw(canvas, dest.Left, dest.Top, op.Index);
    }
    return;
  }
  THTMLPicture* picture = op.Picture;
  if (!picture || picture->Empty()) return;
  if (op.Stretched) {
    DrawPicture(canvas, *picture, dest, true);
  } else if (picture->IsGIF()) {
    if (background != clNone)
      FillRect(canvas, Bounds(dest.Left, dest.Top, picture->MaxWidth(), picture->MaxHeight()), background);
    const TRect frame = Bounds(dest.Left + picture->FrameXPos(), dest.Top + picture->FrameYPos(),
                               picture->Width(), picture->Height());
    DrawPicture(canvas, *picture, frame, false);
  } else {
    DrawPicture(canvas, *picture, dest, false);
  }
}

void DrawHTMLControl(TCanvas& canvas, const TControl* window, const THTMLControlOp& op, int x, int bottom,
                     int lineHeight, bool hot, bool pressed) {
  const THTMLControlTag& tag = op.Tag;
  const int width = op.LayoutWidth;
  const int b = bottom;
  if (tag.Type == "EDIT" || tag.Type == "PASSWORD" || tag.Type == "MASK") {
    DrawFieldBox(canvas, Rect(x, b - lineHeight + 4, x + width, b + 2));
    const std::string text = tag.Type == "PASSWORD" ? PasswordMask(tag.Value) : tag.Value;
    DrawValue(canvas, op.Font, text, Rect(x + 2, b - lineHeight + 4, x + width, b), DT_LEFT);
  } else if (tag.Type == "COMBO") {
    DrawFieldBox(canvas, Rect(x, b - lineHeight + 4, x + width, b + 2));
    DrawValue(canvas, op.Font, tag.Value, Rect(x + 4, b - lineHeight + 4, x + width - 18, b), DT_LEFT);
    TRect button = Rect(x + width - 18, b - lineHeight + 5, x + width - 1, b + 1);
    if (!DrawThemed(canvas, window, "combobox", CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, button))
      DrawFrameControl(canvas, button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
  } else if (tag.Type == "CHECK" || tag.Type == "RADIO") {
    const bool check = tag.Type == "CHECK";
    const bool checked = AsciiUpperCase(tag.Value) == "TRUE";
    TRect r = check ? Rect(x + 2, b - 15, x + 15, b) : Rect(x + 2, b - 14, x + 14, b);
    const int state = check ? (checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL)
                            : (checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL);
    if (!DrawThemed(canvas, window, "button", check ? BP_CHECKBOX : BP_RADIOBUTTON, state, r))
      DrawFrameControl(canvas, r, DFC_BUTTON,
                       (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT |
                           (checked ? DFCS_CHECKED : 0));
  } else if (tag.Type == "BUTTON") {
    TRect r = Rect(x + 2, b - op.ControlHeight, x + width - 2, b);
    const int state = pressed ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL;
    if (!DrawThemed(canvas, window, "button", BP_PUSHBUTTON, state, r))
      DrawFrameControl(canvas, r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    TRect inner = r;
    InflateRect(inner, -2, -2);
    DrawValue(canvas, op.Font, tag.Value, inner, DT_CENTER);
  }
}

void DrawHTMLBody(TCanvas& canvas, const THTMLBodyOp& op, const TRect& rect) {
  if (op.Color != clNone) FillRect(canvas, rect, op.Color);
  THTMLPicture* picture = op.Picture;
  if (!picture || picture->Empty()) return;
  const int w = picture->Width(), h = picture->Height();
  if (w <= 0 || h <= 0) return;
  // Tiles are laid from the rectangle's corner but only drawn where they can show.
  TRect visible;
  if (!IntersectRect(visible, rect, canvas.ClipRect())) return;
  const int saved = canvas.SaveDC();
  canvas.IntersectClipRect(rect);
  const int firstRow = rect.Top + (visible.Top - rect.Top) / h * h;
  const int firstCol = rect.Left + (visible.Left - rect.Left) / w * w;
  for (int y = firstRow; y < visible.Bottom; y += h)
    for (int x = firstCol; x < visible.Right; x += w)
      DrawPicture(canvas, *picture, Bounds(x, y, w, h), false);
  canvas.RestoreDC(saved);
}

bool DrawSystemIcon(TCanvas&, int, int, TSize& size, double, bool, bool, bool, const std::string&) {
  size = {};
  return false;
}

void StretchBitmapToRect(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap) {
  canvas.StretchDraw(rect, bitmap);
}

bool IsDirectoryPath(const std::string& path) {
  return !path.empty() && DirectoryExists(path);
}

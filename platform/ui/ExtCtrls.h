// Panels, shapes, images, link labels and timers.
#pragma once

#include "platform/ui/Controls.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };

// A container with a 3-D frame and an optional centred caption.
class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent* AOwner);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut bevel);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int width);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int width);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment alignment);
  TVerticalAlignment VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment alignment);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool show);
  // Children are aligned inside the frame.
  TRect AlignRect() const override;

protected:
  void Paint() override;

private:
  void Changed();
  TBevelCut FBevelOuter = bvRaised;
  TBevelCut FBevelInner = bvNone;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
  TVerticalAlignment FVerticalAlignment = taVerticalCenter;
  bool FShowCaption = true;
};

// Draws the frame of a panel: TopColor on the left and top, BottomColor on the right and bottom,
// `width` lines deep; `rect` shrinks by what was drawn.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A rectangle, rounded rectangle or ellipse drawn with a pen and a brush.
class TShape : public TGraphicControl {
public:
  explicit TShape(TComponent* AOwner);
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType shape);
  TPen& Pen() { return FPen; }
  TBrush& Brush() { return FBrush; }

protected:
  void Paint() override;
  // Drawn wholly from its pen and brush: its widget's palette and font are never read.
  void ApplyLook() override {}

private:
  TShapeType FShape = stRectangle;
  TPen FPen;
  TBrush FBrush;
};

// The picture of an image control: a bitmap that may be empty.
class TPicture {
public:
  TBitmap& Bitmap() { return FBitmap; }
  const TBitmap& Bitmap() const { return FBitmap; }
  bool Empty() const { return FBitmap.Empty(); }
  int Width() const { return FBitmap.Width(); }
  int Height() const { return FBitmap.Height(); }
  // BMP or PNG; false (picture unchanged) when the file cannot be read.
  bool LoadFromFile(const std::string& path, std::string* error = nullptr);
  void Assign(const TBitmap& bitmap);
  void Clear();
  std::function<void()> OnChange;

private:
  void Changed();
  TBitmap FBitmap;
};

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* AOwner);
  TPicture& Picture() { return FPicture; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool stretch);
  bool Center() const { return FCenter; }
  void SetCenter(bool center);
  bool Proportional() const { return FProportional; }
  void SetProportional(bool proportional);
  // Leaves the pixels of the picture's transparent colour (its bottom-left pixel) undrawn.
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool transparent);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  // Where the picture lands inside the control.
  TRect DestRect() const;

protected:
  void Paint() override;

private:
  void PictureChanged();
  TPicture FPicture;
  bool FStretch = false;
  bool FCenter = false;
  bool FProportional = false;
  bool FTransparent = false;
  bool FAutoSize = false;
};

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const std::string& Link, TSysLinkType LinkType)>;

// A label whose caption may hold links written as <a href="address">text</a>; any other text is
// shown as it stands.
class TLinkLabel : public TWinControl {
public:
  explicit TLinkLabel(TComponent* AOwner);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  // Runs the link with that index (0 = first) as a click on it would.
  bool ClickLink(int index = 0);
  int LinkCount() const;
  TSysLinkEvent OnLinkClick;

protected:
  QWidget* CreateWidget() override;
  void WidgetCreated() override;
  void SetTextNative(const std::string& text) override;
  void ApplyLook() override;
  // Its size is settled at once: with a widget the look is applied now; without one it was never
  // given a text and takes the blank size.
  void LookDeferred() override;

private:
  void AdjustSize();
  // The size of a link label never given a text.
  static TSize BlankSize();
  void LinkActivated(const std::string& link);
  bool FAutoSize = true;
  // A text was set (the widget shows rich text from then on, even when emptied again).
  bool FTextGiven = false;
  // The widget is being made: it takes the size the control has, not its own measure.
  bool FMakingWidget = false;
};

// Fires OnTimer every Interval milliseconds of the program clock while Enabled. Enabling a timer
// (or changing its interval) starts the count afresh; enabling an enabled timer changes nothing.
// A timer that is late fires once, not once per missed interval.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;

  bool Running() const { return FEnabled && FInterval > 0; }
  // Clock time (Clock().NowMs()) at which it fires next.
  std::int64_t DueMs() const { return FDue; }

private:
  friend class TApplication;
  void Restart();
  void Fire(std::int64_t now);
  bool FEnabled = true;
  unsigned FInterval = 1000;
  std::int64_t FDue = 0;
};

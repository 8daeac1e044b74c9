// Looks and colour tones that a control can be told to take, and what the system says about
// visual styles, the office suite's colour theme and the user-interface font.
#pragma once

#include "platform/Colors.h"

#include <string>

// The sixteen named looks, in their stored order.
enum TZUZStyle {
  tsOffice2003Blue,
  tsOffice2003Silver,
  tsOffice2003Olive,
  tsOffice2003Classic,
  tsOffice2007Luna,
  tsOffice2007Obsidian,
  tsWindowsXP,
  tsWhidbey,
  tsCustom,
  tsOffice2007Silver,
  tsWindowsVista,
  tsWindows7,
  tsTerminal,
  tsOffice2010Blue,
  tsOffice2010Silver,
  tsOffice2010Black
};

enum TOfficeTheme {
  ot2003Blue,
  ot2003Silver,
  ot2003Olive,
  ot2003Classic,
  ot2007Blue,
  ot2007Silver,
  ot2007Black,
  ot2010Blue,
  ot2010Silver,
  ot2010Black,
  otUnknown
};

struct TColorTone {
  TColor BrushColor = 0;
  TColor BorderColor = 0;
  TColor TextColor = 0;
  bool operator==(const TColorTone&) const = default;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
  bool operator==(const TColorTones&) const = default;
};

// A control that takes one of the named looks. Ask a control with dynamic_cast<IZUZStyle*>.
class IZUZStyle {
public:
  static constexpr const char* IID = "{11AC2DDC-C087-4298-AB6E-EA1B5017511B}";
  virtual ~IZUZStyle() = default;
  virtual void SetComponentStyle(TZUZStyle AStyle) = 0;
};

// A control that takes a set of colour tones.
class IZUZTones {
public:
  static constexpr const char* IID = "{1F492643-6699-4F25-8B34-3233FA735036}";
  virtual ~IZUZTones() = default;
  virtual void SetColorTones(const TColorTones& ATones) = 0;
};

// ---- probes (answers come from StyleSystem(), ProStyleIFSystem.h)

// The platform version with the later visual style (Vista and later).
bool RunsOnVistaOrLater();
bool RunsOnXPOrLater();
// The common controls are version 6 or later (the themed look).
bool IsComCtl6();
// Visual styles are on.
bool IsThemeActive();
// Binds the visual-styles functions the controls draw themed parts with (OpenThemeData,
// DrawThemeBackground, CloseThemeData and the others of platform/ui/ThemeDraw.h); run at start-up
// and safe to run again. False when the library is not there: the controls then treat the theme
// as inactive. The functions are linked in, so none can be missing once the library is there.
bool InitThemeLibrary();
// 0 none, 1 blue ("NormalColor"), 2 olive ("HomeStead"), 3 silver ("Metallic").
int DetectXPColorScheme();
// 0 no office suite of version 12 or 14, 1 version 12, 2 version 14.
int DetectOfficeVersion();
TOfficeTheme DetectOfficeTheme();
// "Segoe UI" from Vista on, else "Tahoma".
std::string DefaultUIFontName();

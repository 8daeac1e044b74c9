// Artwork of the program's bitmap resources, drawn in code.
#include "platform/ui/Resources.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace {

using TPainter = std::function<void(TBitmap&)>;

struct TResource {
  const char* Name;
  int Width;
  int Height;
  TPainter Paint;
};

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
  return s;
}

TColor Palette(char c) {
  switch (c) {
  case 'K':
    return clBlack;
  case 'W':
    return clWhite;
  case 'G':
    return RGB(0, 160, 0);
  case 'g':
    return RGB(0, 96, 0);
  case 'R':
    return RGB(220, 0, 0);
  case 'r':
    return RGB(128, 0, 0);
  case 'B':
    return RGB(0, 70, 200);
  case 'b':
    return RGB(0, 32, 120);
  case 'Y':
    return RGB(255, 210, 0);
  case 'S':
    return RGB(192, 192, 192);
  case 'D':
    return RGB(128, 128, 128);
  case 'N':
    return RGB(28, 81, 128); // frame blue
  case 'L':
    return RGB(225, 235, 245); // light fill
  default:
    return ResourceKeyColor;
  }
}

// Pixel art: one string per row, '.' leaves the background.
void Art(TBitmap& b, int x0, int y0, std::initializer_list<const char*> rows) {
  int y = y0;
  for (const char* row : rows) {
    for (int x = 0; row[x]; ++x)
      if (row[x] != '.') b.SetPixel(x0 + x, y, Palette(row[x]));
    ++y;
  }
}

void Background(TBitmap& b, TColor color = ResourceKeyColor) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      b.SetPixel(x, y, color);
}

// Pixels within a ring (or disc when inner is 0) around (cx, cy).
void Ring(TBitmap& b, double cx, double cy, double inner, double outer, TColor color) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const double d = std::hypot(x - cx, y - cy);
      if (d >= inner && d <= outer) b.SetPixel(x, y, color);
    }
}

// The disabled look of a frame: its drawn pixels engraved, grey with a white lower-right edge.
void Engrave(TBitmap& b, int fromX, int toX, int width, int height) {
  const TColor key = ResourceKeyColor;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (b.Pixel(fromX + x, y) != key && x + 1 < width && y + 1 < height)
        b.SetPixel(toX + x + 1, y + 1, clWhite);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (b.Pixel(fromX + x, y) != key) b.SetPixel(toX + x, y, RGB(128, 128, 128));
}

// Glow-button kind glyph: two frames of w x h, normal then disabled.
TResource KindGlyph(const char* name, int h, std::function<void(TBitmap&)> picture) {
  return {name, 36, h, [picture, h](TBitmap& b) {
            Background(b);
            picture(b);
            Engrave(b, 0, 18, 18, h);
          }};
}

void Tick(TBitmap& b, int x0, int y0, char c, char shade) {
  // A two-pixel-wide tick from the lower left up to the right.
  for (int i = 0; i < 4; ++i) {
    b.SetPixel(x0 + i, y0 + 5 + i, Palette(c));
    b.SetPixel(x0 + i, y0 + 6 + i, Palette(shade));
  }
  for (int i = 0; i < 8; ++i) {
    b.SetPixel(x0 + 4 + i, y0 + 8 - i, Palette(c));
    b.SetPixel(x0 + 4 + i, y0 + 9 - i, Palette(shade));
  }
  b.SetPixel(x0 + 4, y0 + 10, Palette(shade));
}

void Cross(TBitmap& b, int x0, int y0, int size, TColor color) {
  for (int i = 0; i < size; ++i)
    for (int t = 0; t < 2; ++t) {
      b.SetPixel(x0 + i + t, y0 + i, color);
      b.SetPixel(x0 + size - 1 - i - t, y0 + i, color);
    }
}

// 16 x 16 check box glyph: a 13 x 13 box at (1, 1).
TResource CheckGlyph(const char* name, TColor frame, TColor fill, bool checked, TColor mark) {
  return {name, 16, 16, [=](TBitmap& b) {
            Background(b);
            for (int y = 1; y < 14; ++y)
              for (int x = 1; x < 14; ++x)
                b.SetPixel(x, y, (x == 1 || y == 1 || x == 13 || y == 13) ? frame : fill);
            if (!checked) return;
            for (int i = 0; i < 3; ++i)
              for (int t = 0; t < 3; ++t)
                b.SetPixel(4 + i, 6 + i + t, mark);
            for (int i = 0; i < 4; ++i)
              for (int t = 0; t < 3; ++t)
                b.SetPixel(7 + i, 7 - i + t, mark);
          }};
}

// 16 x 16 radio glyph: a circle of 12 pixels with a dot when on.
TResource RadioGlyph(const char* name, TColor frame, TColor fill, bool on, TColor dot) {
  return {name, 16, 16, [=](TBitmap& b) {
            Background(b);
            Ring(b, 7, 7, 0, 5.6, fill);
            Ring(b, 7, 7, 4.8, 6.2, frame);
            if (on) Ring(b, 7, 7, 0, 2.3, dot);
          }};
}

void Triangle(TBitmap& b, int x0, int y0, int base, bool down, TColor color) {
  for (int row = 0; row < (base + 1) / 2; ++row) {
    const int y = down ? y0 + row : y0 + (base + 1) / 2 - 1 - row;
    for (int x = row; x < base - row; ++x)
      b.SetPixel(x0 + x, y, color);
  }
}

const std::vector<TResource>& Table() {
  static const std::vector<TResource> table = [] {
    std::vector<TResource> t;
    // Glow-button kinds
    t.push_back(KindGlyph("LBOK", 18, [](TBitmap& b) { Tick(b, 3, 3, 'G', 'g'); }));
    t.push_back(KindGlyph("LBCANCEL", 18, [](TBitmap& b) { Cross(b, 3, 4, 11, Palette('R')); }));
    t.push_back(KindGlyph("LBHELP", 18, [](TBitmap& b) {
      Art(b, 1, 1,
          {"................", ".....BBBBB......", "....BBBBBBB.....", "...BBb...BBB....", "...BB.....BB....",
           "..........BB....", ".........BBb....", "........BBb.....", ".......BBb......", "......BBb.......",
           "......BB........", "......BB........", "................", "......BB........", "......BB........",
           "................"});
    }));
    t.push_back(KindGlyph("LBYES", 18, [](TBitmap& b) {
      Ring(b, 8.5, 8.5, 6.6, 7.8, Palette('g'));
      Tick(b, 3, 3, 'G', 'g');
    }));
    t.push_back(KindGlyph("LBNO", 18, [](TBitmap& b) {
      Ring(b, 8.5, 8.5, 5.6, 7.6, Palette('R'));
      for (int i = 4; i < 14; ++i)
        for (int w = -1; w <= 0; ++w)
          b.SetPixel(i, i + w, Palette('R'));
    }));
    t.push_back(KindGlyph("LBCLOSE", 18, [](TBitmap& b) {
      for (int y = 2; y < 16; ++y)
        for (int x = 4; x < 14; ++x)
          b.SetPixel(x, y, (x == 4 || x == 13 || y == 2 || y == 15) ? Palette('K') : Palette('Y'));
      for (int y = 3; y < 15; ++y)
        for (int x = 5; x < 10; ++x)
          b.SetPixel(x, y, Palette('r'));
      b.SetPixel(8, 9, Palette('Y'));
    }));
    t.push_back(KindGlyph("LBABORT", 18, [](TBitmap& b) {
      Ring(b, 8.5, 8.5, 0, 7.6, Palette('R'));
      for (int y = 7; y < 11; ++y)
        for (int x = 4; x < 14; ++x)
          b.SetPixel(x, y, clWhite);
    }));
    t.push_back(KindGlyph("LBRETRY", 18, [](TBitmap& b) {
      for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) {
          const double d = std::hypot(x - 8.5, y - 8.5);
          const bool gap = x > 8 && y < 8; // the arrow's opening at the upper right
          if (d >= 4.5 && d <= 6.8 && !gap) b.SetPixel(x, y, Palette('B'));
        }
      Triangle(b, 9, 1, 7, true, Palette('B'));
    }));
    t.push_back(KindGlyph("LBIGNORE", 18, [](TBitmap& b) {
      for (int y = 2; y < 16; ++y) {
        b.SetPixel(8, y, Palette('D'));
        b.SetPixel(9, y, Palette('D'));
      }
      for (int x = 2; x < 13; ++x) {
        b.SetPixel(x, 8, Palette('B'));
        b.SetPixel(x, 9, Palette('B'));
      }
      for (int i = 0; i < 4; ++i)
        for (int y = 8 - i; y <= 9 + i; ++y)
          b.SetPixel(16 - i, y, Palette('B'));
    }));
    t.push_back(KindGlyph("LBALL", 19, [](TBitmap& b) {
      Tick(b, 1, 1, 'G', 'g');
      Tick(b, 5, 6, 'G', 'g');
    }));
    t.push_back({"LBARROW", 5, 3, [](TBitmap& b) {
                   Background(b, clWhite);
                   Triangle(b, 0, 0, 5, true, clBlack);
                 }});

    // Combo box buttons
    auto cbx = [](const char* name, std::function<void(TBitmap&)> picture) {
      return TResource{name, 13, 11, [picture](TBitmap& b) {
                         Background(b);
                         picture(b);
                       }};
    };
    auto plus = [](TBitmap& b, TColor c) {
      for (int i = 2; i < 11; ++i) {
        b.SetPixel(i, 5, c);
        b.SetPixel(6, i - 1, c);
      }
    };
    t.push_back(cbx("CBX_BMP_EDIT", [](TBitmap& b) {
      for (int x = 2; x < 11; x += 4)
        for (int y = 7; y < 9; ++y) {
          b.SetPixel(x, y, clBlack);
          b.SetPixel(x + 1, y, clBlack);
        }
    }));
    t.push_back(cbx("CBX_BMP_NEW", [plus](TBitmap& b) { plus(b, Palette('G')); }));
    t.push_back(cbx("CBX_BMP_NEW_D", [plus](TBitmap& b) { plus(b, Palette('D')); }));
    t.push_back(cbx("CBX_BMP_DEL", [](TBitmap& b) { Cross(b, 2, 1, 8, Palette('R')); }));
    t.push_back(cbx("CBX_BMP_DEL_D", [](TBitmap& b) { Cross(b, 2, 1, 8, Palette('D')); }));
    t.push_back(cbx("CBX_BMP_UP", [](TBitmap& b) { Triangle(b, 2, 3, 9, false, clBlack); }));
    t.push_back(cbx("CBX_BMP_DOWN", [](TBitmap& b) { Triangle(b, 2, 3, 9, true, clBlack); }));
    t.push_back({"CBX_BMP_PINS", 52, 11, [](TBitmap& b) {
                   Background(b);
                   // Pin upright, pin upright (hot), pin lying, pin lying (hot).
                   for (int f = 0; f < 4; ++f) {
                     const int x0 = f * 13;
                     const TColor head = f % 2 ? Palette('R') : Palette('r');
                     if (f < 2) {
                       for (int y = 1; y < 5; ++y)
                         for (int x = 4; x < 9; ++x)
                           b.SetPixel(x0 + x, y, head);
                       for (int x = 3; x < 10; ++x)
                         b.SetPixel(x0 + x, 5, clBlack);
                       for (int y = 6; y < 10; ++y)
                         b.SetPixel(x0 + 6, y, clBlack);
                     } else {
                       for (int y = 3; y < 8; ++y)
                         for (int x = 6; x < 10; ++x)
                           b.SetPixel(x0 + x, y, head);
                       for (int y = 2; y < 9; ++y)
                         b.SetPixel(x0 + 5, y, clBlack);
                       for (int x = 1; x < 5; ++x)
                         b.SetPixel(x0 + x, 5, clBlack);
                     }
                   }
                 }});

    // Grid check boxes and radio buttons: csZUZ (plain black) and csWinXP (blue, green mark).
    const TColor zuzFrame = clBlack, grey = RGB(160, 160, 160), greyFill = RGB(236, 236, 236);
    const TColor xpFrame = RGB(28, 81, 128), xpFill = RGB(244, 244, 240), xpMark = RGB(33, 161, 33);
    const TColor xpGrey = RGB(202, 200, 187);
    t.push_back(CheckGlyph("ASGCHK01", zuzFrame, clWhite, true, clBlack));
    t.push_back(CheckGlyph("ASGCHK02", zuzFrame, clWhite, false, clBlack));
    t.push_back(CheckGlyph("ASGCHK03", grey, greyFill, true, grey));
    t.push_back(CheckGlyph("ASGCHK04", grey, greyFill, false, grey));
    t.push_back(CheckGlyph("ASGCHK05", xpFrame, xpFill, true, xpMark));
    t.push_back(CheckGlyph("ASGCHK06", xpFrame, xpFill, false, xpMark));
    t.push_back(CheckGlyph("ASGCHK07", xpGrey, greyFill, true, xpGrey));
    t.push_back(CheckGlyph("ASGCHK08", xpGrey, greyFill, false, xpGrey));
    t.push_back(RadioGlyph("ASGRAD01", zuzFrame, clWhite, true, clBlack));
    t.push_back(RadioGlyph("ASGRAD02", zuzFrame, clWhite, false, clBlack));
    t.push_back(RadioGlyph("ASGRAD03", grey, greyFill, true, grey));
    t.push_back(RadioGlyph("ASGRAD04", grey, greyFill, false, grey));
    t.push_back(RadioGlyph("ASGRAD05", xpFrame, xpFill, true, xpMark));
    t.push_back(RadioGlyph("ASGRAD06", xpFrame, xpFill, false, xpMark));
    t.push_back(RadioGlyph("ASGRAD07", xpGrey, greyFill, true, xpGrey));
    t.push_back(RadioGlyph("ASGRAD08", xpGrey, greyFill, false, xpGrey));
    // Flat "metro" look
    const TColor metro = RGB(51, 51, 51);
    t.push_back(CheckGlyph("METROCHECKON", metro, clWhite, true, metro));
    t.push_back(CheckGlyph("METROCHECKOFF", metro, clWhite, false, metro));
    t.push_back(RadioGlyph("METRORADIOON", metro, clWhite, true, metro));
    t.push_back(RadioGlyph("METRORADIOOFF", metro, clWhite, false, metro));

    // Grid filter button, close box, node glyphs
    // Spin-edit arrows, 9 x 6.
    t.push_back({"ASGSPINUP", 9, 6, [](TBitmap& b) {
                   Background(b);
                   Triangle(b, 1, 1, 7, false, clBlack);
                 }});
    t.push_back({"ASGSPINDOWN", 9, 6, [](TBitmap& b) {
                   Background(b);
                   Triangle(b, 1, 1, 7, true, clBlack);
                 }});
    t.push_back({"ASGFILT", 16, 16, [](TBitmap& b) {
                   Background(b);
                   Art(b, 0, 0,
                       {"................", "................", "................", "....KKKKKKKKK...",
                        "....KWWWWWWWK...", ".....KWWWWWK....", "......KWWWK.....", ".......KWK......",
                        ".......KWK......", ".......KWK......", ".......KWK......", ".......KKK......",
                        "................", "................", "................", "................"});
                 }});
    t.push_back({"ASGCLOSE", 14, 14, [](TBitmap& b) {
                   Background(b);
                   for (int y = 1; y < 13; ++y)
                     for (int x = 1; x < 13; ++x)
                       b.SetPixel(x, y, (x == 1 || y == 1 || x == 12 || y == 12) ? Palette('D') : clWhite);
                   Cross(b, 3, 4, 7, clBlack);
                 }});
    // The search bar: the close box hot and pressed, and the find and highlight glyphs with their
    // greyed forms.
    for (const auto& [name, fill, frame] : {std::tuple{"ASGCLOSEH", RGB(255, 226, 150), RGB(200, 140, 0)},
                                            std::tuple{"ASGCLOSED", RGB(250, 180, 90), RGB(160, 90, 0)}})
      t.push_back({name, 14, 14, [fill = fill, frame = frame](TBitmap& b) {
                     Background(b);
                     for (int y = 1; y < 13; ++y)
                       for (int x = 1; x < 13; ++x)
                         b.SetPixel(x, y, (x == 1 || y == 1 || x == 12 || y == 12) ? frame : fill);
                     Cross(b, 3, 4, 7, clBlack);
                   }});
    for (const auto& [name, down, color] :
         {std::tuple{"ASGARDOWN", true, Palette('B')}, std::tuple{"ASGARDOWND", true, Palette('D')},
          std::tuple{"ASGARUP", false, Palette('B')}, std::tuple{"ASGARUPD", false, Palette('D')}})
      t.push_back({name, 16, 16, [down = down, color = color](TBitmap& b) {
                     Background(b);
                     // A shaft and a head pointing the way the search goes.
                     for (int y = 0; y < 7; ++y)
                       for (int x = 6; x < 10; ++x)
                         b.SetPixel(x, down ? 2 + y : 7 + y, color);
                     Triangle(b, 2, down ? 9 : 2, 12, down, color);
                   }});
    for (const auto& [name, marker] :
         {std::tuple{"ASGHI", RGB(255, 230, 0)}, std::tuple{"ASGHID", RGB(210, 210, 210)}})
      t.push_back({name, 16, 16, [marker = marker, grey = std::string(name) == "ASGHID"](TBitmap& b) {
                     Background(b);
                     // A marked line of text under a marker pen.
                     for (int y = 9; y < 14; ++y)
                       for (int x = 1; x < 15; ++x)
                         b.SetPixel(x, y, marker);
                     const TColor ink = grey ? Palette('D') : clBlack;
                     for (int x = 3; x < 13; x += 2)
                       b.SetPixel(x, 11, ink);
                     for (int i = 0; i < 7; ++i)
                       for (int w = 0; w < 2; ++w)
                         b.SetPixel(8 + i / 2 + w, 7 - i, grey ? Palette('D') : Palette('R'));
                   }});
    t.push_back({"ASGLEAFCLOSE", 12, 12, [](TBitmap& b) {
                   Background(b);
                   for (int i = 0; i < 4; ++i)
                     for (int y = 2 + i; y < 10 - i; ++y)
                       b.SetPixel(4 + i, y, clBlack);
                 }});
    t.push_back({"ASGLEAFOPEN", 12, 12, [](TBitmap& b) {
                   Background(b);
                   Triangle(b, 2, 4, 8, true, clBlack);
                 }});
    auto xpNode = [](const char* name, bool collapsed) {
      return TResource{name, 9, 9, [collapsed](TBitmap& b) {
                         Background(b);
                         for (int y = 0; y < 9; ++y)
                           for (int x = 0; x < 9; ++x)
                             b.SetPixel(
                                 x, y, (x == 0 || y == 0 || x == 8 || y == 8) ? RGB(120, 152, 181) : clWhite);
                         b.SetPixel(0, 0, ResourceKeyColor);
                         b.SetPixel(8, 0, ResourceKeyColor);
                         b.SetPixel(0, 8, ResourceKeyColor);
                         b.SetPixel(8, 8, ResourceKeyColor);
                         for (int i = 2; i < 7; ++i)
                           b.SetPixel(i, 4, clBlack);
                         if (collapsed)
                           for (int i = 2; i < 7; ++i)
                             b.SetPixel(4, i, clBlack);
                       }};
    };
    t.push_back(xpNode("XPNODEC", true));
    t.push_back(xpNode("XPNODEO", false));
    // The tree's wheel panning: three window pictures (both ways, sideways, up and down) and the
    // direction cursors. Each is a grey disc with a centre dot and arrow heads where it pans.
    enum : unsigned { N = 1, E = 2, S = 4, W = 8, NE = 16, SE = 32, SW = 64, NW = 128 };
    auto panArt = [](const char* name, unsigned dirs) {
      return TResource{name, 32, 32, [dirs](TBitmap& b) {
                         Background(b);
                         Ring(b, 15.5, 15.5, 0, 14.5, clWhite);
                         Ring(b, 15.5, 15.5, 13.2, 14.5, RGB(128, 128, 128));
                         Ring(b, 15.5, 15.5, 0, 2.2, clBlack);
                         for (int row = 0; row < 4; ++row)
                           for (int x = -row; x <= row; ++x) {
                             if (dirs & N) b.SetPixel(15 + x, 5 + row, clBlack);
                             if (dirs & S) b.SetPixel(15 + x, 26 - row, clBlack);
                             if (dirs & W) b.SetPixel(5 + row, 15 + x, clBlack);
                             if (dirs & E) b.SetPixel(26 - row, 15 + x, clBlack);
                           }
                         for (int i = 0; i < 4; ++i)
                           for (int j = 0; j < 4 - i; ++j) {
                             if (dirs & NW) b.SetPixel(7 + i, 7 + j, clBlack);
                             if (dirs & NE) b.SetPixel(24 - i, 7 + j, clBlack);
                             if (dirs & SW) b.SetPixel(7 + i, 24 - j, clBlack);
                             if (dirs & SE) b.SetPixel(24 - i, 24 - j, clBlack);
                           }
                       }};
    };
    t.push_back(panArt("VT_MOVEALL", N | E | S | W));
    t.push_back(panArt("VT_MOVEEW", E | W));
    t.push_back(panArt("VT_MOVENS", N | S));
    t.push_back(panArt("VT_MOVEN", N));
    t.push_back(panArt("VT_MOVENE", NE));
    t.push_back(panArt("VT_MOVEE", E));
    t.push_back(panArt("VT_MOVESE", SE));
    t.push_back(panArt("VT_MOVES", S));
    t.push_back(panArt("VT_MOVESW", SW));
    t.push_back(panArt("VT_MOVEW", W));
    t.push_back(panArt("VT_MOVENW", NW));
    return t;
  }();
  return table;
}

const TResource* Lookup(const std::string& name) {
  const std::string key = Upper(name);
  for (const TResource& r : Table())
    if (key == r.Name) return &r;
  return nullptr;
}

} // namespace

std::string MissingResourceMessage(const std::string& name) {
  return "Resource " + name + " not found";
}

const TBitmap* FindResourceBitmap(const std::string& name) {
  const TResource* resource = Lookup(name);
  if (!resource) return nullptr;
  static std::mutex lock;
  static std::map<std::string, std::unique_ptr<TBitmap>> drawn;
  std::lock_guard<std::mutex> guard(lock);
  auto& slot = drawn[resource->Name];
  if (!slot) {
    slot = std::make_unique<TBitmap>(resource->Width, resource->Height);
    slot->SetPixelFormat(pf4bit);
    resource->Paint(*slot);
  }
  return slot.get();
}

const TBitmap& ResourceBitmap(const std::string& name) {
  const TBitmap* bitmap = FindResourceBitmap(name);
  if (!bitmap) throw EResNotFound(MissingResourceMessage(name));
  return *bitmap;
}

std::vector<std::string> ResourceBitmapNames() {
  std::vector<std::string> names;
  for (const TResource& r : Table())
    names.push_back(r.Name);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ValidateResources(const std::vector<std::string>& required) {
  std::string problems;
  auto add = [&](const std::string& text) { problems += (problems.empty() ? "" : "\n") + text; };
  for (const TResource& r : Table()) {
    const TBitmap* b = FindResourceBitmap(r.Name);
    if (!b || b->Width() != r.Width || b->Height() != r.Height)
      add(std::string("Resource ") + r.Name + " cannot be drawn in its size");
  }
  for (const std::string& name : required)
    if (!Lookup(name)) add(MissingResourceMessage(name));
  return problems;
}

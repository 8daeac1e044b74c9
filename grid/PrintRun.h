// The values of one print run, shared by the print engine and the printed cells. Page units are
// tenths of a millimetre, y upward: the page top is 0 and its bottom B negative.
#pragma once

#include "platform/ui/Graphics.h"

#include <vector>

class TCanvas;

struct TPrintRun {
  TCanvas* Canvas = nullptr;
  int Mode = 0; // 0 preview, 1 print or one page, 2 count for a print, 3 count for a preview
  bool SelectedOnly = false;
  int TotalPages = -1;

  double Ratio = 1.0;                        // canvas to screen resolution
  double L = 254.0 / ScreenPixelsPerInch;    // page units per screen pixel
  int hh = 0, fh = 0, h = 0, h8 = 0, gw = 0; // header, footer and cell text heights; "g"'s half width
  int m = 0;                                 // column spacing
  int W = 0, B = 0;                          // page width and bottom
  double Fit = 1.0;

  int P = 0;        // page index over the run, 0-based
  int S = 0;        // strip number, 1-based
  int Q = 0;        // page within the strip, 0-based
  int v = 0, w = 0; // first and last column of the strip
  bool RFC = false; // fixed columns repeated on this strip
  int FW = 0;
  bool SeveralStrips = false;
  int E = 0, G = 0; // header and footer blocks of the page
  int T = 0;        // a mini-HTML title's height, measured once per run

  // Row heights: the last one asked, and those the column pass measured (when they hold).
  int CachedRow = -1;
  int CachedHeight = 0;
  bool HeightsKnown = false;
  int HeightsTop = 0;
  std::vector<int> Heights;

  bool Drawing() const { return Mode < 2; }
};

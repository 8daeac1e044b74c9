// The mouse cursors: the standard ones by their Qt shapes and the program's own pictures by number.
#include "platform/ui/Application.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/QtBridge.h"

#include <QApplication>
#include <QPixmap>

#include <algorithm>
#include <map>

namespace {

struct TOwnCursor {
  QCursor Cursor;
  TPoint HotSpot;
};

std::map<TCursor, TOwnCursor>& OwnCursors() {
  static auto* cursors = new std::map<TCursor, TOwnCursor>;
  return *cursors;
}

Qt::CursorShape CursorShape(TCursor cursor) {
  switch (cursor) {
  case crNone:
    return Qt::BlankCursor;
  case crCross:
    return Qt::CrossCursor;
  case crIBeam:
    return Qt::IBeamCursor;
  case crSizeNESW:
    return Qt::SizeBDiagCursor;
  case crSizeNS:
    return Qt::SizeVerCursor;
  case crSizeNWSE:
    return Qt::SizeFDiagCursor;
  case crSizeWE:
    return Qt::SizeHorCursor;
  case crUpArrow:
    return Qt::UpArrowCursor;
  case crHourGlass:
  case crSQLWait:
    return Qt::WaitCursor;
  case crDrag:
  case crMultiDrag:
    return Qt::DragCopyCursor;
  case crNoDrop:
  case crNo:
    return Qt::ForbiddenCursor;
  case crHSplit:
    return Qt::SplitHCursor;
  case crVSplit:
    return Qt::SplitVCursor;
  case crAppStart:
    return Qt::BusyCursor;
  case crHelp:
    return Qt::WhatsThisCursor;
  case crHandPoint:
    return Qt::PointingHandCursor;
  case crSizeAll:
    return Qt::SizeAllCursor;
  default:
    return Qt::ArrowCursor;
  }
}

} // namespace

QCursor QtCursorOf(TCursor cursor) {
  if (cursor > 0) {
    auto it = OwnCursors().find(cursor);
    return it != OwnCursors().end() ? it->second.Cursor : QCursor(Qt::ArrowCursor);
  }
  return QCursor(CursorShape(cursor));
}

void TScreen::SetCursors(TCursor index, const TBitmap& picture, TPoint hotSpot, TColor transparent) {
  if (index <= 0) return;
  Application->Initialize();
  QImage image = BitmapImage(picture).convertToFormat(QImage::Format_ARGB32);
  QRgb key = ToQColor(transparent).rgb();
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((line[x] & 0xFFFFFF) == (key & 0xFFFFFF)) line[x] = 0;
  }
  hotSpot.X = std::clamp(hotSpot.X, 0, std::max(0, image.width() - 1));
  hotSpot.Y = std::clamp(hotSpot.Y, 0, std::max(0, image.height() - 1));
  OwnCursors()[index] = {QCursor(QPixmap::fromImage(image), hotSpot.X, hotSpot.Y), hotSpot};
  if (FCursor == index) QApplication::changeOverrideCursor(QtCursorOf(index));
}

bool TScreen::HasCursor(TCursor index) const {
  return OwnCursors().count(index) != 0;
}

TPoint TScreen::CursorHotSpot(TCursor index) const {
  auto it = OwnCursors().find(index);
  return it != OwnCursors().end() ? it->second.HotSpot : TPoint{-1, -1};
}

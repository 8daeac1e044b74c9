// Indicator cells (progress bars, pies, range bars, shapes, ratings) and annotations (comments,
// marked text ranges, balloons). Colours the graphic keeps sit in its colour slots.
#include "grid/ProGrid.h"
#include "platform/StringList.h"

#include <memory>

namespace {

bool TakesBalloon(TCellType t) {
  return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton;
}

} // namespace

TCellGraphic* TProStringGrid::NewGraphic(int ACol, int ARow, TCellType Kind, TCellHAlign hal,
                                         TCellVAlign val) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  if (!g) return nullptr;
  g->SetCellType(Kind);
  g->SetCellHAlign(hal);
  g->SetCellVAlign(val);
  return g;
}

void TProStringGrid::AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor,
                                          TColor BKColor, TColor BKTextColor, const std::string& Fmt, int Min,
                                          int Max) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctProgress, haLeft, vaTop);
  if (!g) return;
  g->SetCellColor(FGColor);
  g->SetCellColorTo(BKColor);
  g->SetCellIndex(static_cast<int>(FGTextColor));
  g->SetCellAngle(static_cast<int>(BKTextColor));
  g->SetCellBoolean(true);
  g->SetCellText(Fmt);
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor) {
  AddProgressFormatted(ACol, ARow, FGColor, clNone, BKColor, clNone, "", 0, 100);
  if (TCellGraphic* g = GetCellGraphic(ACol, ARow)) g->SetCellBoolean(false);
  if (AutoNumAlign())
    if (TCellProperties* p = CellProperties(ACol, ARow)) {
      p->SetAlignment(taRightJustify);
      RepaintGraphicCell(ACol, ARow);
    }
}

void TProStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor) {
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, "", 0, 100);
}

void TProStringGrid::AddProProgress(int ACol, int ARow, int Min, int Max) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctXPProgress, haLeft, vaTop);
  if (!g) return;
  g->SetCellErrFrom(Min);
  g->SetCellErrLen(Max);
  g->SetCellBoolean(false);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddProgressPie(int ACol, int ARow, TColor Color, int Value) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctProgressPie, haBeforeText, vaTop);
  if (!g) return;
  g->SetCellColor(Color);
  g->SetCellAngle(Value);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::SetProgressPie(int ACol, int ARow, int Value) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctProgressPie) return;
  g->SetCellAngle(Value);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctRangeIndicator, haLeft, vaTop);
  if (!g) return;
  g->SetCellColor(NegColor);
  g->SetCellColorTo(PosColor);
  g->SetCellIndex(Range);
  g->SetCellBoolean(ShowValue);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctShape, hal, val);
  if (!g) return;
  g->SetCellColor(LineColor);
  g->SetCellIndex(static_cast<int>(FillColor));
  g->SetCellAngle(Shape);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::SetShapeColor(int ACol, int ARow, TColor FillColor) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctShape) return;
  g->SetCellIndex(static_cast<int>(FillColor));
  RepaintGraphicCell(ACol, ARow);
}

TColor TProStringGrid::GetShapeColor(int ACol, int ARow) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  return g && g->CellType() == ctShape ? static_cast<TColor>(g->CellIndex()) : clNone;
}

void TProStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctRating, haFull, vaTop);
  if (!g) return;
  g->SetCellColor(EmptyColor);
  g->SetCellIndex(static_cast<int>(FillColor));
  g->SetCellAngle(Scale);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddColorComment(int ACol, int ARow, const std::string& Comment, TColor Color) {
  TCellGraphic* g = NewGraphic(ACol, ARow, ctComment, haLeft, vaTop);
  if (!g) return;
  g->SetCellText(Comment);
  g->SetCellIndex(static_cast<int>(Color));
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::AddComment(int ACol, int ARow, const std::string& Comment) {
  AddColorComment(ACol, ARow, Comment, ControlLook().CommentColor());
}

bool TProStringGrid::IsComment(int ACol, int ARow, std::string& comment) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctComment) return false;
  comment = g->CellText();
  return true;
}

std::string TProStringGrid::GetComment(int ACol, int ARow) const {
  std::string s;
  IsComment(ACol, ARow, s);
  return s;
}

void TProStringGrid::SetComment(int ACol, int ARow, const std::string& Value) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) {
    AddComment(ACol, ARow, Value);
  } else if (g->CellType() == ctComment) {
    g->SetCellText(Value);
    RepaintGraphicCell(ACol, ARow);
  }
}

void TProStringGrid::RemoveAllComments() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      RemoveComment(DisplToRealCol(c), r);
}

void TProStringGrid::AddMarker(int ACol, int ARow, int ErrPos, int ErrLen) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) g = NewGraphic(ACol, ARow, ctEmpty, haLeft, vaTop);
  if (!g) return;
  g->SetCellErrFrom(ErrPos);
  g->SetCellErrLen(ErrLen);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  ErrPos = g ? g->CellErrFrom() : 0;
  ErrLen = g ? g->CellErrLen() : 0;
}

void TProStringGrid::RemoveMarker(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return;
  if (g->CellType() == ctEmpty) {
    RemoveCellGraphic(ACol, ARow);
    return;
  }
  g->SetCellErrFrom(0);
  g->SetCellErrLen(0);
  RepaintGraphicCell(ACol, ARow);
}

void TProStringGrid::RemoveAllMarkers() {
  for (int r = 0; r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      RemoveMarker(DisplToRealCol(c), r);
}

void TProStringGrid::AddBalloon(int ACol, int ARow, const std::string& Title, const std::string& Text,
                                TBalloonIcon Icon) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (g && !TakesBalloon(g->CellType())) return;
  if (!g) {
    g = NewGraphic(ACol, ARow, ctBalloon, haLeft, vaTop);
    if (!g) return;
    g->SetCellAngle(0);
  } else {
    g->SetCellAngle(1);
  }
  g->SetCellIndex(Icon);
  auto texts = std::make_unique<TStringList>();
  texts->Add(Title);
  texts->Add(Text);
  g->SetCellObjectSlot(texts.release()); // frees a balloon attached before
  g->MarkCreated();
}

bool TProStringGrid::HasBalloon(int ACol, int ARow) const {
  return HasCellGraphicOf(ACol, ARow, {ctBalloon});
}

bool TProStringGrid::IsBalloon(int ACol, int ARow, std::string& Title, std::string& Text,
                               TBalloonIcon& Icon) const {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  const bool attached = TakesBalloon(g->CellType()) && g->CellAngle() == 1;
  if (g->CellType() != ctBalloon && !attached) return false;
  const TStringList* texts = g->CellStrings();
  if (!texts) return false;
  Title = texts->Count() > 0 ? texts->Strings(0) : "";
  Text = texts->Count() > 1 ? texts->Strings(1) : "";
  Icon = static_cast<TBalloonIcon>(g->CellIndex());
  return true;
}

void TProStringGrid::RemoveBalloon(int ACol, int ARow) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return;
  if (TakesBalloon(g->CellType()) && g->CellAngle() == 1) {
    g->SetCellObjectSlot(std::monostate{});
    g->SetCellAngle(0);
    return;
  }
  RemoveCellGraphicOfKind(ACol, ARow, ctBalloon);
}

void TProStringGrid::RepaintGraphicCell(int ACol, int ARow) {
  const int d = RealToDisplCol(ACol);
  if (d >= 0 && ARow >= 0 && ARow < RowCount()) RepaintCell(d, ARow);
}

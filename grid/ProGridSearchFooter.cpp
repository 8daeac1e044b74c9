// The search bar of the string grid: its settings applied to the panel, and what typing and its
// buttons do.
#include "grid/ProGrid.h"
#include "grid/SearchPanel.h"
#include "platform/ui/Messages.h"

TSearchPanel* TProStringGrid::EnsureSearchPanel() {
  if (!FSearchPanel) {
    FSearchPanel = new TSearchPanel(this);
    FSearchPanel->SetVisible(false);
    FSearchPanel->SetParent(this);
    FSearchPanel->SetAlign(alBottom);
    FSearchPanel->SetHeight(0);
    FSearchPanel->OnEditChange = [this](TObject* Sender) { SearchEditChange(Sender); };
    FSearchPanel->OnForwardClick = [this](TObject* Sender) { SearchForwardClick(Sender); };
    FSearchPanel->OnBackwardClick = [this](TObject* Sender) { SearchBackwardClick(Sender); };
    FSearchPanel->OnExitClick = [this](TObject* Sender) { SearchExitClick(Sender); };
    FSearchPanel->OnHighLightClick = [this](TObject* Sender) { SearchHighLightClick(Sender); };
    if (OnCreatedSearchFooter) OnCreatedSearchFooter(this);
  }
  return FSearchPanel;
}

bool TProStringGrid::SearchHighlightOn() const {
  return FSearchPanel && FSearchPanel->HiliteButton()->Down();
}

void TProStringGrid::SearchFooterChange() {
  const TSearchFooter& s = *FSearchFooter;
  if (!FSearchPanel) {
    if (!s.Visible() || !Parent()) return;
    EnsureSearchPanel();
  }
  TSearchPanel& P = *FSearchPanel;
  if ((SearchHighlightOn() && P.Visible() && !s.Visible()) || s.AlwaysHighLight()) UnHilightInGrid(false);

  P.SetColor(s.Color());
  P.SetColorTo(s.ColorTo());
  P.Font().Assign(s.Font());
  P.ForwardButton()->SetCaption(s.FindNextCaption());
  P.BackwardButton()->SetCaption(s.FindPrevCaption());
  P.MatchCase()->SetCaption(s.MatchCaseCaption());
  P.HiliteButton()->SetCaption(s.HighLightCaption());
  const std::pair<TProGridButton*, const std::string*> hints[] = {{P.ForwardButton(), &s.HintFindNext()},
                                                                  {P.BackwardButton(), &s.HintFindPrev()},
                                                                  {P.ExitButton(), &s.HintClose()},
                                                                  {P.HiliteButton(), &s.HintHighlight()}};
  for (const auto& [button, hint] : hints) {
    button->SetHint(*hint);
    button->SetShowHint(!hint->empty());
  }

  for (TProGridButton* b : {P.ForwardButton(), P.BackwardButton(), P.HiliteButton()}) {
    const TGridControlStyle style = FControlLook.ControlStyle();
    if (s.AutoThemeAdapt()) {
      b->SetAutoThemeAdapt(true);
      b->SetFlat(true);
    } else if (style == csFlat) {
      b->SetFlat(true);
    } else if (style == csWinXP || style == csTheme) {
      b->SetAutoXPStyle(true);
      b->SetFlat(false);
    } else if (style == csClassic) {
      b->SetAutoXPStyle(false);
      b->SetFlat(false);
    }
  }

  P.HiliteButton()->SetVisible(s.ShowHighLight());
  P.ExitButton()->SetVisible(s.ShowClose());
  P.MatchCase()->SetVisible(s.ShowMatchCase());
  P.MatchCase()->SetTransparent(true);
  P.BackwardButton()->SetVisible(s.ShowFindPrev());
  P.ForwardButton()->SetVisible(s.ShowFindNext());

  P.UpdateLayout();
  for (TProGridButton* b : {P.ForwardButton(), P.BackwardButton(), P.HiliteButton()})
    b->SetHeight(b->Visible() ? 23 : 0);
  P.MatchCase()->SetHeight(P.MatchCase()->Visible() ? 18 : 0);
  P.SetHeight(s.Visible() ? 32 : 0);
  P.SetVisible(s.Visible());
  if (s.Visible()) ShowLastRowAboveSearchPanel();
  Invalidate();
}

TFindParams TProStringGrid::SearchFooterParams(bool Backward) const {
  const TSearchFooter& s = *FSearchFooter;
  TFindParams p = fnAutoGoto;
  if (Backward) p |= fnBackward;
  if (SearchHighlightOn()) p |= fnIgnoreHTMLTags;
  if (FSearchPanel && FSearchPanel->MatchCase()->Checked()) p |= fnMatchCase;
  if (s.SearchActiveColumnOnly()) p |= fnFindInCurrentCol;
  if (s.SearchMatchStart()) p |= fnMatchStart;
  if (!Backward && s.SearchDirection() == sdLeftRight) p |= fnDirectionLeftRight;
  if (s.SearchColumn() >= 0 && s.SearchColumn() < ColCount()) p |= fnFindInPresetCol;
  return p;
}

void TProStringGrid::HighlightSearchText(const std::string& Text) {
  const bool matchCase = FSearchPanel && FSearchPanel->MatchCase()->Checked();
  if (FSearchFooter->SearchColumn() != -1)
    HilightInCol(false, matchCase, FSearchFooter->SearchColumn(), Text);
  else
    HilightInGrid(false, matchCase, Text);
}

void TProStringGrid::RemoveSearchHighlight() {
  if (FSearchFooter->SearchColumn() != -1)
    UnHilightInCol(false, FSearchFooter->SearchColumn());
  else
    UnHilightInGrid(false);
}

void TProStringGrid::SearchEditChange(TObject*) {
  if (!FSearchPanel) return;
  TRetEdit& edit = *FSearchPanel->Edit();
  const std::string text = edit.Text();
  bool defaultSearch = true;
  if (OnSearchEditChange) OnSearchEditChange(this, text, defaultSearch);
  const TSearchFooter& s = *FSearchFooter;
  if (!defaultSearch || !s.AutoSearch()) return;

  TFindParams p = SearchFooterParams(false);
  if (s.SearchFixedCells()) p |= fnIncludeFixed;
  if (s.SearchHiddenRows()) p |= fnIncludeHiddenRows;
  if (p & fnFindInPresetCol) FFindCol = s.SearchColumn();
  const bool highlight = SearchHighlightOn() || s.AlwaysHighLight();
  if (highlight) RemoveSearchHighlight();

  if (text.empty()) {
    edit.SetColor(clWindow);
    if (SearchHighlightOn()) RemoveSearchHighlight();
    return;
  }
  FSearchCell = Find({-1, -1}, text, p);
  SearchFooterAction(text, FSearchCell.X, FSearchCell.Y, saFindFirst);
  if (FSearchCell.X == -1) {
    edit.SetColor(static_cast<TColor>(0x0000FF));
    return;
  }
  edit.SetColor(clWindow);
  const int row = p & fnIncludeHiddenRows ? RealToDisplRow(FSearchCell.Y) : FSearchCell.Y;
  ScrollInView(FSearchCell.X, row);
  if (highlight) HighlightSearchText(text);
}

void TProStringGrid::SearchFindStep(bool Backward) {
  if (!FSearchPanel) return;
  TSearchFooter& s = *FSearchFooter;
  const std::string text = FSearchPanel->Edit()->Text();
  if (!s.AutoSearch()) {
    if (text != s.LastSearch()) FSearchCell = {-1, -1};
    s.SetLastSearch(text);
  }
  const TFindParams p = SearchFooterParams(Backward);
  if (p & fnFindInPresetCol) FFindCol = s.SearchColumn();
  FSearchCell = Find(FSearchCell, text, p);
  const bool found = FSearchCell.X != -1;
  if (found && !Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
  const int b = FFloatingFooter.Visible() ? 1 : 0;
  if (Row() > TopRow() + VisibleRowCount() - 2 - b && RowCount() > VisibleRowCount() + FixedRows() + b)
    SetTopRow(std::min(TopRow() + 2, RowCount() - 1));
  if (found && Backward) ScrollInView(FSearchCell.X, FSearchCell.Y);
  SearchFooterAction(text, FSearchCell.X, FSearchCell.Y, Backward ? saFindPrevious : saFindNext);
  FSearchPanel->Invalidate();
}

void TProStringGrid::SearchForwardClick(TObject*) {
  SearchFindStep(false);
}

void TProStringGrid::SearchBackwardClick(TObject*) {
  SearchFindStep(true);
}

void TProStringGrid::SearchExitClick(TObject*) {
  if (OnSearchFooterClose) OnSearchFooterClose(this);
  FSearchFooter->SetVisible(false);
}

void TProStringGrid::SearchHighLightClick(TObject*) {
  if (!FSearchPanel) return;
  if (FSearchPanel->HiliteButton()->Down())
    HighlightSearchText(FSearchPanel->Edit()->Text());
  else
    RemoveSearchHighlight();
}

void TProStringGrid::CMDialogChar(TMessage& Message) {
  Message.Result = 0;
  if (!FSearchFooter->Visible() || !FSearchPanel) return;
  const WideChar ch = static_cast<WideChar>(Message.WParam);
  TSearchPanel& P = *FSearchPanel;
  auto ready = [&](TProGridButton* b) { return IsAccel(ch, b->Caption()) && b->Visible() && b->Enabled(); };
  if (ready(P.ForwardButton())) {
    SearchForwardClick(&P);
  } else if (ready(P.BackwardButton())) {
    SearchBackwardClick(&P);
  } else if (ready(P.HiliteButton())) {
    P.HiliteButton()->SetDown(!P.HiliteButton()->Down());
    SearchHighLightClick(&P);
  } else {
    return;
  }
  Message.Result = 1;
}

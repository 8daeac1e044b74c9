// The settings of a tree's scroll bars, and what the tree last told each bar.
#pragma once

#include <cstdint>

class TBaseNodeTree;

// The bars, as OnShowScrollBar names them.
constexpr int SB_HORZ = 0, SB_VERT = 1;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TScrollBarStyle { sbmRegular, sbm3D };

class TScrollBarOptions {
public:
  explicit TScrollBarOptions(TBaseNodeTree* owner) : FOwner(owner) {}
  bool AlwaysVisible() const { return FAlwaysVisible; }
  void SetAlwaysVisible(bool value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  TScrollBarStyle ScrollBarStyle() const { return FScrollBarStyle; }
  void SetScrollBarStyle(TScrollBarStyle value) { FScrollBarStyle = value; }
  int HorizontalIncrement() const { return FIncrementX; }
  void SetHorizontalIncrement(int value);
  int VerticalIncrement() const { return FIncrementY; }
  void SetVerticalIncrement(int value);
  void Assign(const TScrollBarOptions& source);
  bool HasVertical() const { return FScrollBars == ssVertical || FScrollBars == ssBoth; }
  bool HasHorizontal() const { return FScrollBars == ssHorizontal || FScrollBars == ssBoth; }

private:
  TBaseNodeTree* FOwner;
  bool FAlwaysVisible = false;
  TScrollStyle FScrollBars = ssBoth;
  TScrollBarStyle FScrollBarStyle = sbmRegular;
  int FIncrementX = 20;
  int FIncrementY = 20;
};

// One bar as the tree set it: shown, enabled (disabled when shown only because AlwaysVisible),
// its range, page and position.
struct TVTScrollBarState {
  bool Shown = false;
  bool Enabled = false;
  int Max = 0;
  int Page = 0;
  int Position = 0;
};

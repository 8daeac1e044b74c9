// A list box whose owner draws every line: fixed line height, a top line that can be set, the
// wheel scrolling by lines. Without a drawing handler the lines are written plainly.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Graphics.h"

#include <functional>
#include <string>
#include <vector>

class TDrawListBox;
using TDrawItemEvent = std::function<void(TDrawListBox* Sender, int Index, TRect Rect, TCanvas& Canvas)>;

class TDrawListBox : public TCustomControl {
public:
  explicit TDrawListBox(TComponent* AOwner);

  const std::vector<std::string>& Items() const { return FItems; }
  void Add(const std::string& item);
  void Clear();
  int Count() const { return static_cast<int>(FItems.size()); }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int height);
  // The first line shown, kept between 0 and the last line.
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int index);
  // The rectangle of line `index` in client coordinates (it may lie outside the client area).
  TRect ItemRect(int index) const;

  TDrawItemEvent OnDrawItem;

protected:
  void Paint() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
  std::vector<std::string> FItems;
  int FItemHeight = 13;
  int FTopIndex = 0;
};

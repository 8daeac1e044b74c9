// The label's widget: a QLabel that draws its plain text from the layout made when the label was
// measured, so the text is shaped once and not again at every paint. The layout and the drawing
// follow QLabel's own under the Fusion style, pixel for pixel; whatever QLabel would draw another
// way (wrapped, right-to-left or disabled text, tabs, underlined fonts, other styles) it draws itself.
#pragma once

#include <QFont>
#include <QLabel>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <vector>

// A label's text laid out in its font, one line for each '\n'-separated line, as QLabel lays it
// out to paint it.
struct TLaidLabelText {
  QString Text;
  QFont Font;
  QTextLayout Layout;
  qreal Leading = 0;
};

// The text laid out, and the advance of each of its lines as QFontMetrics measures them; nullptr
// (and no widths) for a text QLabel changes before drawing it.
std::shared_ptr<const TLaidLabelText> LayOutLabelText(const QString& text, const QFont& font,
                                                      std::vector<int>& widths);

class QtLabelWidget : public QLabel {
public:
  // The layout to paint from while the label's text and font are the ones it was made for.
  void SetLaidText(std::shared_ptr<const TLaidLabelText> laid) { FLaid = std::move(laid); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  bool Drawable(const TLaidLabelText& laid) const;
  std::shared_ptr<const TLaidLabelText> FLaid;
};

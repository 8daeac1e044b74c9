#include "platform/ui/StdCtrls.h"

#include "platform/ui/EditBoxWidget.h"
#include "platform/ui/GraphicsQt.h"
#include "platform/ui/LabelWidget.h"
#include "platform/ui/QtBridge.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStylePainter>
#include <QStyledItemDelegate>
#include <QTextOption>
#include <QValidator>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

bool SameText(const std::string& a, const std::string& b) {
  return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) == 0;
}

void SetBaseColor(QWidget* w, TColor color) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Base, ToQColor(color));
  w->setPalette(pal);
}

Qt::Alignment HorizontalAlignment(TAlignment alignment) {
  return alignment == taCenter         ? Qt::AlignHCenter
         : alignment == taRightJustify ? Qt::AlignRight
                                       : Qt::AlignLeft;
}

QChar WithCharCase(QChar ch, TEditCharCase charCase) {
  return charCase == ecUpperCase ? ch.toUpper() : charCase == ecLowerCase ? ch.toLower() : ch;
}

// Typed letters become capitals or small letters as the char case asks.
void ApplyCharCase(TMessage& M, TEditCharCase charCase) {
  if (M.Msg != WM_CHAR || charCase == ecNormal) return;
  M.WParam = WithCharCase(QChar(static_cast<char16_t>(M.WParam)), charCase).unicode();
}

// A button's focus states: a button (other than a radio button) has the focus.
bool IsButtonClass(const TControl* c) {
  if (!c) return false;
  std::string name = c->ClassName();
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char ch) { return std::toupper(ch); });
  return name.find("BUTTON") != std::string::npos && name.find("RADIOBUTTON") == std::string::npos;
}

// Refuses an edit that makes the text longer than the limit (typing, pasting); text set by code
// stays as given. With a filter, what the user inserts other than by typing (pasting, dropping)
// passes through it; the filter hands back typed text and text set by code unchanged. The line
// edit holds the new text while validating, so the text before the change is kept here.
class TEditValidator : public QValidator {
public:
  using TFilter = std::function<QString(const QString&)>;
  TEditValidator(QLineEdit* edit, int maxLength, TFilter filter)
      : QValidator(edit), FMax(maxLength), FFilter(std::move(filter)), FPrevious(edit->text()) {
    QObject::connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
      FPrevious = text;
      FFiltered.reset();
    });
  }
  State validate(QString& input, int& pos) const override {
    // The line edit validates the text it was handed back once more; that text is filtered already.
    if (FFilter && !(FFiltered && input == *FFiltered)) {
      const qsizetype before = FPrevious.size(), after = input.size();
      qsizetype head = 0, tail = 0;
      while (head < before && head < after && FPrevious[head] == input[head])
        ++head;
      while (tail < before - head && tail < after - head &&
             FPrevious[before - 1 - tail] == input[after - 1 - tail])
        ++tail;
      const QString inserted = input.mid(head, after - head - tail);
      if (!inserted.isEmpty()) {
        const QString kept = FFilter(inserted);
        if (kept != inserted) {
          input = input.left(head) + kept + input.right(tail);
          pos = static_cast<int>(head + kept.size());
          FFiltered = input;
        }
      }
    }
    if (FMax > 0 && input.size() > FMax && input.size() > FPrevious.size()) return Invalid;
    return Acceptable;
  }

private:
  int FMax;
  TFilter FFilter;
  QString FPrevious;
  mutable std::optional<QString> FFiltered;
};

void SetLengthLimit(QLineEdit* edit, int maxLength, TEditValidator::TFilter filter = {}) {
  delete edit->validator();
  edit->setValidator(maxLength > 0 || filter ? new TEditValidator(edit, maxLength, std::move(filter))
                                             : nullptr);
}

// List controls expand a TAB to the next stop; the stops lie eight average characters apart.
qreal TabStopDistance(const QFontMetrics& fm) {
  static const QString Alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int average = (fm.horizontalAdvance(Alphabet) / 26 + 1) / 2;
  return 8.0 * std::max(1, average);
}

QTextOption TabbedTextOption(const QFontMetrics& fm, Qt::Alignment alignment) {
  QTextOption option(alignment);
  option.setWrapMode(QTextOption::NoWrap);
  option.setTabStopDistance(TabStopDistance(fm));
  return option;
}

int TabbedTextWidth(const QFontMetrics& fm, const QString& text) {
  return fm.size(Qt::TextSingleLine | Qt::TextExpandTabs, text, static_cast<int>(TabStopDistance(fm)))
      .width();
}

int ItemTextMargin(const QWidget* w) {
  return w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
}

// Draws item texts of list views with their TABs expanded to the list's tab stops.
class TTabbedItemDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    if (!opt.text.contains(QLatin1Char('\t'))) return QStyledItemDelegate::paint(painter, option, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* w = opt.widget;
    QStyle* style = w ? w->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, w);
    const int margin = w ? ItemTextMargin(w) : 3;
    QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, w).adjusted(margin, 0, -margin, 0);
    const QPalette::ColorGroup group =
        opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                                : QPalette::Text));
    painter->setClipRect(r);
    painter->drawText(QRectF(r), text, TabbedTextOption(opt.fontMetrics, Qt::AlignLeft | Qt::AlignVCenter));
    painter->restore();
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    if (opt.text.contains(QLatin1Char('\t'))) {
      const int margin = opt.widget ? ItemTextMargin(opt.widget) : 3;
      size.setWidth(TabbedTextWidth(opt.fontMetrics, opt.text) + 2 * margin + 2);
    }
    return size;
  }
};

} // namespace

// Outside the unnamed namespace: the box is a friend of its control.
class QtComboBox : public QComboBox {
public:
  explicit QtComboBox(TComboBox* owner) : FOwner(owner) {}
  // The list view and its pop-up are made on first use: most boxes of a window are never opened.
  QAbstractItemView* List() {
    if (!FListReady) {
      FListReady = true;
      view()->setItemDelegate(new TTabbedItemDelegate(view()));
      if (QWidget* popup = view()->parentWidget()) popup->setFont(font());
    }
    return view();
  }
  bool ListShown() const { return FListReady && view()->isVisible(); }
  void showPopup() override {
    FOwner->DropDown();
    List()->setMinimumWidth(PopupWidth());
    QComboBox::showPopup();
    if (!FOwner->FDropDownRight) return;
    // Sideways only: width, height and top stay as the box placed them.
    QWidget* popup = view()->parentWidget();
    const int right = mapToGlobal(QPoint(width(), 0)).x();
    const QRect list = ShownList();
    if (popup && list.right() + 1 != right) popup->move(popup->x() + right - (list.right() + 1), popup->y());
  }
  // The list's own rectangle on the screen, inside the frame of its pop-up.
  QRect ShownList() { return QRect(view()->mapToGlobal(QPoint(0, 0)), view()->size()); }
  // The open list's screen rectangle, or the one opening it would give.
  QRect PopupGeometry() {
    if (ListShown()) return ShownList();
    const int width = PopupWidth();
    const QPoint below = mapToGlobal(QPoint(0, height()));
    const int rows = std::max(1, std::min(count(), maxVisibleItems()));
    const int row = count() > 0 ? List()->sizeHintForRow(0) : height();
    const int left = FOwner->FDropDownRight ? below.x() + this->width() - width : below.x();
    return QRect(left, below.y(), width, rows * row + 2 * view()->frameWidth());
  }
  // The open list is as wide as its longest item needs, never narrower than the box.
  int PopupWidth() {
    List();
    int widest = 0;
    QStyleOptionViewItem option;
    option.initFrom(view());
    option.font = view()->font();
    option.fontMetrics = QFontMetrics(option.font);
    for (int i = 0; i < count(); ++i)
      widest = std::max(widest, view()->itemDelegate()->sizeHint(option, model()->index(i, 0)).width());
    if (count() > maxVisibleItems()) widest += view()->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return std::max({width(), widest + 2 * view()->frameWidth(), FOwner->LeastDroppedWidth()});
  }
  void hidePopup() override {
    const bool shown = ListShown();
    QComboBox::hidePopup();
    if (shown) FOwner->CloseUp();
  }

protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Show) FOwner->Box();
    return QComboBox::event(event);
  }
  // The box would make its list only to hand it the new font; a list made later takes the font then.
  void changeEvent(QEvent* event) override {
    if (event->type() == QEvent::FontChange && !FListReady) return QWidget::changeEvent(event);
    QComboBox::changeEvent(event);
  }
  // A list without an edit part draws its own text: TABs go to the tab stops, and while the box
  // has the focus its text stands on the highlight, as the system's lists mark the focus.
  void paintEvent(QPaintEvent* event) override {
    NativePaint(event);
    if (!FOwner->PaintsOver()) return;
    QPainter painter(this);
    if (!FOverCanvas) FOverCanvas = std::make_unique<TCanvas>();
    FOverCanvas->Font().Assign(FOwner->Font());
    TCanvasBinding bind(*FOverCanvas, painter);
    FOwner->PaintOver(*FOverCanvas);
  }
  void NativePaint(QPaintEvent* event) {
    if (isEditable()) return QComboBox::paintEvent(event);
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QString text = opt.currentText;
    opt.currentText.clear();
    opt.state &= ~QStyle::State_HasFocus;
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const bool enabled = isEnabled();
    QColor pen = palette().color(enabled ? QPalette::Normal : QPalette::Disabled, QPalette::ButtonText);
    if (hasFocus() && enabled) {
      painter.fillRect(field.adjusted(1, 1, -1, -1), ToQColor(clHighlight));
      pen = ToQColor(clHighlightText);
    }
    painter.setPen(pen);
    painter.setClipRect(field);
    const QRect textRect = field.adjusted(3, 0, -2, 0);
    painter.drawText(QRectF(textRect), text,
                     TabbedTextOption(fontMetrics(), Qt::AlignLeft | Qt::AlignVCenter));
  }

private:
  std::unique_ptr<TCanvas> FOverCanvas;
  TComboBox* FOwner;
  bool FListReady = false;
};

namespace {

class QtCheckBox : public QCheckBox {
public:
  explicit QtCheckBox(TCheckBox* owner) : FOwner(owner) {}

protected:
  // The focus is a dotted frame around the caption, shown whenever the box has the focus.
  void paintEvent(QPaintEvent*) override {
    QStylePainter painter(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const bool focused = opt.state & QStyle::State_HasFocus;
    opt.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_CheckBox, opt);
    if (!focused) return;
    QRect frame = style()->subElementRect(QStyle::SE_CheckBoxFocusRect, &opt, this);
    frame = frame.intersected(rect().adjusted(0, 0, -1, -1));
    QPen pen(palette().color(QPalette::WindowText), 1, Qt::CustomDashLine);
    pen.setDashPattern({1, 1});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame.adjusted(0, 0, -1, -1));
  }

  // Unchecked, checked, then grayed when allowed: the order the control's Toggle uses.
  void nextCheckState() override { FOwner->Toggle(); }

private:
  TCheckBox* FOwner;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Items

std::string TControlItems::Strings(int index) const {
  if (index < 0 || index >= Count()) return {};
  return FItems[static_cast<std::size_t>(index)];
}

void TControlItems::SetStrings(int index, const std::string& text) {
  if (index < 0 || index >= Count()) return;
  FItems[static_cast<std::size_t>(index)] = text;
  Changed();
}

TObject* TControlItems::Objects(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FObjects[static_cast<std::size_t>(index)];
}

void TControlItems::SetObjects(int index, TObject* object) {
  if (index < 0 || index >= Count()) return;
  FObjects[static_cast<std::size_t>(index)] = object; // no look changes: nothing to show
}

int TControlItems::Add(const std::string& text) {
  return AddObject(text, nullptr);
}

int TControlItems::AddObject(const std::string& text, TObject* object) {
  FItems.push_back(text);
  FObjects.push_back(object);
  Changed();
  return Count() - 1;
}

void TControlItems::Insert(int index, const std::string& text) {
  InsertObject(index, text, nullptr);
}

void TControlItems::InsertObject(int index, const std::string& text, TObject* object) {
  index = std::clamp(index, 0, Count());
  FItems.insert(FItems.begin() + index, text);
  FObjects.insert(FObjects.begin() + index, object);
  Changed();
}

void TControlItems::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  FItems.erase(FItems.begin() + index);
  FObjects.erase(FObjects.begin() + index);
  Changed();
}

void TControlItems::Clear() {
  FItems.clear();
  FObjects.clear();
  Changed();
}

int TControlItems::IndexOf(const std::string& text) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(FItems[static_cast<std::size_t>(i)], text)) return i;
  return -1;
}

void TControlItems::Assign(const std::vector<std::string>& items) {
  FItems = items;
  FObjects.assign(items.size(), nullptr);
  Changed();
}

void TControlItems::SortItems(const std::function<bool(const std::string&, const std::string&)>& less) {
  std::vector<std::size_t> order(FItems.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return less(FItems[a], FItems[b]); });
  std::vector<std::string> items;
  std::vector<TObject*> objects;
  for (std::size_t i : order) {
    items.push_back(std::move(FItems[i]));
    objects.push_back(FObjects[i]);
  }
  FItems = std::move(items);
  FObjects = std::move(objects);
}

std::string TControlItems::Text() const {
  std::string out;
  for (const auto& s : FItems)
    out += s + "\n";
  return out;
}

void TControlItems::SetText(const std::string& text) {
  std::vector<std::string> items;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char ch = text[i];
    if (ch == '\r' || ch == '\n') {
      items.push_back(line);
      line.clear();
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += ch;
    }
  }
  if (!line.empty()) items.push_back(line);
  Assign(items);
}

void TControlItems::EndUpdate() {
  if (FUpdating > 0 && --FUpdating == 0) Changed();
}

void TControlItems::Changed() {
  if (FUpdating == 0 && FOnChange) FOnChange();
}

// ---------------------------------------------------------------------------------------------
// Label

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  DeferWidget();
  SetBounds(0, 0, 65, 17);
  ApplyText();
}

QWidget* TLabel::CreateWidget() {
  auto* l = new QtLabelWidget;
  l->setTextFormat(Qt::PlainText);
  l->setFocusPolicy(Qt::NoFocus);
  return l;
}

void TLabel::WidgetCreated() {
  ApplyText();
  PassLaidText();
}

void TLabel::PassLaidText() {
  if (HasWidget()) static_cast<QtLabelWidget*>(Widget())->SetLaidText(FMeasured.Laid);
}

bool TLabel::ShowsWithWindow() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

std::string TLabel::ShownText() const {
  std::string text = GetText();
  return FShowAccelChar ? StripHotkey(text) : text;
}

void TLabel::ApplyText() {
  if (HasWidget()) {
    auto* l = static_cast<QLabel*>(Widget());
    l->setText(Q(ShownText()));
    Qt::Alignment align = HorizontalAlignment(FAlignment);
    align |= FLayout == tlCenter ? Qt::AlignVCenter : FLayout == tlBottom ? Qt::AlignBottom : Qt::AlignTop;
    l->setAlignment(align);
    l->setWordWrap(FWordWrap);
  }
  AdjustBounds();
}

void TLabel::SetTextNative(const std::string& text) {
  TGraphicControl::SetTextNative(text);
  ApplyText();
}

void TLabel::ApplyLook() {
  TGraphicControl::ApplyLook();
  if (HasWidget()) {
    Widget()->setAutoFillBackground(!FTransparent && !ParentColor());
    AdjustBounds();
  }
}

void TLabel::LookDeferred() {
  AdjustBounds();
}

std::vector<TLabel::TMeasured>& TLabel::EmptyLines() {
  static std::vector<TMeasured> lines;
  return lines;
}

bool TLabel::TMeasured::Holds(const TFont& font, const std::string& text, bool wordWrap,
                              int wrapWidth) const {
  return Valid && FontName == font.Name() && FontHeight == font.Height() && FontStyle == font.Style() &&
         FontPitch == font.Pitch() && Text == text && WordWrap == wordWrap &&
         (!wordWrap || WrapWidth == wrapWidth);
}

bool TLabel::MeasureCanWait() const {
  return !HasWidget() && Align() == alNone && Anchors() == (akLeft | akTop) && !OnResize;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || FAdjusting) return;
  // Most labels belong to windows that start hidden, and many are never shown: shaping their
  // texts waits until their bounds are read or their widget is made. Nothing can tell meanwhile:
  // the measured size depends only on the font, the text and the wrapping at that time (a
  // right-aligned label keeps its right edge whatever the sizes between).
  if (MeasureCanWait()) return MarkSizePending();
  SettleSize();
  Measure();
}

void TLabel::SettlePendingSize() {
  // As if measured when asked: no OnResize could have heard it then.
  FSettling = true;
  Measure();
  FSettling = false;
}

void TLabel::Measure() {
  if (!FAutoSize || FAdjusting) return;
  FAdjusting = true;
  // Shaping the text is the costly part: it is measured again only when the font, the text or
  // the wrapping changed. The control's font is what the widget shows, or will once it is first
  // shown; its colour plays no part in the size.
  const TFont& font = Font();
  const std::string shown = ShownText();
  TMeasured& m = FMeasured;
  if (!m.Holds(font, shown, FWordWrap, Width())) {
    auto& empty = EmptyLines();
    auto known = std::find_if(empty.begin(), empty.end(),
                              [&](const TMeasured& e) { return e.Holds(font, shown, FWordWrap, Width()); });
    if (known != empty.end()) {
      m = *known;
    } else {
      const QFont qfont = ToQFont(font, true);
      QFontMetrics fm(qfont);
      QString text = Q(shown);
      if (text.isEmpty()) text = " ";
      int w = 0, h = 0;
      std::shared_ptr<const TLaidLabelText> laid;
      if (FWordWrap) {
        w = Width();
        h = fm.boundingRect(QRect(0, 0, std::max(1, w), 100000), Qt::TextWordWrap, text).height();
      } else {
        const QStringList lines = text.split('\n');
        // A label about to show measures its lines as its widget lays them out to paint them:
        // shaped once for both. (A layout costs a third more than measuring alone, so labels of
        // hidden windows only measure.)
        std::vector<int> widths;
        if (ShowsWithWindow()) laid = LayOutLabelText(Q(shown), qfont, widths);
        if (!laid)
          for (const QString& line : lines)
            widths.push_back(fm.horizontalAdvance(line));
        w = *std::max_element(widths.begin(), widths.end());
        h = fm.height() * static_cast<int>(lines.size());
      }
      m = {true, font.Name(), font.Height(), font.Style(), font.Pitch(), shown, FWordWrap, Width(),
           w,    h,           laid};
      if (shown.empty() && !FWordWrap) {
        constexpr std::size_t kept = 8;
        if (empty.size() == kept) empty.erase(empty.begin());
        empty.push_back(m);
      }
    }
    PassLaidText();
  }
  int left = Left();
  if (FAlignment == taRightJustify && !FWordWrap) left = Left() + Width() - m.Width;
  SetBounds(left, Top(), m.Width, m.Height);
  FAdjusting = false;
}

void TLabel::Resize() {
  if (FWordWrap) AdjustBounds();
  if (!FSettling) TGraphicControl::Resize();
}

// The size waiting to be measured is measured with the settings it was asked under first: the
// auto-size switch, the wrapping and the alignment decide how the next size follows from it.
void TLabel::SetAutoSize(bool autoSize) {
  SettleSize();
  FAutoSize = autoSize;
  AdjustBounds();
}
void TLabel::SetWordWrap(bool wrap) {
  SettleSize();
  FWordWrap = wrap;
  ApplyText();
}
void TLabel::SetAlignment(TAlignment alignment) {
  SettleSize();
  FAlignment = alignment;
  ApplyText();
}
void TLabel::SetLayout(TTextLayout layout) {
  FLayout = layout;
  ApplyText();
}
void TLabel::SetTransparent(bool transparent) {
  FTransparent = transparent;
  ApplyLook();
}
void TLabel::SetShowAccelChar(bool show) {
  FShowAccelChar = show;
  ApplyText();
}

void TLabel::WndProc(TMessage& M) {
  if (M.Msg == CM_DIALOGCHAR && FFocusControl && FShowAccelChar && Enabled() &&
      IsAccel(static_cast<WideChar>(M.WParam), GetText()) && FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    M.Result = 1;
    return;
  }
  TGraphicControl::WndProc(M);
}

// ---------------------------------------------------------------------------------------------
// Edit

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 21);
  SetMaxLength(0);
}

QWidget* TEdit::CreateWidget() {
  auto* e = new QLineEdit;
  e->setFocusPolicy(Qt::StrongFocus);
  e->setMaxLength(32767);
  return e;
}

void TEdit::WidgetCreated() {
  // The box takes the text kept so far (the box's own text: with a mask, the formatted one).
  auto* e = static_cast<QLineEdit*>(Widget());
  e->setText(Q(TWinControl::GetText()));
  e->setCursorPosition(0);
  QObject::connect(e, &QLineEdit::textChanged, [this] { Change(); });
  SetMaxLength(FMaxLength);
  if (FReadOnly) e->setReadOnly(true);
  if (FPasswordChar) e->setEchoMode(QLineEdit::Password);
  if (FAlignment != taLeftJustify) e->setAlignment(HorizontalAlignment(FAlignment) | Qt::AlignVCenter);
  if (FBorderStyle == bsNone) e->setFrame(false);
}

std::string TEdit::GetText() const {
  QString text = HasWidget() ? EditBoxOf(this).text() : Q(TWinControl::GetText());
  if (IsMasked()) return QString::fromStdU16String(FMask.Value(text.toStdU16String())).toStdString();
  return text.toStdString();
}

void TEdit::SetTextNative(const std::string& text) {
  if (!HasWidget()) {
    // As the box would: it holds the formatted text, and any change of it is a change.
    const std::string shown =
        IsMasked() ? QString::fromStdU16String(FMask.Format(Q(text).toStdU16String())).toStdString() : text;
    if (shown == TWinControl::GetText()) return;
    TWinControl::SetTextNative(shown);
    const bool setting = std::exchange(FSettingText, true);
    Change();
    FSettingText = setting;
    return;
  }
  QtEditBox e = EditBoxOf(this);
  const bool setting = std::exchange(FSettingText, true);
  if (IsMasked())
    e.setText(QString::fromStdU16String(FMask.Format(Q(text).toStdU16String())));
  else
    e.setText(Q(text));
  FSettingText = setting;
  e.setCursorPosition(0);
}

void TEdit::ApplyLook() {
  TWinControl::ApplyLook();
  if (!HasWidget()) return;
  QWidget* e = Widget();
  // A box the user cannot change stands on the button face, unless it was given a colour of its own.
  const bool plain = Color() == clWindow;
  const bool readOnly = EditBoxOf(this).isReadOnly();
  QPalette pal = e->palette();
  const QColor base = ToQColor(Color());
  const QColor face = ToQColor(clBtnFace);
  pal.setColor(QPalette::Active, QPalette::Base, plain && readOnly ? face : base);
  pal.setColor(QPalette::Inactive, QPalette::Base, plain && readOnly ? face : base);
  pal.setColor(QPalette::Disabled, QPalette::Base, plain ? face : base);
  e->setPalette(pal);
}

void TEdit::SetMaxLength(int length) {
  FMaxLength = std::max(0, length);
  if (!HasWidget()) return;
  // Pasted or dropped text goes through the key handler and the letter case, a character at a
  // time, as if it were typed.
  if (QLineEdit* line = EditBoxOf(this).lineEdit())
    SetLengthLimit(line, FMaxLength, [this](const QString& inserted) {
      if (FKeyed || FSettingText || !CanFire()) return inserted;
      return QString::fromStdU16String(ThroughKeyHandler(inserted.toStdU16String()));
    });
}

std::u16string TEdit::ThroughKeyHandler(const std::u16string& text) {
  std::u16string kept;
  TForm* form = GetParentForm(this);
  for (std::size_t i = 0; i < text.size(); ++i) {
    WideChar ch = text[i];
    TWinControl* focused = form ? form->ActiveControl() : nullptr;
    KeyPress(ch);
    if (ch != 0) kept += WithCharCase(QChar(ch), FCharCase).unicode();
    // A key that moved the focus on (the octet boxes' ".") sends the rest where typing would go.
    if (!form || form->ActiveControl() == focused) continue;
    if (auto* next = dynamic_cast<TEdit*>(form->ActiveControl()); next && next != this) {
      if (i + 1 < text.size()) next->InsertAsTyped(text.substr(i + 1));
      break;
    }
  }
  return kept;
}

bool TEdit::ReadOnly() const {
  return HasWidget() ? EditBoxOf(this).isReadOnly() : FReadOnly;
}
void TEdit::SetReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (!HasWidget()) return;
  EditBoxOf(this).setReadOnly(readOnly);
  ApplyLook();
}

void TEdit::SetPasswordChar(WideChar ch) {
  FPasswordChar = ch;
  if (HasWidget()) EditBoxOf(this).setEchoMode(ch ? QLineEdit::Password : QLineEdit::Normal);
}

int TEdit::SelStart() const {
  QtEditBox e = EditBoxOf(this);
  return e.hasSelectedText() ? e.selectionStart() : e.cursorPosition();
}

void TEdit::SetSelStart(int start) {
  QtEditBox e = EditBoxOf(this);
  e.setCursorPosition(std::clamp(start, 0, static_cast<int>(e.text().size())));
}

int TEdit::SelLength() const {
  return static_cast<int>(EditBoxOf(this).selectedText().size());
}

void TEdit::SetSelLength(int length) {
  QtEditBox e = EditBoxOf(this);
  int start = SelStart();
  length = std::clamp(length, 0, static_cast<int>(e.text().size()) - start);
  e.setSelection(start, length);
}

std::string TEdit::SelText() const {
  return EditBoxOf(this).selectedText().toStdString();
}
void TEdit::SetSelText(const std::string& text) {
  const bool setting = std::exchange(FSettingText, true);
  EditBoxOf(this).insert(Q(text));
  FSettingText = setting;
}
void TEdit::SelectAll() {
  EditBoxOf(this).selectAll();
}
void TEdit::ClearSelection() {
  Perform(WM_CLEAR);
}
bool TEdit::Modified() const {
  // Only the user modifies a box, in a box that exists.
  return HasWidget() && EditBoxOf(this).isModified();
}
void TEdit::SetModified(bool modified) {
  if (HasWidget() || modified) EditBoxOf(this).setModified(modified);
}

void TEdit::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  if (HasWidget()) EditBoxOf(this).setAlignment(HorizontalAlignment(alignment) | Qt::AlignVCenter);
}

void TEdit::DefaultHandler(TMessage& M) {
  // What arrives by a message (a typed character, a paste) has been through the key handler.
  const bool keyed = std::exchange(FKeyed, true);
  DefaultEditHandler(M);
  FKeyed = keyed;
}

void TEdit::DefaultEditHandler(TMessage& M) {
  if (EditMessage(M)) return;
  if (M.Msg == WM_CHAR && FMaxLength > 0 && M.WParam >= 32) {
    QtEditBox e = EditBoxOf(this);
    if (e.text().size() - e.selectedText().size() >= FMaxLength) return;
  }
  ApplyCharCase(M, FCharCase);
  TWinControl::DefaultHandler(M);
}

void TEdit::DoEnter() {
  // Entering by the keyboard selects the text; a click places the caret instead.
  if (FAutoSelect && !(QApplication::mouseButtons() & Qt::LeftButton)) SelectAll();
  TWinControl::DoEnter();
}

void TEdit::Change() {
  if (OnChange && CanFire()) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// Combo box

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FItems.FOnChange = [this] { ItemsChanged(); };
  DeferWidget();
  // The edit part is made when the box is first shown or used: most boxes become lists at once.
  FEditPending = true;
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() {
  FItems.FOnChange = nullptr;
}

QWidget* TComboBox::CreateWidget() {
  auto* cb = new QtComboBox(this);
  cb->setFocusPolicy(Qt::StrongFocus);
  return cb;
}

void TComboBox::WidgetCreated() {
  // The box takes the style, items, choice and text kept so far, silently.
  auto* cb = static_cast<QComboBox*>(Widget());
  FSilent = true;
  cb->setMaxVisibleItems(FDropDownCount);
  if (FEditable) {
    cb->setEditable(true);
    EditPartMade(cb);
  }
  QStringList items;
  for (const auto& s : FItems.ToVector())
    items << Q(s);
  cb->addItems(items);
  cb->setCurrentIndex(FLastIndex);
  if (FEditable) cb->setEditText(Q(TWinControl::GetText()));
  QObject::connect(cb, &QComboBox::activated, [this](int index) { UserPicked(index); });
  FSilent = false;
}

void TComboBox::EditPartMade(QComboBox* cb) {
  cb->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, [this] {
    if (!FSilent) Change();
  });
  SetMaxLength(FMaxLength);
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  FStyle = style;
  FEditPending = false;
  bool editable = style == csDropDown || style == csSimple;
  if (!HasWidget()) {
    if (editable == FEditable) return;
    std::string text = GetText();
    FEditable = editable;
    if (editable) TWinControl::SetTextNative(text);
    return;
  }
  auto* cb = static_cast<QComboBox*>(Widget());
  if (editable == cb->isEditable()) return;
  std::string text = GetText();
  FSilent = true;
  FEditable = editable;
  cb->setEditable(editable);
  if (editable) {
    EditPartMade(cb);
    cb->setEditText(Q(text));
  }
  FSilent = false;
  ApplyLook();
}

void TComboBox::EnsureEditPart() const {
  if (FEditPending) const_cast<TComboBox*>(this)->SetStyle(FStyle);
}

QComboBox* TComboBox::Box() const {
  EnsureEditPart();
  return static_cast<QComboBox*>(Widget());
}

int TComboBox::ItemIndex() const {
  if (!HasWidget()) {
    EnsureEditPart();
    return FLastIndex;
  }
  return Box()->currentIndex();
}

void TComboBox::SetItemIndex(int index) {
  if (!HasWidget()) {
    EnsureEditPart();
    if (index < -1 || index >= FItems.Count()) index = -1;
    FLastIndex = index;
    // An editable box shows the item chosen (nothing for none).
    if (FEditable) TWinControl::SetTextNative(FItems.Strings(index));
    return;
  }
  auto* cb = Box();
  if (index < -1 || index >= cb->count()) index = -1;
  FSilent = true;
  cb->setCurrentIndex(index);
  if (index == -1 && cb->isEditable()) cb->setEditText(QString());
  FSilent = false;
  FLastIndex = index;
}

void TComboBox::SetDropDownCount(int count) {
  FDropDownCount = std::max(1, count);
  FDroppedMeasured = false;
  if (HasWidget()) static_cast<QComboBox*>(Widget())->setMaxVisibleItems(FDropDownCount);
}

void TComboBox::SetMaxLength(int length) {
  FMaxLength = std::max(0, length);
  if (!HasWidget()) return;
  auto* cb = static_cast<QComboBox*>(Widget());
  if (QLineEdit* e = cb->lineEdit()) SetLengthLimit(e, FMaxLength);
}

bool TComboBox::DroppedDown() const {
  return FHeadlessDropped || (HasWidget() && static_cast<QtComboBox*>(Widget())->ListShown());
}

void TComboBox::SetDroppedDown(bool dropped) {
  auto* cb = Box();
  if (dropped == DroppedDown()) return;
  if (Application->Headless()) {
    // No list window headless: the state and the notifications only.
    FHeadlessDropped = dropped;
    dropped ? DropDown() : CloseUp();
    return;
  }
  dropped ? cb->showPopup() : cb->hidePopup();
}

void TComboBox::DropDown() {
  if (OnDropDown && CanFire()) OnDropDown(this);
}

void TComboBox::CloseUp() {
  if (OnCloseUp && CanFire()) OnCloseUp(this);
}

void TComboBox::SetDroppedWidth(int width) {
  FDroppedMeasure = nullptr;
  FDroppedWidth = std::max(0, width);
}

void TComboBox::SetDroppedWidthMeasure(std::function<int()> measure) {
  FDroppedMeasure = std::move(measure);
  FDroppedMeasured = false;
}

int TComboBox::LeastDroppedWidth() const {
  if (FDroppedMeasure && !FDroppedMeasured) {
    FDroppedMeasured = true;
    FDroppedWidth = std::max(0, FDroppedMeasure());
  }
  return FDroppedWidth;
}

void TComboBox::CMFontChanged(TMessage& M) {
  FDroppedMeasured = false;
  TWinControl::CMFontChanged(M);
}

int TComboBox::SelStart() const {
  const QLineEdit* e = Box()->lineEdit();
  return !e ? 0 : e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TComboBox::SetSelStart(int start) {
  if (QLineEdit* e = Box()->lineEdit())
    e->setCursorPosition(std::clamp(start, 0, static_cast<int>(e->text().size())));
}

int TComboBox::CharFromPos(TPoint p) const {
  QComboBox* box = Box();
  QLineEdit* e = box->lineEdit();
  if (!e) return -1;
  const QPoint local = e->mapFrom(box, QPoint(p.X, p.Y));
  if (!e->rect().contains(local)) return -1;
  return e->cursorPositionAt(local);
}

int TComboBox::SelLength() const {
  const QLineEdit* e = Box()->lineEdit();
  return e ? static_cast<int>(e->selectedText().size()) : 0;
}

void TComboBox::SetSelLength(int length) {
  QLineEdit* e = Box()->lineEdit();
  if (!e) return;
  const int start = SelStart();
  e->setSelection(start, std::clamp(length, 0, static_cast<int>(e->text().size()) - start));
}

int TComboBox::DroppedWidth() const {
  return static_cast<QtComboBox*>(Widget())->PopupWidth();
}

TRect TComboBox::DroppedBounds() const {
  const QRect g = static_cast<QtComboBox*>(Widget())->PopupGeometry();
  return TRect{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}

unsigned TComboBox::DialogCode() const {
  return DLGC_WANTARROWS | DLGC_WANTCHARS | (DroppedDown() ? DLGC_WANTALLKEYS : 0);
}

std::string TComboBox::GetText() const {
  // A box without items whose edit part is still to come has had no text set.
  if (FEditPending && FItems.Count() == 0) return {};
  if (!HasWidget()) {
    EnsureEditPart();
    return FEditable ? TWinControl::GetText() : FItems.Strings(FLastIndex);
  }
  return Box()->currentText().toStdString();
}

void TComboBox::SetTextNative(const std::string& text) {
  if (!HasWidget()) {
    EnsureEditPart();
    if (FEditable)
      TWinControl::SetTextNative(text);
    else
      SetItemIndex(FItems.IndexOf(text));
    return;
  }
  auto* cb = Box();
  if (cb->isEditable()) {
    FSilent = true;
    cb->setEditText(Q(text));
    FSilent = false;
  } else {
    SetItemIndex(FItems.IndexOf(text));
  }
}

void TComboBox::ApplyLook() {
  TWinControl::ApplyLook();
  if (!HasWidget()) return;
  auto* cb = static_cast<QComboBox*>(Widget());
  SetBaseColor(cb, Color());
  if (QLineEdit* e = cb->lineEdit()) {
    e->setPalette(cb->palette());
    e->setFont(cb->font());
  }
}

void TComboBox::ItemsChanged() {
  FDroppedMeasured = false;
  if (!HasWidget()) {
    // As the box does: the choice stays when it is still an item; an editable box without a
    // choice keeps its text while it has items.
    EnsureEditPart();
    if (FLastIndex >= FItems.Count()) FLastIndex = -1;
    if (FEditable)
      TWinControl::SetTextNative(FLastIndex >= 0      ? FItems.Strings(FLastIndex)
                                 : FItems.Count() > 0 ? TWinControl::GetText()
                                                      : std::string());
    return;
  }
  auto* cb = Box();
  int index = cb->currentIndex();
  QString text = cb->currentText();
  FSilent = true;
  cb->clear();
  QStringList items;
  for (const auto& s : FItems.ToVector())
    items << Q(s);
  cb->addItems(items);
  // Adding items never selects one by itself.
  if (index >= cb->count()) index = -1;
  cb->setCurrentIndex(index);
  if (cb->isEditable() && index == -1) cb->setEditText(FItems.Count() ? text : QString());
  FSilent = false;
  FLastIndex = index;
}

void TComboBox::UserPicked(int index) {
  if (FSilent || index == FLastIndex) return;
  FLastIndex = index;
  Click();
  Select();
}

void TComboBox::SelectByUser(int index) {
  auto* cb = Box();
  if (index < 0 || index >= cb->count() || !Enabled()) return;
  FSilent = true;
  cb->setCurrentIndex(index);
  FSilent = false;
  UserPicked(index);
}

void TComboBox::Change() {
  if (OnChange && CanFire()) OnChange(this);
}

void TComboBox::Select() {
  if (OnSelect) {
    if (CanFire()) OnSelect(this);
  } else {
    Change();
  }
}

void TComboBox::DefaultHandler(TMessage& M) {
  // Notifications leave the edit part to come; what reaches the native box needs it.
  const bool notification = M.Msg >= CM_BASE && M.Msg < CM_BASE + 0x100;
  if (notification && !HasWidget()) return TWinControl::DefaultHandler(M);
  auto* cb = notification ? static_cast<QComboBox*>(Widget()) : Box();
  if (M.Msg == CB_GETDROPPEDWIDTH) {
    M.Result = static_cast<QtComboBox*>(cb)->PopupWidth();
    return;
  }
  if (M.Msg == CB_SETDROPPEDWIDTH) {
    SetDroppedWidth(static_cast<int>(M.WParam));
    M.Result = DroppedWidth();
    return;
  }
  // A closed list does not open on the space bar (F4 and Alt+Down open it).
  if (M.Msg == WM_KEYDOWN && M.WParam == VK_SPACE && !cb->isEditable()) return;
  if (M.Msg == WM_KEYDOWN && Application->Headless() &&
      (M.WParam == VK_F4 || ((M.LParam & ssAlt) && (M.WParam == VK_DOWN || M.WParam == VK_UP))))
    return;
  ApplyCharCase(M, FCharCase);
  TWinControl::DefaultHandler(M);
}

// ---------------------------------------------------------------------------------------------
// Buttons

std::string TButtonControl::GetText() const {
  if (!HasWidget()) return TWinControl::GetText();
  return static_cast<QAbstractButton*>(Widget())->text().toStdString();
}
void TButtonControl::SetTextNative(const std::string& text) {
  TWinControl::SetTextNative(text);
  if (HasWidget()) static_cast<QAbstractButton*>(Widget())->setText(Q(text));
}
void TButtonControl::WidgetCreated() {
  const std::string text = TWinControl::GetText();
  if (!text.empty()) static_cast<QAbstractButton*>(Widget())->setText(Q(text));
}

// ---------------------------------------------------------------------------------------------
// Check box and radio button

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() & ~csClickEvents);
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

QWidget* TCheckBox::CreateWidget() {
  auto* cb = new QtCheckBox(this);
  cb->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(cb, &QCheckBox::stateChanged, [this] { StateFromWidget(); });
  return cb;
}

void TCheckBox::WidgetCreated() {
  TButtonControl::WidgetCreated();
  auto* cb = static_cast<QCheckBox*>(Widget());
  FSetting = true;
  if (FAllowGrayed) cb->setTristate(true);
  if (FState != cbUnchecked) cb->setCheckState(FState == cbChecked ? Qt::Checked : Qt::PartiallyChecked);
  FSetting = false;
  if (FAlignment == taLeftJustify) cb->setLayoutDirection(Qt::RightToLeft);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == FState) return;
  FState = state;
  if (HasWidget()) {
    FSetting = true;
    static_cast<QCheckBox*>(Widget())->setCheckState(state == cbChecked  ? Qt::Checked
                                                     : state == cbGrayed ? Qt::PartiallyChecked
                                                                         : Qt::Unchecked);
    FSetting = false;
  }
  Click();
}

void TCheckBox::StateFromWidget() {
  if (FSetting) return;
  auto s = static_cast<QCheckBox*>(Widget())->checkState();
  TCheckBoxState state = s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
  if (state == FState) return;
  FState = state;
  Click();
}

void TCheckBox::Toggle() {
  switch (FState) {
  case cbUnchecked:
    SetState(cbChecked);
    break;
  case cbChecked:
    SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
    break;
  case cbGrayed:
    SetState(cbUnchecked);
    break;
  }
}

void TCheckBox::SetAllowGrayed(bool allow) {
  FAllowGrayed = allow;
  if (HasWidget()) static_cast<QCheckBox*>(Widget())->setTristate(allow);
}

void TCheckBox::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  if (HasWidget())
    Widget()->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::SetWordWrap(bool wrap) {
  FWordWrap = wrap;
}

void TCheckBox::CMDialogChar(TMessage& M) {
  if (IsAccel(static_cast<WideChar>(M.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    M.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(M);
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() & ~csClickEvents);
  SetBounds(0, 0, 113, 17);
}

QWidget* TRadioButton::CreateWidget() {
  auto* rb = new QRadioButton;
  rb->setFocusPolicy(Qt::StrongFocus);
  return rb;
}

void TRadioButton::WidgetCreated() {
  TButtonControl::WidgetCreated();
  auto* rb = static_cast<QRadioButton*>(Widget());
  if (FChecked) rb->setChecked(true);
  if (FAlignment == taLeftJustify) rb->setLayoutDirection(Qt::RightToLeft);
  QObject::connect(rb, &QRadioButton::toggled, [this](bool on) {
    if (on) Click();
  });
}

bool TRadioButton::Checked() const {
  if (!HasWidget()) return FChecked;
  return static_cast<QRadioButton*>(Widget())->isChecked();
}

void TRadioButton::SetChecked(bool checked) {
  if (!HasWidget()) {
    if (checked == FChecked) return;
    FChecked = checked;
    if (!checked) return;
    // The buttons of one parent exclude each other (their widgets are still to come too).
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
          other->FChecked = false;
    Click();
    return;
  }
  auto* rb = static_cast<QRadioButton*>(Widget());
  if (checked == rb->isChecked()) return;
  if (checked) {
    rb->setChecked(true);
    return;
  }
  // Qt keeps one button of an exclusive group checked; unchecking by code is allowed here.
  rb->setAutoExclusive(false);
  rb->setChecked(false);
  rb->setAutoExclusive(true);
}

void TRadioButton::SetAlignment(TAlignment alignment) {
  FAlignment = alignment;
  if (HasWidget())
    Widget()->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::CMDialogChar(TMessage& M) {
  if (IsAccel(static_cast<WideChar>(M.WParam), Caption()) && CanFocus()) {
    SetFocus();
    SetChecked(true);
    M.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(M);
}

// ---------------------------------------------------------------------------------------------
// List box

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FItems.FOnChange = [this] { ItemsChanged(); };
  DeferWidget();
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 121, 97);
}

QWidget* TListBox::CreateWidget() {
  auto* l = new QListWidget;
  l->setItemDelegate(new TTabbedItemDelegate(l));
  l->setFocusPolicy(Qt::StrongFocus);
  l->setUniformItemSizes(true);
  return l;
}

void TListBox::WidgetCreated() {
  auto* l = static_cast<QListWidget*>(Widget());
  if (FMultiSelect) l->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const auto& s : FItems.ToVector())
    l->addItem(Q(s));
  l->setCurrentRow(FItemIndex);
  if (FItemIndex < 0) l->clearSelection();
  QObject::connect(l, &QListWidget::currentRowChanged, [this] {
    if (!FSilent) Click();
  });
}

void TListBox::ApplyLook() {
  TWinControl::ApplyLook();
  if (HasWidget()) SetBaseColor(Widget(), Color());
}

void TListBox::ItemsChanged() {
  if (FSorted)
    FItems.SortItems([](const std::string& a, const std::string& b) {
      return QString::compare(Q(a), Q(b), Qt::CaseInsensitive) < 0;
    });
  if (!HasWidget()) {
    if (FItemIndex >= FItems.Count()) FItemIndex = -1;
    return;
  }
  auto* l = static_cast<QListWidget*>(Widget());
  int index = l->currentRow();
  FSilent = true;
  l->clear();
  for (const auto& s : FItems.ToVector())
    l->addItem(Q(s));
  l->setCurrentRow(index < l->count() ? index : -1);
  if (index >= l->count() || index < 0) l->clearSelection();
  FSilent = false;
}

int TListBox::ItemIndex() const {
  if (!HasWidget()) return FItemIndex;
  return static_cast<QListWidget*>(Widget())->currentRow();
}

void TListBox::SetItemIndex(int index) {
  if (!HasWidget()) {
    FItemIndex = index < -1 || index >= FItems.Count() ? -1 : index;
    return;
  }
  auto* l = static_cast<QListWidget*>(Widget());
  if (index < -1 || index >= l->count()) index = -1;
  FSilent = true;
  l->setCurrentRow(index);
  if (index == -1) l->clearSelection();
  FSilent = false;
}

void TListBox::SelectByUser(int index) {
  auto* l = static_cast<QListWidget*>(Widget());
  if (index < 0 || index >= l->count() || !Enabled()) return;
  l->setCurrentRow(index);
}

void TListBox::SetMultiSelect(bool multi) {
  FMultiSelect = multi;
  if (HasWidget())
    static_cast<QListWidget*>(Widget())->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                                                                : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  auto* item = static_cast<QListWidget*>(Widget())->item(index);
  return item && item->isSelected();
}

void TListBox::SetSelected(int index, bool selected) {
  auto* l = static_cast<QListWidget*>(Widget());
  auto* item = l->item(index);
  if (!item) return;
  FSilent = true;
  if (!FMultiSelect && selected)
    l->setCurrentRow(index);
  else
    item->setSelected(selected);
  FSilent = false;
}

int TListBox::SelCount() const {
  return FMultiSelect ? static_cast<int>(static_cast<QListWidget*>(Widget())->selectedItems().size()) : -1;
}

void TListBox::SetSorted(bool sorted) {
  FSorted = sorted;
  if (sorted) ItemsChanged();
}

int TListBox::TopIndex() const {
  auto* l = static_cast<QListWidget*>(Widget());
  QModelIndex i = l->indexAt(QPoint(1, 1));
  return i.isValid() ? i.row() : 0;
}

void TListBox::SetTopIndex(int index) {
  auto* l = static_cast<QListWidget*>(Widget());
  if (auto* item = l->item(index)) l->scrollToItem(item, QAbstractItemView::PositionAtTop);
}

int TListBox::ItemHeight() const {
  auto* l = static_cast<QListWidget*>(Widget());
  EnsureLook();
  int h = l->count() ? l->sizeHintForRow(0) : -1;
  return h > 0 ? h : QFontMetrics(l->font()).height();
}

void TListBox::ClearSelection() {
  FSilent = true;
  static_cast<QListWidget*>(Widget())->clearSelection();
  FSilent = false;
}

// ---------------------------------------------------------------------------------------------
// Button

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() & ~csClickEvents);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

QWidget* TButton::CreateWidget() {
  auto* b = new QPushButton;
  b->setFocusPolicy(Qt::StrongFocus);
  b->setAutoDefault(false);
  QObject::connect(b, &QPushButton::clicked, [this] { Click(); });
  return b;
}

void TButton::WidgetCreated() {
  TButtonControl::WidgetCreated();
  if (FDefault) static_cast<QPushButton*>(Widget())->setDefault(true);
}

void TButton::SetDefault(bool isDefault) {
  FDefault = isDefault;
  if (HasWidget()) static_cast<QPushButton*>(Widget())->setDefault(isDefault);
  TForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  FActive = IsButtonClass(focused) ? focused == this : FDefault;
}

void TButton::Click() {
  if (!CanFire()) return;
  if (TForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CMDialogKey(TMessage& M) {
  auto key = static_cast<std::uint16_t>(M.WParam);
  auto shift = static_cast<TShiftState>(M.LParam) & (ssShift | ssAlt | ssCtrl);
  if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && shift == 0 && CanFocus()) {
    Click();
    M.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(M);
}

void TButton::CMDialogChar(TMessage& M) {
  if (IsAccel(static_cast<WideChar>(M.WParam), Caption()) && CanFocus()) {
    Click();
    M.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(M);
}

void TButton::CMFocusChanged(TMessage& M) {
  auto* focused = reinterpret_cast<TWinControl*>(M.LParam);
  FActive = IsButtonClass(focused) ? focused == this : FDefault;
  TButtonControl::CMFocusChanged(M);
}

// ---------------------------------------------------------------------------------------------
// Group box

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetBounds(0, 0, 185, 105);
}

QWidget* TGroupBox::CreateWidget() {
  auto* g = new QGroupBox;
  g->setFocusPolicy(Qt::NoFocus);
  return g;
}

void TGroupBox::WidgetCreated() {
  const std::string text = TWinControl::GetText();
  if (!text.empty()) static_cast<QGroupBox*>(Widget())->setTitle(Q(text));
}

std::string TGroupBox::GetText() const {
  if (!HasWidget()) return TWinControl::GetText();
  return static_cast<QGroupBox*>(Widget())->title().toStdString();
}
void TGroupBox::SetTextNative(const std::string& text) {
  TWinControl::SetTextNative(text);
  if (HasWidget()) static_cast<QGroupBox*>(Widget())->setTitle(Q(text));
}

TRect TGroupBox::AlignRect() const {
  TRect r = ClientRect();
  r.Top += QFontMetrics(ToQFont(Font(), true)).height();
  InflateRect(r, -2, -2);
  return r;
}

// ---------------------------------------------------------------------------------------------
// Scroll bar

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  DeferWidget();
  SetTabStop(true);
  SetBounds(0, 0, 121, 17);
}

QWidget* TScrollBar::CreateWidget() {
  auto* sb = new QScrollBar(Qt::Horizontal);
  sb->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(sb, &QScrollBar::actionTriggered, [this, sb](int action) {
    if (FApplying) return;
    TScrollCode code = scPosition;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
      code = scLineDown;
      break;
    case QAbstractSlider::SliderSingleStepSub:
      code = scLineUp;
      break;
    case QAbstractSlider::SliderPageStepAdd:
      code = scPageDown;
      break;
    case QAbstractSlider::SliderPageStepSub:
      code = scPageUp;
      break;
    case QAbstractSlider::SliderToMinimum:
      code = scTop;
      break;
    case QAbstractSlider::SliderToMaximum:
      code = scBottom;
      break;
    case QAbstractSlider::SliderMove:
      code = scTrack;
      break;
    default:
      break;
    }
    int pos = sb->sliderPosition();
    if (OnScroll && CanFire()) OnScroll(this, code, pos);
    if (pos != sb->sliderPosition()) sb->setSliderPosition(pos);
  });
  QObject::connect(sb, &QScrollBar::valueChanged, [this](int value) {
    if (FApplying || value == FPosition) return;
    FPosition = value;
    if (OnChange && CanFire()) OnChange(this);
  });
  return sb;
}

void TScrollBar::WidgetCreated() {
  Apply();
}

void TScrollBar::Apply() {
  if (!HasWidget()) return;
  auto* sb = static_cast<QScrollBar*>(Widget());
  FApplying = true;
  sb->setOrientation(FKind == sbVertical ? Qt::Vertical : Qt::Horizontal);
  int maxPos = FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
  sb->setRange(FMin, maxPos);
  sb->setSingleStep(FSmallChange);
  sb->setPageStep(FPageSize > 0 ? FPageSize : FLargeChange);
  sb->setValue(FPosition);
  FApplying = false;
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  FKind = kind;
  Apply();
}

void TScrollBar::SetPosition(int position) {
  SetParams(position, FMin, FMax);
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) max = min;
  FMin = min;
  FMax = max;
  int maxPos = FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
  position = std::clamp(position, FMin, maxPos);
  bool moved = position != FPosition;
  FPosition = position;
  Apply();
  if (moved && OnChange && CanFire()) OnChange(this);
}

void TScrollBar::SetSmallChange(int change) {
  FSmallChange = std::max(1, change);
  Apply();
}
void TScrollBar::SetLargeChange(int change) {
  FLargeChange = std::max(1, change);
  Apply();
}
void TScrollBar::SetPageSize(int size) {
  FPageSize = std::max(0, size);
  SetParams(FPosition, FMin, FMax);
}

void TScrollBar::Scroll(TScrollCode code, int pos) {
  switch (code) {
  case scLineUp:
    pos = FPosition - FSmallChange;
    break;
  case scLineDown:
    pos = FPosition + FSmallChange;
    break;
  case scPageUp:
    pos = FPosition - FLargeChange;
    break;
  case scPageDown:
    pos = FPosition + FLargeChange;
    break;
  case scTop:
    pos = FMin;
    break;
  case scBottom:
    pos = FMax;
    break;
  case scEndScroll:
    pos = FPosition;
    break;
  default:
    break;
  }
  if (OnScroll && CanFire()) OnScroll(this, code, pos);
  if (code != scEndScroll) SetPosition(pos);
}

void TScrollBar::WMVScroll(TMessage& M) {
  Scroll(static_cast<TScrollCode>(std::min<WPARAM>(M.WParam & 0xFFFF, scEndScroll)),
         static_cast<int>(M.WParam >> 16));
}
void TScrollBar::WMHScroll(TMessage& M) {
  WMVScroll(M);
}

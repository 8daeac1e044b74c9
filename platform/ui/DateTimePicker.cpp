#include "platform/ui/DateTimePicker.h"

#include "platform/Clock.h"
#include "platform/Locale.h"
#include "platform/ui/Application.h"
#include "platform/ui/GraphicsQt.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QResizeEvent>
#include <QTextCharFormat>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

namespace {

const QDate Epoch(1899, 12, 30);

QDateTime ToQDateTime(double value) {
  const double days = std::floor(value);
  const auto ms = static_cast<qint64>(std::llround((value - days) * 86400000.0));
  return QDateTime(Epoch.addDays(static_cast<qint64>(days)), QTime(0, 0).addMSecs(ms));
}

double FromQDateTime(const QDateTime& dt) {
  return static_cast<double>(Epoch.daysTo(dt.date())) + dt.time().msecsSinceStartOfDay() / 86400000.0;
}

// A regional format (d dd m mm yy yyyy, h hh n nn s ss, "/" and ":" for the separators) in Qt's
// letters.
QString QtFormat(const std::string& format, bool time) {
  const TFormatSettings& fs = FormatSettings();
  QString out;
  for (char c : format) {
    switch (c) {
    case 'm':
    case 'M':
      out += time ? QChar('m') : QChar('M');
      break;
    case 'n':
    case 'N':
      out += QChar('m');
      break;
    case 'D':
    case 'Y':
    case 'H':
    case 'S':
      out += QChar(QChar::fromLatin1(c).toLower());
      break;
    case '/':
      out += QChar::fromLatin1(fs.DateSeparator);
      break;
    case ':':
      out += QChar::fromLatin1(fs.TimeSeparator);
      break;
    default:
      out += QChar::fromLatin1(c);
      break;
    }
  }
  return out;
}

// Tells the picker when its calendar's window opens and closes.
class TCalendarWatch : public QObject {
public:
  TCalendarWatch(QObject* parent, std::function<void(bool)> shown)
      : QObject(parent), FShown(std::move(shown)) {}

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) FShown(true);
    if (event->type() == QEvent::Hide) FShown(false);
    return QObject::eventFilter(watched, event);
  }

private:
  std::function<void(bool)> FShown;
};

} // namespace

class QtDateTimeEdit : public QDateTimeEdit {
public:
  explicit QtDateTimeEdit(TDateTimePicker* owner) : FOwner(owner) {}

  // The check box sits inside the left end; the fields move right of it and grey out unchecked.
  void ShowCheckbox(bool shown, bool checked) {
    if (shown && !FCheck) {
      FCheck = new QCheckBox(this);
      FCheck->setFocusPolicy(Qt::NoFocus);
      QObject::connect(FCheck, &QCheckBox::toggled, [this](bool on) {
        if (!FSettingCheck) FOwner->UserToggled(on);
      });
    }
    if (FCheck) {
      FSettingCheck = true;
      FCheck->setChecked(checked);
      FSettingCheck = false;
      FCheck->setVisible(shown);
      const int side = FCheck->sizeHint().height();
      FCheck->setGeometry(2, std::max(0, (height() - side) / 2), FCheck->sizeHint().width(), side);
    }
    const int margin = shown && FCheck ? FCheck->sizeHint().width() + 2 : 0;
    lineEdit()->setTextMargins(margin, 0, 0, 0);
    QPalette pal = lineEdit()->palette();
    pal.setColor(QPalette::Text, shown && !checked ? pal.color(QPalette::Disabled, QPalette::Text)
                                                   : palette().color(QPalette::Active, QPalette::Text));
    lineEdit()->setPalette(pal);
  }
  void ToggleCheck() {
    if (FCheck && FCheck->isVisible()) FCheck->toggle();
  }

protected:
  void paintEvent(QPaintEvent* event) override {
    QDateTimeEdit::paintEvent(event);
    if (!FOwner->PaintsOver()) return;
    QPainter painter(this);
    if (!FOwner->FOverCanvas) FOwner->FOverCanvas = std::make_unique<TCanvas>();
    FOwner->FOverCanvas->Font().Assign(FOwner->Font());
    TCanvasBinding bind(*FOwner->FOverCanvas, painter);
    FOwner->PaintOver(*FOwner->FOverCanvas);
  }

  void resizeEvent(QResizeEvent* event) override {
    QDateTimeEdit::resizeEvent(event);
    if (FCheck && FCheck->isVisible()) FCheck->move(2, std::max(0, (height() - FCheck->height()) / 2));
  }

private:
  TDateTimePicker* FOwner;
  QCheckBox* FCheck = nullptr;
  bool FSettingCheck = false;
};

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner) {
  auto* e = new QtDateTimeEdit(this);
  e->setFocusPolicy(Qt::StrongFocus);
  e->setCalendarPopup(true);
  e->setMinimumDate(QDate(100, 1, 1));
  QObject::connect(e, &QDateTimeEdit::dateTimeChanged, [this] {
    if (!FSilent) Change();
  });
  AttachWidget(e);
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 186, 21);
  ApplyFormat();
  SetSilently(Clock().LocalNow());
}

TDateTimePicker::~TDateTimePicker() = default;

void TDateTimePicker::SetSilently(double value) {
  const bool silent = std::exchange(FSilent, true);
  static_cast<QDateTimeEdit*>(Widget())->setDateTime(ToQDateTime(value));
  FSilent = silent;
}

void TDateTimePicker::ApplyFormat() {
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  const TFormatSettings& fs = FormatSettings();
  if (!FFormat.empty())
    e->setDisplayFormat(QtFormat(FFormat, FKind == dtkTime));
  else
    e->setDisplayFormat(FKind == dtkDate ? QtFormat(fs.ShortDateFormat, false)
                                         : QtFormat(fs.LongTimeFormat, true));
  e->setCalendarPopup(FKind == dtkDate && FCalendarPopup);
  if (FKind == dtkDate) ApplyCalendar();
}

void TDateTimePicker::ApplyCalendar() {
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  QCalendarWidget* cal = e->calendarWidget();
  if (!cal) return;
  if (!FCalendarWatched && cal->window() != cal) {
    FCalendarWatched = true;
    cal->window()->installEventFilter(
        new TCalendarWatch(cal, [this](bool shown) { shown ? DropDown() : CloseUp(); }));
  }
  cal->setVerticalHeaderFormat(FWeekNumbers ? QCalendarWidget::ISOWeekNumbers
                                            : QCalendarWidget::NoVerticalHeader);
  cal->setDateTextFormat(QDate(), QTextCharFormat());
  if (FShowToday || FShowTodayCircle) {
    QTextCharFormat today;
    if (FShowToday) today.setFontWeight(QFont::Bold);
    if (FShowTodayCircle) {
      today.setFontUnderline(true);
      today.setUnderlineColor(Qt::red);
    }
    cal->setDateTextFormat(ToQDateTime(Clock().LocalNow()).date(), today);
  }
}

void TDateTimePicker::SetKind(TDateTimeKind kind) {
  if (kind == FKind) return;
  const double value = DateTime();
  FKind = kind;
  ApplyFormat();
  SetSilently(value);
}

double TDateTimePicker::DateTime() const {
  return FromQDateTime(static_cast<QDateTimeEdit*>(Widget())->dateTime());
}

void TDateTimePicker::SetDateTime(double value) {
  SetSilently(value);
}

double TDateTimePicker::Date() const {
  return std::floor(DateTime());
}

void TDateTimePicker::SetDate(double value) {
  SetSilently(std::floor(value) + (DateTime() - Date()));
}

double TDateTimePicker::Time() const {
  return DateTime() - Date();
}

void TDateTimePicker::SetTime(double value) {
  SetSilently(Date() + (value - std::floor(value)));
}

void TDateTimePicker::SetWeekNumbers(bool on) {
  FWeekNumbers = on;
  ApplyCalendar();
}

void TDateTimePicker::SetShowToday(bool on) {
  FShowToday = on;
  ApplyCalendar();
}

void TDateTimePicker::SetShowTodayCircle(bool on) {
  FShowTodayCircle = on;
  ApplyCalendar();
}

bool TDateTimePicker::CalendarCirclesToday() const {
  QCalendarWidget* cal = static_cast<QDateTimeEdit*>(Widget())->calendarWidget();
  return cal && cal->dateTextFormat(ToQDateTime(Clock().LocalNow()).date()).fontUnderline();
}

void TDateTimePicker::SetShowCheckbox(bool on) {
  FShowCheckbox = on;
  ApplyCheckbox();
}

void TDateTimePicker::SetChecked(bool on) {
  FChecked = on;
  ApplyCheckbox();
}

void TDateTimePicker::ApplyCheckbox() {
  static_cast<QtDateTimeEdit*>(Widget())->ShowCheckbox(FShowCheckbox, FChecked);
}

void TDateTimePicker::UserToggled(bool checked) {
  FChecked = checked;
  ApplyCheckbox();
  if (!FSilent) Change();
}

bool TDateTimePicker::CalendarShowsWeekNumbers() const {
  QCalendarWidget* cal = static_cast<QDateTimeEdit*>(Widget())->calendarWidget();
  return cal && cal->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers;
}

bool TDateTimePicker::CalendarMarksToday() const {
  QCalendarWidget* cal = static_cast<QDateTimeEdit*>(Widget())->calendarWidget();
  return cal && cal->dateTextFormat(ToQDateTime(Clock().LocalNow()).date()).fontWeight() == QFont::Bold;
}

bool TDateTimePicker::DroppedDown() const {
  if (FHeadlessDropped) return true;
  QCalendarWidget* cal = static_cast<QDateTimeEdit*>(Widget())->calendarWidget();
  return FKind == dtkDate && cal && cal->isVisible();
}

void TDateTimePicker::SetDroppedDown(bool dropped) {
  if (FKind != dtkDate || dropped == DroppedDown()) return;
  if (Application->Headless()) {
    FHeadlessDropped = dropped;
    dropped ? DropDown() : CloseUp();
    return;
  }
  QCalendarWidget* cal = static_cast<QDateTimeEdit*>(Widget())->calendarWidget();
  if (!cal) return;
  // The calendar's window tells the picker.
  dropped ? cal->window()->show() : cal->window()->hide();
}

void TDateTimePicker::Change() {
  if (OnChange && CanFire()) OnChange(this);
}

void TDateTimePicker::DropDown() {
  if (OnDropDown && CanFire()) OnDropDown(this);
}

void TDateTimePicker::CloseUp() {
  if (OnCloseUp && CanFire()) OnCloseUp(this);
}

void TDateTimePicker::ApplyLook() {
  TWinControl::ApplyLook();
  if (QWidget* w = Widget()) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, ToQColor(Color()));
    w->setPalette(pal);
  }
}

void TDateTimePicker::SetFormat(const std::string& format) {
  if (format == FFormat) return;
  const double value = DateTime();
  FFormat = format;
  ApplyFormat();
  SetSilently(value);
}

void TDateTimePicker::SetMinDate(double value) {
  FMinDate = value;
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  if (value != 0)
    e->setMinimumDate(ToQDateTime(value).date());
  else
    e->setMinimumDate(QDate(100, 1, 1));
}

void TDateTimePicker::SetMaxDate(double value) {
  FMaxDate = value;
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  if (value != 0)
    e->setMaximumDate(ToQDateTime(value).date());
  else
    e->clearMaximumDate();
}

void TDateTimePicker::SetCalendarPopup(bool on) {
  FCalendarPopup = on;
  ApplyFormat();
}

int TDateTimePicker::FieldIndex() const {
  return static_cast<QDateTimeEdit*>(Widget())->currentSectionIndex();
}

int TDateTimePicker::FieldCount() const {
  return static_cast<QDateTimeEdit*>(Widget())->sectionCount();
}

void TDateTimePicker::SetFieldIndex(int index) {
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  if (index < 0 || index >= e->sectionCount()) return;
  FTyped.clear();
  e->setCurrentSectionIndex(index);
}

void TDateTimePicker::CompleteField() {
  if (FTyped.empty()) return;
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  const std::string typed = std::exchange(FTyped, std::string());
  if (FTypedField != e->currentSectionIndex() || e->sectionAt(FTypedField) != QDateTimeEdit::YearSection)
    return;
  int year = std::stoi(typed);
  if (typed.size() <= 2) year += 2000;
  if (year < 100 || year > 9999) return;
  QDateTime dt = e->dateTime();
  QDate d = dt.date();
  const int day = std::min(d.day(), QDate(year, d.month(), 1).daysInMonth());
  dt.setDate(QDate(year, d.month(), day));
  e->setDateTime(dt);
}

// A digit into the field at the caret. Day, month and time fields take it at once (a second
// digit joins the first while the two make a valid value); a year waits for its four digits.
void TDateTimePicker::TypeDigit(int digit) {
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  const int field = e->currentSectionIndex();
  if (field != FTypedField) FTyped.clear();
  FTypedField = field;
  const QDateTimeEdit::Section section = e->sectionAt(field);
  FTyped += static_cast<char>('0' + digit);
  if (section == QDateTimeEdit::YearSection) {
    if (FTyped.size() >= 4) CompleteField();
    return;
  }
  QDateTime dt = e->dateTime();
  const QDate d = dt.date();
  const QTime t = dt.time();
  auto fits = [&](int v) {
    switch (section) {
    case QDateTimeEdit::DaySection:
      return v >= 1 && v <= d.daysInMonth();
    case QDateTimeEdit::MonthSection:
      return v >= 1 && v <= 12;
    case QDateTimeEdit::HourSection:
      return v >= 0 && v <= 23;
    case QDateTimeEdit::MinuteSection:
    case QDateTimeEdit::SecondSection:
      return v >= 0 && v <= 59;
    default:
      return false;
    }
  };
  int v = std::stoi(FTyped);
  if (!fits(v)) {
    FTyped = std::string(1, static_cast<char>('0' + digit));
    v = digit;
    if (!fits(v)) return;
  }
  switch (section) {
  case QDateTimeEdit::DaySection:
    dt.setDate(QDate(d.year(), d.month(), v));
    break;
  case QDateTimeEdit::MonthSection:
    dt.setDate(QDate(d.year(), v, std::min(d.day(), QDate(d.year(), v, 1).daysInMonth())));
    break;
  case QDateTimeEdit::HourSection:
    dt.setTime(QTime(v, t.minute(), t.second()));
    break;
  case QDateTimeEdit::MinuteSection:
    dt.setTime(QTime(t.hour(), v, t.second()));
    break;
  default:
    dt.setTime(QTime(t.hour(), t.minute(), v));
    break;
  }
  if (FTyped.size() >= 2) FTyped.clear();
  e->setDateTime(dt);
  e->setCurrentSectionIndex(field);
}

void TDateTimePicker::DefaultHandler(TMessage& Message) {
  auto* e = static_cast<QDateTimeEdit*>(Widget());
  if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_RIGHT || Message.WParam == VK_LEFT)) {
    CompleteField();
    const int next = e->currentSectionIndex() + (Message.WParam == VK_RIGHT ? 1 : -1);
    if (next >= 0 && next < e->sectionCount()) e->setCurrentSectionIndex(next);
    return;
  }
  if (Message.Msg == WM_CHAR && Message.WParam == ' ' && FShowCheckbox) {
    static_cast<QtDateTimeEdit*>(Widget())->ToggleCheck();
    return;
  }
  if (Message.Msg == WM_CHAR && Message.WParam >= '0' && Message.WParam <= '9') {
    TypeDigit(static_cast<int>(Message.WParam - '0'));
    return;
  }
  if (Message.Msg == WM_KEYDOWN && (Message.WParam == VK_UP || Message.WParam == VK_DOWN)) {
    CompleteField();
    FTyped.clear();
  }
  TWinControl::DefaultHandler(Message);
}

void TDateTimePicker::DoExit() {
  CompleteField();
  TWinControl::DoExit();
}

std::string TDateTimePicker::GetText() const {
  return static_cast<QDateTimeEdit*>(Widget())->text().toStdString();
}

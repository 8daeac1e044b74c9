#include "platform/Collate.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <memory>

namespace {

struct TCollation {
  QLocale Locale;
  QCollator Case;
  QCollator NoCase;
  explicit TCollation(const QLocale& l) : Locale(l), Case(l), NoCase(l) {
    Case.setCaseSensitivity(Qt::CaseSensitive);
    NoCase.setCaseSensitivity(Qt::CaseInsensitive);
  }
};

std::unique_ptr<TCollation>& Current() {
  static std::unique_ptr<TCollation> c;
  if (!c) c = std::make_unique<TCollation>(QLocale());
  return c;
}

QString ToQ(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

int LocaleCompareText(std::string_view a, std::string_view b, bool IgnoreCase) {
  TCollation& c = *Current();
  const int r = (IgnoreCase ? c.NoCase : c.Case).compare(ToQ(a), ToQ(b));
  return r < 0 ? -1 : r > 0 ? 1 : 0;
}

std::string LocaleUpperCase(std::string_view text) {
  return Current()->Locale.toUpper(ToQ(text)).toStdString();
}

void SetCollationLocale(const std::string& Name) {
  Current() =
      std::make_unique<TCollation>(Name.empty() ? QLocale::system() : QLocale(QString::fromStdString(Name)));
}

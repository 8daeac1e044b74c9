#include "platform/ui/Beep.h"

#include <QApplication>

namespace {
TBeepSink& Sink() {
  static TBeepSink sink;
  return sink;
}
} // namespace

void MessageBeep(unsigned type) {
  if (Sink()) {
    Sink()(type);
    return;
  }
  if (qApp) QApplication::beep();
}

TBeepSink SetBeepSink(TBeepSink sink) {
  TBeepSink previous = std::move(Sink());
  Sink() = std::move(sink);
  return previous;
}

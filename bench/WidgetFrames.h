// Painting a widget into an off-screen frame of the view's size, once per benchmark iteration.
#pragma once

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

inline void RenderEachIteration(benchmark::State& state, QWidget& widget, int width, int height) {
  QImage frame(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&frame);
    widget.render(&painter);
    painter.end();
    benchmark::DoNotOptimize(frame.bits());
  }
}

// Speed of the chart on a 10000-point measurement: a full drawing onto a 1920 x 1080 image, the
// nearest point of every pixel column, and the chart frame.
#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "chart/ChartDrawing.h"
#include "chart/ChartScale.h"
#include "chart/painting/QtSurface.h"

namespace {

constexpr int kPoints = 10000;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// Times from 0.01 ms growing by a constant factor, like the instrument's, and two smooth curves.
tolmek::Session MakeSession(bool logTime) {
  tolmek::Session session;
  tolmek::Measurement& m = session.Record;
  for (auto* values : {&m.TimeValues, &m.PFValues, &m.DFValues, &m.PFSlope, &m.DFSlope})
    values->assign(kPoints + 1, 0.0f);
  for (int i = 1; i <= kPoints; ++i) {
    const double t = 0.01 * std::pow(1.0012, i);
    m.TimeValues[i] = static_cast<float>(t);
    m.PFValues[i] = static_cast<float>(1000 + 800 * std::sin(std::log10(t)));
    m.DFValues[i] = static_cast<float>(300 + 250 * std::cos(3 * std::log10(t)));
    m.TimeMax = std::max<double>(m.TimeMax, t);
    m.PFMax = std::max<double>(m.PFMax, m.PFValues[i]);
    m.DFMax = std::max<double>(m.DFMax, m.DFValues[i]);
  }
  m.PointCount = kPoints;
  m.PFPoints = {0, 5, 40, 3000, 0, 0, 9999};
  m.DFPoints[1] = {800, 1500};
  session.View.LogTime = logTime;
  return session;
}

void BM_DrawChart(benchmark::State& state) {
  tolmek::bench::NeedApplication<QGuiApplication>();
  tolmek::Session session = MakeSession(state.range(0) != 0);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    tolmek::QtSurface surface(painter, kWidth, kHeight);
    tolmek::DrawChart(session, surface, tolmek::ChartDrawMode::Full);
  }
}
BENCHMARK(BM_DrawChart)->Arg(1)->Arg(0)->ArgName("log")->Unit(benchmark::kMillisecond);

void BM_NearestPointEveryColumn(benchmark::State& state) {
  tolmek::Session session = MakeSession(state.range(0) != 0);
  tolmek::ComputeChartFrame(session, kWidth, kHeight);
  const tolmek::ChartFrame& f = session.Frame;
  for (auto _ : state) {
    int64_t sum = 0;
    for (int column = 0; column < kWidth; ++column)
      sum += tolmek::NearestPointIndex(session, f.XFrom + column * f.XUnitsPerPixel);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_NearestPointEveryColumn)
    ->Arg(1)
    ->Arg(0)
    ->ArgName("log")
    ->Unit(benchmark::kMicrosecond);

void BM_ComputeChartFrame(benchmark::State& state) {
  tolmek::Session session = MakeSession(true);
  for (auto _ : state) {
    tolmek::ComputeChartFrame(session, kWidth, kHeight);
    benchmark::DoNotOptimize(session.Frame);
  }
}
BENCHMARK(BM_ComputeChartFrame);

}  // namespace

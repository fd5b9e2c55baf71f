// Speed of the comparison: 100 curves of 1000 points drawn onto a 1920 x 1080 image as the Compare
// window paints them, and the curves of 1000 measurements normalized and grouped.
#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "chart/painting/QtSurface.h"
#include "compare/CompareCurves.h"
#include "compare/CompareDrawing.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPoints = 1000;

// An induction-like rise on the instrument's time base (0.01 ms growing by a constant factor).
tolmek::CompareItem MakeItem(int index) {
  tolmek::CompareItem item;
  item.Label = "leaf" + std::to_string(index / 4) + static_cast<char>('a' + index % 4);
  const double scale = 1 + 0.002 * index;
  for (int i = 0; i < kPoints; ++i) {
    const double t = 0.01 * std::pow(1.0125, i);
    item.Time.push_back(t);
    item.PF.push_back(scale * (500 + 1500 / (1 + std::exp(-2 * std::log10(t / 2)))));
    item.DF.push_back(100 + 50 * std::sin(std::log10(t)));
  }
  const auto at = [&](double time) {
    const auto i = static_cast<size_t>(std::lower_bound(item.Time.begin(), item.Time.end(), time) -
                                       item.Time.begin());
    return tolmek::StepPoint{item.Time[i], item.PF[i], {}};
  };
  item.Steps = {tolmek::StepPoint{item.Time[0], item.PF[0], {}}, at(0.3), at(2), at(30), at(300)};
  return item;
}

std::vector<tolmek::CompareItem> MakeItems(int count) {
  std::vector<tolmek::CompareItem> items;
  for (int i = 0; i < count; ++i) items.push_back(MakeItem(i));
  return items;
}

void BM_DrawCompareChart(benchmark::State& state) {
  tolmek::bench::NeedApplication<QGuiApplication>();
  const tolmek::CurveSet set =
      tolmek::BuildCompareCurves(MakeItems(100), {tolmek::Quantity::OP, 0, false, false});
  tolmek::CompareChartOptions options;
  options.Logarithmic = state.range(0) != 0;
  options.ValueTitle = "V_OP";
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    tolmek::QtSurface surface(painter, kWidth, kHeight);
    benchmark::DoNotOptimize(tolmek::DrawCompareChart(surface, set.Curves, options));
  }
}
BENCHMARK(BM_DrawCompareChart)->ArgName("log")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_BuildCompareCurves(benchmark::State& state) {
  const std::vector<tolmek::CompareItem> items = MakeItems(1000);
  const bool groups = state.range(0) != 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        tolmek::BuildCompareCurves(items, {tolmek::Quantity::OP, 0, true, groups}));
}
BENCHMARK(BM_BuildCompareCurves)->ArgName("groups")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

#include <benchmark/benchmark.h>

#include <cmath>
#include <exception>
#include <memory>
#include <numbers>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "model/ClockGeometry.h"
#include "model/Numbers.h"

namespace {
constexpr int kDialStyles = 22;

std::unique_ptr<ClockData> Clock(int sizeStep, int dial)
{
  auto data = std::make_unique<ClockData>();
  data->settings.sizeStep = sizeStep;
  data->settings.dialStyle = dial;
  CreateClockResources(*data);
  BuildClockImages(*data);  // decodes the pictures once, as the clock's creation does
  return data;
}

// As after a size or dial change: every dial style in turn, nothing kept from the run before.
void BM_BuildClockImages(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = Clock(static_cast<int>(state.range(0)), 0);
    for (int dial = 0; dial < kDialStyles; ++dial) {  // every marker picture decoded up front
      data->settings.dialStyle = dial;
      BuildClockImages(*data);
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  int dial = 0;
  for (auto _ : state) {
    data->faceShape.valid = false;
    data->settings.dialStyle = dial;
    dial = (dial + 1) % kDialStyles;
    BuildClockImages(*data);
    benchmark::DoNotOptimize(data->facePlanes.alpha[0][0]);
  }
}
BENCHMARK(BM_BuildClockImages)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMillisecond);

// One dial style at a time, cold, at the largest size.
void BM_BuildClockImagesStyle(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = Clock(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) {
    data->faceShape.valid = false;
    BuildClockImages(*data);
    benchmark::DoNotOptimize(data->facePlanes.alpha[0][0]);
  }
}
BENCHMARK(BM_BuildClockImagesStyle)->ArgsProduct({{50}, {0, 3, 5, 7, 11}})->Unit(benchmark::kMillisecond);

// As after a skin or transparency change: same size and shaped dial, the skin and transparency move.
void BM_BuildClockImagesWarm(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = Clock(static_cast<int>(state.range(0)), 3);
    data->settings.skin = 1;
    BuildClockImages(*data);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  int n = 0;
  for (auto _ : state) {
    data->settings.skin = n % 2 == 0 ? 14 : 1;
    data->settings.transparency = (n % 3) * 25;
    ++n;
    BuildClockImages(*data);
    benchmark::DoNotOptimize(data->facePlanes.alpha[0][0]);
  }
}
BENCHMARK(BM_BuildClockImagesWarm)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMillisecond);

// The yardstick: the face's alpha plane alone, computed plainly pixel by pixel in extended precision.
long double PlainShaped(int style, long double r, long double t)
{
  constexpr long double pi = std::numbers::pi_v<long double>;
  switch (style) {
  case 1: return 1.2L * r - 0.2L * fabsl(cosl(1.3L * pi * t));
  case 2: return 1.2L * r - 0.2L * fabsl(cosl(pi * t));
  case 3: return 1.2L * r - 0.2L * fabsl(sinl(0.97L * pi * t));
  case 4: return r + 0.1L * fabsl(cosl(0.8L * pi * t));
  case 5: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(pi * t) + 0.5L * cosl(2.5L * pi * t)));
  case 6: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(pi * t) - 0.5L * cosl(2.5L * pi * t)));
  case 7: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(pi * t * t) + 0.5L * cosl(2.5L * pi * sqrtl(t))));
  default: return r;
  }
}

void PlainFaceAlpha(FacePlanes& planes, int d, int style, int transparency)
{
  constexpr long double pi = std::numbers::pi_v<long double>;
  const long double opacity = 1.0L - transparency / 50.0L;
  for (int w = 0; w < d; ++w) {
    for (int c = 0; c < d; ++c) {
      const long double x = 2.0L * c / d - 1.0L;
      const long double y = 2.0L * w / d - 1.0L;
      const long double r = sqrtl(x * x + y * y + 1e-9L);
      int alpha = 0;
      if (r <= 1.0L && style > 7) {
        alpha = Round((1.0L - 0.95L * r * r * r * r) * 255.0L * opacity);
      } else if (r <= 1.0L) {
        const long double rs = PlainShaped(style, r, acosl(fabsl(x) / r));
        const long double s = 1.0L - rs * rs * rs * rs;
        alpha = Round(s * 255.0L * opacity);
        if (rs >= 0.9L)
          alpha = Round(fabsl(sinl(10.0L * pi * fabsl(0.9L - rs) + 2.0L * s)) * 255.0L * opacity);
        if (rs > 1.0L)
          alpha = 0;
      }
      planes.alpha[w][c] = alpha;
    }
  }
}

// Same dial cycle as BM_BuildClockImages.
void BM_PlainFaceAlpha(benchmark::State& state)
{
  auto data = std::make_unique<ClockData>();
  const int d = DiameterOf(static_cast<int>(state.range(0)));
  int dial = 0;
  for (auto _ : state) {
    PlainFaceAlpha(data->facePlanes, d, dial, 0);
    dial = (dial + 1) % kDialStyles;
    benchmark::DoNotOptimize(data->facePlanes.alpha[0][0]);
  }
}
BENCHMARK(BM_PlainFaceAlpha)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_PlainFaceAlphaStyle(benchmark::State& state)
{
  auto data = std::make_unique<ClockData>();
  const int d = DiameterOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    PlainFaceAlpha(data->facePlanes, d, static_cast<int>(state.range(1)), 0);
    benchmark::DoNotOptimize(data->facePlanes.alpha[0][0]);
  }
}
BENCHMARK(BM_PlainFaceAlphaStyle)->ArgsProduct({{50}, {0, 3, 5, 7, 11}})->Unit(benchmark::kMillisecond);
}  // namespace

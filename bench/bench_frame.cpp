#include <benchmark/benchmark.h>

#include <exception>
#include <memory>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/FrameComposer.h"
#include "model/ClockGeometry.h"

namespace {
// First-start settings at the given size: marker dial, numerals and seconds on.
std::unique_ptr<ClockData> SynthesisedClock(int sizeStep)
{
  return MakeSynthesisedClock(ClockSettings{.sizeStep = sizeStep});
}

TimeOfDay Tick(std::int64_t n)
{
  return {10, 8, static_cast<int>(n % 60)};
}

// Steady state: the face, hand and marker images are kept between frames.
void BM_ComposeFrame(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = SynthesisedClock(static_cast<int>(state.range(0)));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const std::int32_t d = data->geometry.diameter;
  const QRect window(0, 0, d, d);
  FrameComposer composer;
  std::int64_t n = 0;
  for (auto _ : state) {
    QImage frame = composer.Compose(*data, Tick(n++), window, QPoint(d / 3, d / 3));
    benchmark::DoNotOptimize(frame.constBits());
  }
  state.counters["D"] = d;
}
BENCHMARK(BM_ComposeFrame)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMicrosecond);

// The first frame after a synthesis: everything made from the planes.
void BM_ComposeFirstFrame(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = SynthesisedClock(static_cast<int>(state.range(0)));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const std::int32_t d = data->geometry.diameter;
  const QRect window(0, 0, d, d);
  std::int64_t n = 0;
  for (auto _ : state) {
    FrameComposer composer;
    QImage frame = composer.Compose(*data, Tick(n++), window, QPoint(d / 3, d / 3));
    benchmark::DoNotOptimize(frame.constBits());
  }
}
BENCHMARK(BM_ComposeFirstFrame)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_BuildNumeralSprites(benchmark::State& state)
{
  std::unique_ptr<ClockData> data;
  try {
    data = SynthesisedClock(32);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) {
    BuildNumeralSprites(*data);
    benchmark::DoNotOptimize(data->numeralSprites[0].image().constBits());
  }
}
BENCHMARK(BM_BuildNumeralSprites)->Unit(benchmark::kMicrosecond);
}  // namespace

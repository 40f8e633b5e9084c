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

// The clock for a benchmark, or nothing once the benchmark is marked as failed.
std::unique_ptr<ClockData> ClockOrSkip(benchmark::State& state)
{
  try {
    return SynthesisedClock(static_cast<int>(state.range(0)));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
}

TimeOfDay Tick(std::int64_t n)
{
  return {10, 8, static_cast<int>(n % 60)};
}

// Steady state: the face, hand and marker images are kept between frames.
void BM_ComposeFrame(benchmark::State& state)
{
  const std::unique_ptr<ClockData> data = ClockOrSkip(state);
  if (!data)
    return;
  const std::int32_t d = data->geometry.diameter;
  const PixelRect window{0, 0, d, d};
  FrameComposer composer;
  std::int64_t n = 0;
  for (auto _ : state) {
    composer.Present(*data, Tick(n++), window, PixelPoint{d / 3, d / 3});
    benchmark::DoNotOptimize(composer.frame().bits());
  }
  state.counters["D"] = d;
}
BENCHMARK(BM_ComposeFrame)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMicrosecond);

// One tick at rest as the clock window runs it: the next second drawn over the last frame, and the
// rectangle that goes to the window system. The counters give its share of the whole frame.
void BM_PresentTick(benchmark::State& state)
{
  const std::unique_ptr<ClockData> data = ClockOrSkip(state);
  if (!data)
    return;
  const std::int32_t d = data->geometry.diameter;
  const PixelRect window{0, 0, d, d};
  const PixelPoint away{-100, -100};  // the pointer elsewhere: no hole
  FrameComposer composer;
  composer.Present(*data, Tick(0), window, away);
  std::int64_t n = 1;
  double changedPixels = 0;
  for (auto _ : state) {
    const PixelRect changed = composer.Present(*data, Tick(n++), window, away);
    changedPixels += static_cast<double>(changed.width) * changed.height;
    benchmark::DoNotOptimize(composer.frame().bits());
  }
  state.counters["D"] = d;
  state.counters["changed_share"] =
      benchmark::Counter(changedPixels / (static_cast<double>(d) * d), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PresentTick)->Arg(0)->Arg(32)->Arg(50)->Unit(benchmark::kMicrosecond);

// The first frame after a synthesis: everything made from the planes.
void BM_ComposeFirstFrame(benchmark::State& state)
{
  const std::unique_ptr<ClockData> data = ClockOrSkip(state);
  if (!data)
    return;
  const std::int32_t d = data->geometry.diameter;
  const PixelRect window{0, 0, d, d};
  std::int64_t n = 0;
  for (auto _ : state) {
    FrameComposer composer;
    composer.Present(*data, Tick(n++), window, PixelPoint{d / 3, d / 3});
    benchmark::DoNotOptimize(composer.frame().bits());
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
    benchmark::DoNotOptimize(data->numeralSprites[0].bits());
  }
}
BENCHMARK(BM_BuildNumeralSprites)->Unit(benchmark::kMicrosecond);
}  // namespace

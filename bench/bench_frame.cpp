#include <benchmark/benchmark.h>

#include <exception>
#include <memory>
#include <vector>

#include "Clocks/ClockData.h"
#include "Clocks/BuildClockImages.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/ClockTick.h"
#include "FullScreen/FrameComposer.h"
#include "FullScreen/TickSchedule.h"
#include "model/ClockGeometry.h"
#include "platform/qt/QtGeometry.h"
#include "platform/qt/QtRaster.h"

namespace {
// First-start settings at the given size: marker dial, numerals and seconds on; drawn at `percent`
// of the logical size, as on a screen at that scale.
std::unique_ptr<ClockData> SynthesisedClock(int sizeStep, std::int64_t percent = 100)
{
  return MakeSynthesisedClock(ClockSettings{.sizeStep = sizeStep}, static_cast<long double>(percent) / 100.0L);
}

// The clock for a benchmark (size step, and the screen's scale in percent when given), or nothing once
// the benchmark is marked as failed.
std::unique_ptr<ClockData> ClockOrSkip(benchmark::State& state, bool scaled = false)
{
  try {
    return SynthesisedClock(static_cast<int>(state.range(0)), scaled ? state.range(1) : 100);
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
// rectangle that goes to the window system, at 100 %, 150 % and 200 %. The counters give its share of
// the whole frame and the bytes the frame, the dial, the hour and minute hands' layer and the face
// planes hold at rest.
void BM_PresentTick(benchmark::State& state)
{
  const std::unique_ptr<ClockData> data = ClockOrSkip(state, true);
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
  // The planes' rows beyond D are never touched: only D of them cost memory.
  const double planes = 4.0 * sizeof(std::int32_t) * d * data->facePlanes.columns();
  state.counters["held_bytes"] = 3.0 * sizeof(std::uint32_t) * d * d + planes;
}
BENCHMARK(BM_PresentTick)
    ->ArgsProduct({{0, 32, 50}, {100}})
    ->ArgsProduct({{32}, {150, 200}})
    ->ArgNames({"step", "percent"})
    ->Unit(benchmark::kMicrosecond);

// What else a tick at rest costs once its frame is composed: the changed band copied out (as it goes
// to X), and the input shape's runs where the clickable pixels changed (once a minute at rest, or at
// every tick with the pointer's hole moving over the face).
void BM_TickBandAndShape(benchmark::State& state)
{
  const std::unique_ptr<ClockData> data = ClockOrSkip(state);
  if (!data)
    return;
  const std::int32_t d = data->geometry.diameter;
  const PixelRect window{0, 0, d, d};
  const bool hole = state.range(1) != 0;
  FrameComposer composer;
  composer.Present(*data, Tick(0), window, PixelPoint{-100, -100});
  std::vector<std::uint32_t> band(static_cast<std::size_t>(d) * static_cast<std::size_t>(d));
  std::int64_t n = 1;
  double runs = 0;
  for (auto _ : state) {
    const PixelPoint cursor = hole ? PixelPoint{d / 4 + static_cast<int>(n % 8), d / 2} : PixelPoint{-100, -100};
    const PixelRect changed = composer.Present(*data, Tick(n++), window, cursor);
    const QImage frame = FrameView(composer.frame());
    for (int row = changed.y; row < changed.bottom(); ++row) {
      const auto* from = reinterpret_cast<const std::uint32_t*>(frame.constScanLine(row)) + changed.x;
      std::copy(from, from + changed.width, band.begin() + std::ptrdiff_t{row - changed.y} * changed.width);
    }
    const PixelRect clicks = composer.clicksChanged();
    for (int y = clicks.y; y < clicks.bottom(); ++y)
      for (int x = clicks.x; x < clicks.right(); ++x)
        runs += composer.clicks().at(x, y) && (x == clicks.x || !composer.clicks().at(x - 1, y)) ? 1 : 0;
    benchmark::DoNotOptimize(band.data());
  }
  state.counters["runs"] = benchmark::Counter(runs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TickBandAndShape)
    ->ArgsProduct({{32, 50}, {0, 1}})
    ->ArgNames({"step", "pointer_over"})
    ->Unit(benchmark::kMicrosecond);

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

// One wake of the timer at rest with one to three clocks on it, each composing its next second: the
// clocks share the wake, so each added clock adds its frame and nothing else. The counter gives the
// bytes each clock holds at rest (its planes' touched rows, frame, dial and layer).
void BM_ClocksOnOneTimer(benchmark::State& state)
{
  const int count = static_cast<int>(state.range(0));
  std::vector<std::unique_ptr<ClockData>> clocks;
  std::vector<FrameComposer> composers(static_cast<std::size_t>(count));
  try {
    for (int i = 0; i < count; ++i)
      clocks.push_back(SynthesisedClock(32));
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  std::int64_t now = 0;
  std::int64_t n = 0;
  TickSchedule schedule([](int) {}, [&now] { return now; }, [&now] { return now; });
  std::vector<std::unique_ptr<ScheduledTicks>> ticks;
  const std::int32_t d = clocks.front()->geometry.diameter;
  for (int i = 0; i < count; ++i) {
    ticks.push_back(std::make_unique<ScheduledTicks>(
        schedule,
        [&, i] {
          composers[static_cast<std::size_t>(i)].Present(*clocks[static_cast<std::size_t>(i)], Tick(n), {0, 0, d, d},
                                                         {-100, -100});
        },
        kSecondInterval));
  }
  for (auto _ : state) {
    now += kSecondInterval;
    ++n;
    schedule.Fire();
    benchmark::DoNotOptimize(composers.back().frame().bits());
  }
  state.counters["clocks"] = count;
  state.counters["held_bytes_per_clock"] =
      3.0 * sizeof(std::uint32_t) * d * d + 4.0 * sizeof(std::int32_t) * d * clocks.front()->facePlanes.columns();
}
BENCHMARK(BM_ClocksOnOneTimer)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
}  // namespace

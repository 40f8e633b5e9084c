#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <QImage>
#include <QRegion>
#include <QTransform>

#include "Clocks/BuildClockImages.h"
#include "FullScreen/FrameComposer.h"
#include "FullScreen/FrameGeometry.h"
#include "platform/qt/QtGeometry.h"
#include "tests/FullScreen/FrameTestClock.h"

namespace {
// Bilinear drawing may differ by this much per premultiplied channel between Qt builds; the face
// outside the drawn sprites must match exactly.
constexpr int kBilinearTolerance = 2;
constexpr const char* kRemake = " (pictures changed on purpose? run tests/FullScreen/golden/make_goldens.sh and look)";

struct GoldenCase {
  const char* file;
  ClockSettings settings;
  TimeOfDay time;
  QPoint cursor;
};

ClockSettings With(int sizeStep, int skin, int dialStyle, int transparency, int handWidth, int showSeconds,
                   int showNumerals)
{
  ClockSettings s;
  s.sizeStep = sizeStep;
  s.skin = skin;
  s.dialStyle = dialStyle;
  s.transparency = transparency;
  s.handWidth = handWidth;
  s.showSeconds = showSeconds;
  s.showNumerals = showNumerals;
  return s;
}

// Made with make_goldens.sh (tickora-render --frame) and checked by eye. When the pictures or the
// synthesis change on purpose, remake them, look at every one, and commit them with the change.
const GoldenCase kGoldens[] = {
    {"default_10-08-30.png", ClockSettings{}, {10, 8, 30}, {-1, -1}},
    {"step50_skin1_dial0_03-00-00.png", With(50, 1, 0, 0, 3, 1, 1), {3, 0, 0}, {-1, -1}},
    {"step0_skin7_dial5_cursor_23-59-59.png", With(0, 7, 5, 25, 20, 1, 1), {23, 59, 59}, {20, 30}},
    {"step1_skin11_dial16_07-45-10.png", With(1, 11, 16, 0, 3, 0, 0), {7, 45, 10}, {-1, -1}},
};

// Every pixel a marker, numeral or hand may touch, with a pixel of margin for the filter.
QRegion SpriteArea(const ClockData& data, const TimeOfDay& time)
{
  const std::int32_t d = data.geometry.diameter;
  const long double scale = FrameScale(d);
  QRegion area;
  const auto add = [&](const QRectF& r) { area += r.toAlignedRect().adjusted(-1, -1, 1, 1); };
  const auto rectF = [](const PixelRect& r) { return QRectF(r.x, r.y, r.width, r.height); };
  if (data.settings.dialStyle > 7)
    for (const PixelPoint& c : RingCentres(d, kMarkerRingDivisor))
      add(rectF(MarkerRect(c, 35, 35, scale)));
  if (data.settings.showNumerals == 1)
    for (const PixelPoint& c : RingCentres(d, NumeralRingDivisor(data.settings.dialStyle)))
      add(rectF(NumeralRect(c, NumeralSize(scale))));
  const HandAngles angles = HandAnglesAt(time.hours, time.minutes, time.seconds);
  const struct { HandSize size; HandKind kind; long double angle; } hands[] = {
      {data.geometry.hourHand, HandKind::Hour, angles.hour},
      {data.geometry.minuteHand, HandKind::Minute, angles.minute},
      {data.geometry.secondHand, HandKind::Second, angles.second},
  };
  for (const auto& h : hands) {
    QTransform t;
    t.translate(d / 2, d / 2);
    t.rotate(static_cast<qreal>(h.angle));
    add(t.mapRect(rectF(HandRect(h.size, h.kind, scale))));
  }
  return area;
}
}  // namespace

TEST(GoldenFrames, RenderedFramesMatchTheCheckedPictures)
{
  for (const GoldenCase& c : kGoldens) {
    const QImage golden = QImage(QString(TICKORA_SOURCE_DIR "/tests/FullScreen/golden/") + c.file)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(golden.isNull()) << c.file;
    const auto data = MakeSynthesisedClock(c.settings);
    const std::int32_t d = data->geometry.diameter;
    FrameComposer composer;
    const DeviceImage frame = composer.Compose(*data, c.time, {0, 0, d, d}, FromQt(c.cursor));
    ASSERT_EQ(ToQt(frame.size()), golden.size()) << c.file;

    const QRegion sprites = SpriteArea(*data, c.time);
    int exactMismatches = 0;
    int worst = 0;
    for (int y = 0; y < d; ++y)
      for (int x = 0; x < d; ++x) {
        const std::uint32_t a = PixelAt(frame, x, y);
        const std::uint32_t b = reinterpret_cast<const std::uint32_t*>(golden.constScanLine(y))[x];
        if (a == b)
          continue;
        if (!sprites.contains(QPoint(x, y))) {
          ++exactMismatches;
          continue;
        }
        for (int shift = 0; shift < 32; shift += 8)
          worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
      }
    EXPECT_EQ(exactMismatches, 0) << c.file << ": face pixels away from every sprite differ" << kRemake;
    EXPECT_LE(worst, kBilinearTolerance) << c.file << kRemake;
    if (c.cursor.x() >= 0) {
      EXPECT_EQ(PixelAt(frame, c.cursor.x(), c.cursor.y()), 0u) << c.file << ": the cursor hole";
      EXPECT_GT(AlphaAt(frame, c.cursor.x() + 1, c.cursor.y()), 0) << c.file << ": beside the hole";
    }
  }
}

#include <gtest/gtest.h>

#include <QRegion>
#include <QWidget>

#include "platform/qt/WindowShape.h"
#include "ShellTestSupport.h"

namespace {
// A premultiplied image from rows of '.' (alpha 0) and '#' (alpha > 0).
QImage ImageOf(const std::vector<std::string>& rows)
{
  QImage image(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()),
               QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      image.setPixel(x, y, rows[y][x] == '#' ? qRgba(0, 0, 0, 1) : qRgba(0, 0, 0, 0));
  return image;
}
}  // namespace

TEST(WindowShape, RunsOfDrawnPixels)
{
  const struct { std::vector<std::string> rows; std::vector<QRect> runs; } cases[] = {
      {{"...."}, {}},
      {{"####"}, {QRect(0, 0, 4, 1)}},
      {{"#..#", ".##."}, {QRect(0, 0, 1, 1), QRect(3, 0, 1, 1), QRect(1, 1, 2, 1)}},
      {{"..#.", "....", "###."}, {QRect(2, 0, 1, 1), QRect(0, 2, 3, 1)}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OpaqueRuns(ImageOf(c.rows)), c.runs);
  EXPECT_TRUE(OpaqueRuns(QImage()).empty());
}

TEST(WindowShape, FollowsEachFrameAndSurvivesANewNativeWindow)
{
  EnsureApplication();
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.resize(4, 3);
  AlphaShape shape;
  QImage frame = ImageOf({"#...", "....", "...."});
  const ClickMask clicks;
  shape.SetSources([&] { return frame; }, [&]() -> const ClickMask& { return clicks; });
  shape.Reapply(window);  // before the native window exists
  window.show();
  shape.Reapply(window);
  EXPECT_TRUE((window.mask() ^ QRegion(0, 0, 1, 1)).isEmpty());
  frame = ImageOf({"..##", ".#..", "...."});
  shape.Update(window, frame, frame.rect(), clicks, QRect());
  EXPECT_TRUE((window.mask() ^ (QRegion(2, 0, 2, 1) + QRegion(1, 1, 1, 1))).isEmpty());
  window.clearMask();
  shape.Reapply(window);
  EXPECT_TRUE((window.mask() ^ (QRegion(2, 0, 2, 1) + QRegion(1, 1, 1, 1))).isEmpty());
}

// Without X (another platform plugin) the mask is the widget's, which Qt takes in logical pixels.
TEST(WindowShape, WithoutXTheMaskIsInLogicalPixels)
{
  // Qt reads the scale once, when the application starts: ctest runs each case in its own program.
  if (!QApplication::instance())
    qputenv("QT_SCALE_FACTOR", "2");
  EnsureApplication();
  qunsetenv("QT_SCALE_FACTOR");
  QWidget window(nullptr, Qt::FramelessWindowHint);
  window.resize(2, 2);
  window.show();
  if (window.devicePixelRatioF() != 2.0)
    GTEST_SKIP() << "the application started at another scale";
  AlphaShape shape;
  QImage frame = ImageOf({"..##", "..##", "....", "#..."});
  const ClickMask clicks;
  shape.SetSources([&] { return frame; }, [&]() -> const ClickMask& { return clicks; });
  shape.Reapply(window);
  EXPECT_TRUE((window.mask() ^ (QRegion(1, 0, 1, 1) + QRegion(0, 1, 1, 1))).isEmpty());
  frame = ImageOf({"....", "....", "....", "#..#"});
  shape.Update(window, frame, QRect(0, 0, 4, 4), clicks, QRect());
  EXPECT_TRUE((window.mask() ^ QRegion(0, 1, 2, 1)).isEmpty());
}

TEST(WindowShape, ALogicalPixelIsInTheMaskWhereAnyOfItsDevicePixelsIsDrawn)
{
  const struct { qreal ratio; std::vector<std::string> rows; QRegion mask; } cases[] = {
      {1.0, {"#.", ".#"}, QRegion(0, 0, 1, 1) + QRegion(1, 1, 1, 1)},
      {2.0, {"....", ".#..", "....", "...."}, QRegion(0, 0, 1, 1)},
      // At 1.5 logical pixel 0 covers device pixels 0 and 1, logical pixel 1 device pixels 1 and 2.
      {1.5, {"...", "...", "..#"}, QRegion(1, 1, 1, 1)},
      {1.5, {"...", ".#.", "..."}, QRegion(0, 0, 2, 2)},
  };
  for (const auto& c : cases)
    EXPECT_TRUE((LogicalMask(ImageOf(c.rows), c.ratio) ^ c.mask).isEmpty()) << c.ratio << " " << c.rows.size();
}

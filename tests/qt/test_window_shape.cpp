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
  shape.Apply(window, ImageOf({"#...", "....", "...."}));  // before the native window exists
  window.show();
  shape.Reapply(window);
  EXPECT_TRUE((window.mask() ^ QRegion(0, 0, 1, 1)).isEmpty());
  shape.Apply(window, ImageOf({"..##", ".#..", "...."}));
  EXPECT_TRUE((window.mask() ^ (QRegion(2, 0, 2, 1) + QRegion(1, 1, 1, 1))).isEmpty());
  window.clearMask();
  shape.Reapply(window);
  EXPECT_TRUE((window.mask() ^ (QRegion(2, 0, 2, 1) + QRegion(1, 1, 1, 1))).isEmpty());
}

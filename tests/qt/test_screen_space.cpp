#include <gtest/gtest.h>

#include "model/ClockGeometry.h"
#include "platform/qt/ScreenSpace.h"

namespace {
// Two 1280 x 1024 monitors side by side in X's pixels, the left one or the right one at 150 %.
const std::vector<ScreenScale> kLeftDense{{QRect(0, 0, 853, 683), 1.5}, {QRect(1280, 0, 1280, 1024), 1}};
const std::vector<ScreenScale> kRightDense{{QRect(0, 0, 1280, 1024), 1}, {QRect(1280, 0, 853, 683), 1.5}};
}  // namespace

TEST(ScreenSpace, PlacesByTheScreenThatHoldsTheCentre)
{
  const struct { const std::vector<ScreenScale>* screens; QRect logical; QPoint native; qreal scale; } cases[] = {
      {&kRightDense, QRect(900, 300, 166, 166), QPoint(900, 300), 1},
      {&kRightDense, QRect(1197, 300, 166, 166), QPoint(1197, 300), 1},  // centre 1279: still the left
      {&kRightDense, QRect(1198, 300, 166, 166), QPoint(1157, 450), 1.5},
      {&kRightDense, QRect(1623, 258, 166, 166), QPoint(1795, 387), 1.5},
      {&kLeftDense, QRect(300, 300, 166, 166), QPoint(450, 450), 1.5},
      {&kLeftDense, QRect(1285, 450, 166, 166), QPoint(1285, 450), 1},
      // Between the two in logical pixels: the nearer one.
      {&kLeftDense, QRect(850, 300, 166, 166), QPoint(1275, 450), 1.5},
      {&kLeftDense, QRect(1000, 300, 166, 166), QPoint(1000, 300), 1},
      {&kLeftDense, QRect(-5000, 300, 166, 166), QPoint(-7500, 450), 1.5},
  };
  for (const auto& c : cases) {
    const Placement p = ToNative(*c.screens, c.logical);
    EXPECT_EQ(p.topLeft, c.native) << c.logical.x();
    EXPECT_EQ(p.scale, c.scale) << c.logical.x();
  }
  EXPECT_EQ(ToNative({}, QRect(7, 8, 9, 9)).topLeft, QPoint(7, 8));
}

TEST(ScreenSpace, AWindowPlacedOnEitherSideOfTheBorderIsReadBackWhereItWasPut)
{
  // A clock walking over the border in one-pixel steps, drawn at each screen's size, never lands on
  // the other screen when its place is read back: that would bounce it between the two.
  for (const auto* screens : {&kLeftDense, &kRightDense}) {
    for (int x = 600; x <= 1400; ++x) {
      const QRect logical(x, 300, 166, 166);
      bool onScreen = false;
      for (const ScreenScale& s : *screens)
        onScreen = onScreen || s.logical.contains(logical.center());
      if (!onScreen)
        continue;
      const Placement native = ToNative(*screens, logical);
      const int device = DeviceDiameterOf(166, native.scale);
      const Placement back = ToLogical(*screens, QRect(native.topLeft, QSize(device, device)));
      EXPECT_EQ(back.topLeft, logical.topLeft()) << x;
      EXPECT_EQ(back.scale, native.scale) << x;
    }
  }
}

#include "platform/qt/ScreenSpace.h"

#include <algorithm>
#include <limits>

#include <QGuiApplication>
#include <QPointF>
#include <QScreen>
#include <QSize>

namespace {

QRect NativeOf(const ScreenScale& screen)
{
  const QRect& r = screen.logical;
  return {r.topLeft(), QSize(qRound(r.width() * screen.scale), qRound(r.height() * screen.scale))};
}

qint64 DistanceSquared(const QRect& r, QPoint p)
{
  const qint64 dx = std::max({qint64{r.left()} - p.x(), qint64{0}, qint64{p.x()} - r.right()});
  const qint64 dy = std::max({qint64{r.top()} - p.y(), qint64{0}, qint64{p.y()} - r.bottom()});
  return dx * dx + dy * dy;
}

// The screen holding `centre`, else the nearest one; nullptr without screens.
const ScreenScale* Holding(const std::vector<ScreenScale>& screens, QPoint centre, bool native)
{
  const ScreenScale* best = nullptr;
  qint64 bestDistance = std::numeric_limits<qint64>::max();
  for (const ScreenScale& screen : screens) {
    const qint64 distance = DistanceSquared(native ? NativeOf(screen) : screen.logical, centre);
    if (distance < bestDistance) {
      best = &screen;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

std::vector<ScreenScale> ScreenScales()
{
  std::vector<ScreenScale> screens;
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back({screen->geometry(), screen->devicePixelRatio()});
  return screens;
}

Placement ToNative(const std::vector<ScreenScale>& screens, const QRect& logical)
{
  const ScreenScale* screen = Holding(screens, logical.center(), false);
  if (!screen)
    return {logical.topLeft()};
  const QPoint origin = screen->logical.topLeft();
  return {origin + (QPointF(logical.topLeft() - origin) * screen->scale).toPoint(), screen->scale};
}

Placement ToLogical(const std::vector<ScreenScale>& screens, const QRect& native)
{
  const ScreenScale* screen = Holding(screens, native.center(), true);
  if (!screen)
    return {native.topLeft()};
  const QPoint origin = screen->logical.topLeft();
  return {origin + (QPointF(native.topLeft() - origin) / screen->scale).toPoint(), screen->scale};
}

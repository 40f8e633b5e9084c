#pragma once
#include <vector>

#include <QPoint>
#include <QRect>

// Qt's desktop with screens of several densities: each screen keeps its top-left corner in the X
// screen's own pixels and measures itself from there in its own logical pixels, so logical places jump
// where two densities meet. A window belongs to the screen that holds its centre (else the nearest),
// the rule Qt itself places windows by; these conversions keep to it in both directions.
struct ScreenScale {
  QRect logical;  // the screen as Qt gives it
  qreal scale = 1;
};

struct Placement {
  QPoint topLeft;
  qreal scale = 1;  // of the screen the rectangle belongs to
};

// The screens of the running application.
std::vector<ScreenScale> ScreenScales();

Placement ToNative(const std::vector<ScreenScale>& screens, const QRect& logical);
Placement ToLogical(const std::vector<ScreenScale>& screens, const QRect& native);

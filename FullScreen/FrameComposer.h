#pragma once
#include <QImage>
#include <QPoint>
#include <QRect>

#include "Clocks/ClockData.h"

struct TimeOfDay {
  int hours = 0;  // 0..23
  int minutes = 0;
  int seconds = 0;
};

// Composes one frame: the face, the cursor hole, markers, numerals and hands. No display needed.
// `window` is the clock window's current rectangle on the screen and `cursor` the pointer in screen
// pixels. Returns the premultiplied D x D frame.
class FrameComposer {
public:
  QImage Compose(const ClockData& data, const TimeOfDay& time, const QRect& window, const QPoint& cursor);
};

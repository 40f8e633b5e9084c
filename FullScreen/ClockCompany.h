#pragma once
#include <vector>

#include "FullScreen/TickSchedule.h"
#include "FullScreen/TimeZones.h"
#include "model/PixelGeometry.h"

class TForm1;

// What a clock shares with the other clocks of the process: the one timer, the zone database, and
// where the others are, so that none is put on top of another.
class ClockCompany {
public:
  virtual ~ClockCompany() = default;
  virtual TickSchedule& schedule() = 0;
  // None where the platform offers no zones: every clock shows local time.
  virtual const TimeZones* zones() const = 0;
  // The other clocks' rectangles, in the desktop's pixels.
  virtual std::vector<PixelRect> PlacesOfOthers(const TForm1& clock) const = 0;
};

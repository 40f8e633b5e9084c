#pragma once
#include "FullScreen/TickSchedule.h"
#include "FullScreen/TimeZones.h"

// What a clock shares with the other clocks of the process: the one timer and the zone database.
class ClockCompany {
public:
  virtual ~ClockCompany() = default;
  virtual TickSchedule& schedule() = 0;
  // None where the platform offers no zones: every clock shows local time.
  virtual const TimeZones* zones() const = 0;
};

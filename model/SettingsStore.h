#pragma once
#include <memory>
#include <string>
#include <vector>

#include "model/ClockSettings.h"
#include "model/PixelGeometry.h"
#include "model/SettingsBackend.h"

// A monitor's rectangle in screen pixels.
using ScreenRect = PixelRect;

// The settings between runs, per user, in the backend's store; a missing store is the first start.
// Errors throw TickoraError with the store's own messages. The first clock's nine values (and its zone
// and label, where it has them) are the main section's; every other clock's are in a section of its
// own, "Clock2" and on, holding the same names (ClockSectionOf).
class SettingsStore {
public:
  explicit SettingsStore(std::unique_ptr<SettingsBackend> backend);

  // Fills `settings` from the store, or applies the first-start defaults centred on `screen` (the
  // primary monitor's rectangle, where the clock is `scale` of the screen's pixels a logical pixel)
  // and stores them at once. Loaded values are brought into the settings
  // window's ranges; when a value cannot be read, the values before it are kept, the rest keep their
  // first-start defaults, and the error is thrown.
  void LoadSettings(ClockSettings& settings, ScreenRect screen, long double scale = 1.0L);
  // Both throw "Failed to set data for '%s'" when the store cannot be written.
  void SaveSettings(const ClockSettings& settings, int number = kFirstClock);
  void SavePosition(const ClockSettings& settings, int number = kFirstClock);
  bool firstStart() const { return firstStart_; }

  // A choice kept beside the nine values under its own name (kLockInPlace): a missing or unreadable
  // value is `fallback`, so stores written before the choice existed keep working. SaveChoice throws
  // "Failed to set data for '%s'" when the store cannot be written.
  bool LoadChoice(const char* name, bool fallback);
  void SaveChoice(const char* name, bool on);

  // The numbers of the clocks stored beside the first, ascending, whether their values can be read or
  // not (a new clock takes a number above them all).
  std::vector<int> StoredClockNumbers();
  // Reads clock `number` (above the first): its nine values brought into range, its zone and label.
  // Throws the store's error when one of the nine cannot be read; that clock is not shown, and its
  // section is left as it is.
  void LoadClock(int number, ClockSettings& settings, ClockZone& zone);
  // A clock's zone and label as stored (none in a store written before they existed); never throws.
  ClockZone LoadZone(int number = kFirstClock);
  // Stores them; throws "Failed to set data for '%s'" when the store cannot be written.
  void SaveZone(const ClockZone& zone, int number = kFirstClock);
  // Deletes a clock's section; throws "Failed to set data for '%s'" when the store keeps it.
  void RemoveClock(int number);

private:
  void ReadAll(ClockSettings& settings, int number);
  void WriteFields(const ClockSettings& settings, std::size_t first, std::size_t count, int number);

  std::unique_ptr<SettingsBackend> backend_;
  bool firstStart_ = false;
};

// The section holding clock `number`'s values ("Clock2"); empty for the first clock.
std::string ClockSectionOf(int number);

// The stored choices' value names.
inline constexpr char kLockInPlace[] = "Lock_In_Place";
inline constexpr char kHideOverFullScreen[] = "Hide_Full_Screen";

// The first-start settings: the defaults, centred on the given monitor rectangle. A rectangle in
// device pixels gives the monitor's scale: the clock is Round(odd diameter x scale) of them.
ClockSettings FirstStartSettings(ScreenRect screen, long double scale = 1.0L);

// Brings every value into the range the settings window offers; the flags and the position are kept.
void BringIntoRange(ClockSettings& settings);

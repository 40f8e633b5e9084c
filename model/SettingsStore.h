#pragma once
#include <memory>

#include "model/ClockSettings.h"
#include "model/PixelGeometry.h"
#include "model/SettingsBackend.h"

// A monitor's rectangle in screen pixels.
using ScreenRect = PixelRect;

// The nine settings between runs, per user, in the backend's store; a missing store is the first start.
// Errors throw TickoraError with the store's own messages.
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
  void SaveSettings(const ClockSettings& settings);
  void SavePosition(const ClockSettings& settings);
  bool firstStart() const { return firstStart_; }

  // A choice kept beside the nine values under its own name (kLockInPlace): a missing or unreadable
  // value is `fallback`, so stores written before the choice existed keep working. SaveChoice throws
  // "Failed to set data for '%s'" when the store cannot be written.
  bool LoadChoice(const char* name, bool fallback);
  void SaveChoice(const char* name, bool on);

private:
  void ReadAll(ClockSettings& settings);
  void WriteFields(const ClockSettings& settings, std::size_t first, std::size_t count);

  std::unique_ptr<SettingsBackend> backend_;
  bool firstStart_ = false;
};

// The stored choices' value names.
inline constexpr char kLockInPlace[] = "Lock_In_Place";
inline constexpr char kHideOverFullScreen[] = "Hide_Full_Screen";

// The first-start settings: the defaults, centred on the given monitor rectangle. A rectangle in
// device pixels gives the monitor's scale: the clock is Round(odd diameter x scale) of them.
ClockSettings FirstStartSettings(ScreenRect screen, long double scale = 1.0L);

// Brings every value into the range the settings window offers; the flags and the position are kept.
void BringIntoRange(ClockSettings& settings);

#pragma once
#include <QRect>
#include <QString>

#include "model/ClockSettings.h"

// The nine settings between runs, per user. On Linux an INI file in the XDG config directory; a
// missing file is the first start. Errors throw TickoraError with the store's own messages.
class SettingsStore {
public:
  explicit SettingsStore(QString filePath = DefaultPath());
  // $XDG_CONFIG_HOME (default ~/.config) /Tickora/Tickora.conf
  static QString DefaultPath();
  QString filePath() const { return filePath_; }

  // Fills `settings` from the store, or applies the first-start defaults centred on `screen` (the
  // primary monitor's rectangle) and stores
  // them at once. Loaded values are brought into the settings window's ranges; when a value cannot be
  // read, the values before it are kept, the rest keep their first-start defaults, and the error is thrown.
  void LoadSettings(ClockSettings& settings, QRect screen);
  // Both throw "Failed to set data for '%s'" when the store cannot be written.
  void SaveSettings(const ClockSettings& settings);
  void SavePosition(const ClockSettings& settings);
  bool firstStart() const { return firstStart_; }

private:
  QString filePath_;
  bool firstStart_ = false;
};

// The first-start settings: the defaults, centred on the given monitor rectangle.
ClockSettings FirstStartSettings(QRect screen);

// Brings every value into the range the settings window offers; the flags and the position are kept.
void BringIntoRange(ClockSettings& settings);

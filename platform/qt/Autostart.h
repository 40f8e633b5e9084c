#pragma once
#include <QString>

// The user's XDG autostart entry for the clock, which desktops read at login to start it.
class AutostartEntry {
public:
  // `filePath` is the entry; `program` the absolute path the entry starts.
  AutostartEntry(QString filePath, QString program);

  // $XDG_CONFIG_HOME/autostart/tickora.desktop, by default under ~/.config.
  static QString DefaultPath();

  // The entry exists and is not switched off: no Hidden=true (the way the XDG autostart rules remove
  // an entry) and no X-GNOME-Autostart-enabled=false (GNOME's switch).
  bool IsEnabled() const;
  // Writes the entry (replacing one switched off), making its folder when missing; the file is
  // replaced whole or not at all. Throws TickoraError when it cannot.
  void Enable() const;
  // Removes the entry; throws TickoraError when it stays.
  void Disable() const;

  const QString& filePath() const { return filePath_; }

  // The Exec value that starts `program`: quoted when the path holds a character the desktop entry
  // rules reserve, with "%" doubled and the escapes of a desktop entry string.
  static QString ExecValue(const QString& program);

private:
  QString filePath_;
  QString program_;
};

#pragma once
#include <string>

#include "model/PixelGeometry.h"

// The popup menu's items, in their order.
enum class MenuItem { Options, AddClock, RemoveClock, StartAtLogin, LockInPlace, HideOverFullScreen, Close1 };

// What the settings window asks of the window system it runs on. Controls are named by their index in
// their kind's row of the control table (Settings/SettingsControls.h). A shell carries these out and
// turns the user's actions into TForm2's handlers.
class SettingsWindowShell {
public:
  virtual ~SettingsWindowShell() = default;

  // The primary monitor, read afresh.
  virtual PixelRect PrimaryScreen() const = 0;
  virtual int TrackBarPosition(int index) const = 0;
  // The program's own changes: no handler runs for them.
  virtual void SetTrackBarPosition(int index, int position) = 0;
  virtual bool IsChecked(int index) const = 0;
  virtual void SetChecked(int index, bool checked) = 0;
  // The one-line fields (kLineEdits), UTF-8. The zone field gives the zone's name in the database
  // for what the user typed or chose (as typed where it names none); the program's own changes run
  // no handler.
  virtual std::string EditText(int index) const = 0;
  virtual void SetEditText(int index, const std::string& text) = 0;
  // Gives a field the keyboard focus, the window shown.
  virtual void FocusEdit(int index) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Asks a question with Yes and No in a box captioned "Tickora"; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  // Puts the window's outer frame's top-left corner there.
  virtual void Place(PixelPoint position) = 0;
  // Shows, raises and activates the window; hides it.
  virtual void ShowForm() = 0;
  virtual void HideForm() = 0;
  // Opens the popup menu at a screen point; the item chosen comes back as TForm2::MenuChosen.
  virtual void OpenMenu(PixelPoint at) = 0;
  virtual void MarkMenuItem(MenuItem item, bool checked) = 0;
  // Whether the item is in the menu at all.
  virtual void ShowMenuItem(MenuItem item, bool shown) = 0;
  // (Re)starts the one-shot timer that calls TForm2::IdleRelease.
  virtual void StartIdleRelease(int milliseconds) = 0;
  // Ends the event loop with code 0.
  virtual void Quit() = 0;
  // The user's entry that starts the clock at login; the setter throws TickoraError when it cannot.
  virtual bool StartAtLoginEnabled() const = 0;
  virtual void SetStartAtLogin(bool enabled) = 0;
};

// The notification-area icon as the window system offers it.
class TrayIconShell {
public:
  virtual ~TrayIconShell() = default;
  // Whether a tray runs that could take the icon.
  virtual bool TrayAvailable() const = 0;
  // Puts the icon in the tray; false when no tray took it.
  virtual bool ShowTrayIcon() = 0;
  virtual void HideTrayIcon() = 0;
};

#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "Settings/SettingsShell.h"
#include "Settings/TrayIcon.h"
#include "model/ClockSettings.h"
#include "model/UserMessages.h"

class ClockSet;
class SettingsStore;
class TForm1;
struct ClockData;

// What the settings window calls to synthesise the clock; tests replace these to watch it. Left
// empty, BuildClockImages and BuildNumeralSprites.
struct TForm2Hooks {
  std::function<void(ClockData&)> buildClockImages;
  std::function<void(ClockData&)> buildNumeralSprites;
};

// The settings window's behaviour on any window system: it edits one clock's settings in place and
// re-runs the synthesis each change needs; the clock shows the result at its next tick. Hidden to the
// tray icon, whose clicks and menu lead back here. Every handler's error ends it and is shown. With
// several clocks (AttachClocks) it edits the one it was opened from, and each clock's own menu adds
// a clock or removes it.
class TForm2 {
public:
  // The synthesis caches are let go once the sliders have rested this long.
  static constexpr int kIdleReleaseMs = 2000;

  TForm2(ClockData& data, SettingsStore& store, TForm1& clock, SettingsWindowShell& shell, TrayIconShell& tray,
         UserMessages messages, TForm2Hooks hooks = {});
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  // Sets the controls from the settings (running the handler of each that moves), places the window,
  // shows it at the first start only and adds the tray icon. It is placed anew whenever it is shown.
  void FormCreate(bool firstStart);

  // Control events.
  void TrackBar1Change();
  void TrackBar2Change();
  void TrackBar3Change();
  void TrackBar4Change();
  void TrackBar5Change();
  void CheckBox1Click();
  void CheckBox2Click();
  // The zone or label field was changed by the user (the zone once it is chosen or typed out).
  void Edit1Change();
  void Edit2Change();
  void Button1Click();
  void Button2Click();
  // The close box, or a minimise: only hides this window; the program goes on.
  void FormClose();

  // The popup menu: an item chosen, and its handlers.
  void MenuChosen(MenuItem item);
  void OptionsClick();
  // "Add clock": a clock with the look of the one the menu is for, beside it; the window opens on it
  // at its zone.
  void AddClockClick();
  // "Remove this clock", asked first; never offered for the first clock.
  void RemoveClockClick();
  void StartAtLoginClick();
  // "Lock in place": flips the clock's lock.
  void LockInPlaceClick();
  // "Hide over full-screen windows": flips the clock's choice.
  void HideOverFullScreenClick();
  void Close1Click();
  // Marks "Start at login" as the entry stands; it may have changed since the menu last showed.
  void ShowStartAtLogin();

  // Another start of the program, or `tickora --settings`, reached this one: the window is shown, and a
  // clock locked with no tray icon to unlock it is unlocked, since it takes no click of its own.
  void SecondStart();

  // A click on the tray icon, with the pointer where it happened.
  void TrayMessage(TrayClick click, PixelPoint cursor);
  void TrayChanged(bool iconLost);
  // The sliders have rested: what only speeds up the next synthesis goes.
  void IdleRelease();

  const TrayIcon& trayIcon() const { return tray_; }

  // Every clock of the set leads here (and each added later); the window edits the first until
  // another is chosen.
  void AttachClocks(ClockSet& clocks);
  // The window edits this clock from now on: its controls show its settings, the caption names it.
  // Edits of the clock edited until now that are not saved are not dropped silently: the user is
  // asked whether to save them; kept or not, the clock goes on showing them.
  void EditClock(TForm1& clock);
  const TForm1& editedClock() const { return *clock_; }

private:
  using Handler = void (TForm2::*)();
  void SetTrackBarPosition(int index, std::int32_t setting, Handler handler);
  void SetCheckBox(int index, std::int32_t setting, Handler handler);
  // BuildClockImages, and BuildNumeralSprites where the accent colour may change.
  void Resynthesise(bool numerals);
  // Takes the slider's value into the setting first.
  void Resynthesise(std::int32_t& setting, int slider, bool numerals);
  // "Settings" chosen in the menu: its mark flips as the window shows.
  void OptionsChosen();
  void OpenMenuAt(PixelPoint at, TForm1* clock = nullptr);
  // The clock's own clicks lead here.
  void Attach(TForm1& clock);
  bool SeveralClocks() const;
  // The controls and caption from the clock edited now, running no handler.
  void ShowClock();
  void ShowCaption();
  std::vector<TForm1*> AllClocks() const;
  // What "Save Settings" stores of a clock, its place aside (the clock stores that itself).
  struct Look {
    ClockSettings settings;
    ClockZone zone;
    bool operator==(const Look&) const = default;
  };
  Look LookOf(const ClockData& data) const;
  // The edited clock's look as stored: taken when the window first edits it, and at each save.
  void RememberStored();
  // Asks whether to save the edited clock's changes, if it has any.
  void OfferToSave();
  void Save();
  void HideWindow();
  void ShowWindow();

  ClockData* data_;
  SettingsStore& store_;
  TForm1* clock_;
  ClockSet* clocks_ = nullptr;
  TForm1* menuClock_ = nullptr;  // the clock the open menu is for
  SettingsWindowShell& shell_;
  UserMessages messages_;
  TForm2Hooks hooks_;
  TrayIcon tray_;
  bool optionsMarked_ = false;  // the "Settings" item's mark flips each time it is chosen
  bool shown_ = false;
  bool removing_ = false;         // a removal is being asked: no second one meanwhile
  std::map<int, Look> stored_;    // by clock number
};

#include "Settings/TForm2.h"

#include <algorithm>
#include <utility>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/ClockSet.h"
#include "FullScreen/TForm1.h"
#include "Settings/SettingsControls.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"

TForm2::TForm2(ClockData& data, SettingsStore& store, TForm1& clock, SettingsWindowShell& shell, TrayIconShell& tray,
               UserMessages messages, TForm2Hooks hooks)
    : data_(&data), store_(store), clock_(&clock), shell_(shell), messages_(std::move(messages)),
      hooks_(std::move(hooks)), tray_(tray)
{
  if (!hooks_.buildClockImages)
    hooks_.buildClockImages = [](ClockData& d) { BuildClockImages(d); };
  if (!hooks_.buildNumeralSprites)
    hooks_.buildNumeralSprites = [](ClockData& d) { BuildNumeralSprites(d); };
  Attach(clock);
}

TForm2::~TForm2()
{
  // The clocks may outlive this window; leave them no handler pointing here.
  for (TForm1* clock : AllClocks()) {
    clock->SetContextMenuHandler({});
    clock->SetDoubleClickHandler({});
  }
}

void TForm2::Attach(TForm1& clock)
{
  // Without a tray the clock itself leads here: right click for the menu, double click for the window.
  // With several clocks each one does, so that each can be edited or removed.
  clock.SetContextMenuHandler([this, &clock](PixelPoint at) {
    if (!tray_.reachable() || SeveralClocks())
      OpenMenuAt(at, &clock);
  });
  clock.SetDoubleClickHandler([this, &clock] {
    if (tray_.reachable() && !SeveralClocks())
      return;
    EditClock(clock);
    OptionsClick();
  });
}

void TForm2::AttachClocks(ClockSet& clocks)
{
  clocks_ = &clocks;
  for (TForm1* clock : clocks.clocks()) {
    if (clock != clock_)
      Attach(*clock);
  }
  clocks.SetAddedHandler([this](ClockData&, TForm1& clock) { Attach(clock); });
  // With several clocks the caption names the one edited.
  ShowCaption();
}

std::vector<TForm1*> TForm2::AllClocks() const
{
  return clocks_ ? clocks_->clocks() : std::vector<TForm1*>{clock_};
}

bool TForm2::SeveralClocks() const
{
  return clocks_ && clocks_->count() > 1;
}

void TForm2::EditClock(TForm1& clock)
{
  ClockData* data = clocks_ ? clocks_->DataOf(clock) : nullptr;
  if (!data || &clock == clock_)
    return;
  if (clock_)
    OfferToSave();
  clock_ = &clock;
  data_ = data;
  if (!stored_.contains(data_->number))
    RememberStored();
  ShowClock();
}

TForm2::Look TForm2::LookOf(const ClockData& data) const
{
  Look look{data.settings, data.zone};
  look.settings.left = 0;
  look.settings.top = 0;
  return look;
}

void TForm2::RememberStored()
{
  stored_[data_->number] = LookOf(*data_);
}

void TForm2::OfferToSave()
{
  const auto stored = stored_.find(data_->number);
  if (stored == stored_.end() || stored->second == LookOf(*data_))
    return;
  const std::string& name = data_->zone.label.empty() ? data_->zone.zone : data_->zone.label;
  if (shell_.Confirm("Save the changes to clock " + std::to_string(data_->number) + (name.empty() ? "" : ", " + name) +
                     "?"))
    Save();
}

void TForm2::ShowClock()
{
  const ClockSettings& s = data_->settings;
  const std::int32_t positions[] = {s.sizeStep, s.skin, s.dialStyle, s.transparency, s.handWidth};
  for (std::size_t i = 0; i < kTrackBars.size(); ++i)
    shell_.SetTrackBarPosition(static_cast<int>(i), std::clamp(positions[i], kTrackBars[i].minimum, kTrackBars[i].maximum));
  shell_.SetChecked(0, s.showSeconds == 1);
  shell_.SetChecked(1, s.showNumerals == 1);
  shell_.SetEditText(kZoneEdit, data_->zone.zone);
  shell_.SetEditText(kLabelEdit, data_->zone.label);
  ShowCaption();
}

void TForm2::ShowCaption()
{
  if (!SeveralClocks() && data_->number == kFirstClock) {
    shell_.SetCaption(kSettingsCaption);
    return;
  }
  shell_.SetCaption(SettingsCaptionFor(data_->number, data_->zone.label.empty() ? data_->zone.zone : data_->zone.label));
}

void TForm2::FormCreate(bool firstStart)
{
  const ClockSettings& s = data_->settings;
  SetTrackBarPosition(0, s.sizeStep, &TForm2::TrackBar1Change);
  SetTrackBarPosition(1, s.skin, &TForm2::TrackBar2Change);
  SetTrackBarPosition(2, s.dialStyle, &TForm2::TrackBar3Change);
  SetTrackBarPosition(3, s.transparency, &TForm2::TrackBar4Change);
  SetTrackBarPosition(4, s.handWidth, &TForm2::TrackBar5Change);
  SetCheckBox(0, s.showSeconds, &TForm2::CheckBox1Click);
  SetCheckBox(1, s.showNumerals, &TForm2::CheckBox2Click);
  shell_.SetEditText(kZoneEdit, data_->zone.zone);
  shell_.SetEditText(kLabelEdit, data_->zone.label);
  ShowCaption();
  ShowStartAtLogin();
  shell_.MarkMenuItem(MenuItem::LockInPlace, clock_->locked());
  shell_.MarkMenuItem(MenuItem::HideOverFullScreen, clock_->hidesOverFullScreen());

  // What the clock shows now is what its store holds, ranges mended aside.
  RememberStored();
  shell_.Place(SettingsWindowPlace(shell_.PrimaryScreen()));
  if (firstStart)
    ShowWindow();
  tray_.Add();
  // The clock window's own synthesis ran just before.
  shell_.StartIdleRelease(kIdleReleaseMs);
}

void TForm2::SetTrackBarPosition(int index, std::int32_t setting, Handler handler)
{
  const TrackBarRow& row = kTrackBars[static_cast<std::size_t>(index)];
  const int position = std::clamp<std::int32_t>(setting, row.minimum, row.maximum);
  // A stored value below the range meets a slider already at its minimum; it is brought into range
  // all the same, or the clock would keep drawing a size the slider does not show.
  if (position == shell_.TrackBarPosition(index) && position == setting)
    return;
  shell_.SetTrackBarPosition(index, position);
  (this->*handler)();
}

void TForm2::SetCheckBox(int index, std::int32_t setting, Handler handler)
{
  // Only 0 and 1 mean something; a box whose state changes stores its own value back.
  if ((setting != 0 && setting != 1) || shell_.IsChecked(index) == (setting == 1))
    return;
  shell_.SetChecked(index, setting == 1);
  (this->*handler)();
}

void TForm2::Resynthesise(std::int32_t& setting, int slider, bool numerals)
{
  setting = shell_.TrackBarPosition(slider);
  Resynthesise(numerals);
}

void TForm2::Resynthesise(bool numerals)
{
  // Restarted first: a synthesis that fails still leaves caches to release.
  shell_.StartIdleRelease(kIdleReleaseMs);
  // A failure ends the synthesis and is told; the setting keeps its new value.
  RunHandler(messages_, [this, numerals] {
    hooks_.buildClockImages(*data_);
    if (numerals)
      hooks_.buildNumeralSprites(*data_);
  });
  clock_->Wake();
}

void TForm2::TrackBar1Change()
{
  data_->settings.sizeStep = shell_.TrackBarPosition(0);
  const std::int32_t clientSize = ApplySizeStep(*data_);
  clock_->SetClientSize(clientSize, clientSize);
  Resynthesise(false);
}

void TForm2::TrackBar2Change()
{
  Resynthesise(data_->settings.skin, 1, true);
}

void TForm2::TrackBar3Change()
{
  Resynthesise(data_->settings.dialStyle, 2, true);
}

void TForm2::TrackBar4Change()
{
  Resynthesise(data_->settings.transparency, 3, false);
}

void TForm2::TrackBar5Change()
{
  data_->settings.handWidth = shell_.TrackBarPosition(4);
  SetHandSizes(data_->geometry, data_->settings.handWidth);
  clock_->Wake();
}

void TForm2::CheckBox1Click()
{
  data_->settings.showSeconds = shell_.IsChecked(0) ? 1 : 0;
  clock_->Wake();
}

void TForm2::CheckBox2Click()
{
  data_->settings.showNumerals = shell_.IsChecked(1) ? 1 : 0;
  clock_->Wake();
}

void TForm2::Edit1Change()
{
  // Names are kept as typed, spaces at the ends aside: one the database does not hold shows UTC and
  // says so on the dial.
  std::string zone = shell_.EditText(kZoneEdit);
  zone.erase(0, zone.find_first_not_of(' '));
  zone.erase(zone.find_last_not_of(' ') + 1);
  data_->zone.zone = zone;
  ShowCaption();
  clock_->Wake();
}

void TForm2::Edit2Change()
{
  data_->zone.label = CleanLabel(shell_.EditText(kLabelEdit));
  ShowCaption();
  clock_->Wake();
}

void TForm2::Button1Click()
{
  Save();
}

void TForm2::Save()
{
  RunHandler(messages_, [this] {
    store_.SaveSettings(data_->settings, data_->number);
    store_.SaveZone(data_->zone, data_->number);
    RememberStored();
  });
}

void TForm2::Button2Click()
{
  HideWindow();
}

void TForm2::FormClose()
{
  HideWindow();
}

void TForm2::MenuChosen(MenuItem item)
{
  static constexpr std::pair<MenuItem, Handler> kHandlers[] = {
      {MenuItem::Options, &TForm2::OptionsChosen},
      {MenuItem::AddClock, &TForm2::AddClockClick},
      {MenuItem::RemoveClock, &TForm2::RemoveClockClick},
      {MenuItem::StartAtLogin, &TForm2::StartAtLoginClick},
      {MenuItem::LockInPlace, &TForm2::LockInPlaceClick},
      {MenuItem::HideOverFullScreen, &TForm2::HideOverFullScreenClick},
      {MenuItem::Close1, &TForm2::Close1Click},
  };
  for (const auto& [menuItem, handler] : kHandlers) {
    if (menuItem == item)
      (this->*handler)();
  }
}

void TForm2::OptionsChosen()
{
  // From a clock's own menu the window edits that clock.
  if (menuClock_)
    EditClock(*menuClock_);
  optionsMarked_ = !optionsMarked_;
  shell_.MarkMenuItem(MenuItem::Options, optionsMarked_);
  OptionsClick();
}

void TForm2::OptionsClick()
{
  tray_.Remove();
  ShowWindow();
}

void TForm2::AddClockClick()
{
  if (!clocks_)
    return;
  TForm1* added = nullptr;
  RunHandler(messages_, [&] { added = clocks_->Add(menuClock_ ? *menuClock_ : *clock_); });
  if (!added)
    return;
  EditClock(*added);
  OptionsClick();
  shell_.FocusEdit(kZoneEdit);
}

void TForm2::RemoveClockClick()
{
  TForm1* clock = menuClock_;
  // One box at a time: a second clock's menu may open while this box waits.
  if (!clocks_ || !clock || clock->number() == kFirstClock || removing_)
    return;
  const ClockData* data = clocks_->DataOf(*clock);
  const std::string name = data && !data->zone.label.empty() ? data->zone.label : data ? data->zone.zone : std::string();
  removing_ = true;
  const bool confirmed = shell_.Confirm("Remove clock " + std::to_string(clock->number()) +
                                        (name.empty() ? "" : ", " + name) + "? Its settings are deleted.");
  removing_ = false;
  if (!confirmed)
    return;
  const int number = clock->number();
  const bool edited = clock == clock_;
  RunHandler(messages_, [&] { clocks_->Remove(*clock); });
  if (clocks_->DataOf(*clock))
    return;
  menuClock_ = nullptr;
  stored_.erase(number);
  if (edited) {
    clock_ = nullptr;
    EditClock(clocks_->first());
  } else {
    ShowCaption();
  }
}

void TForm2::StartAtLoginClick()
{
  // The mark showed the entry as it was; choosing the item asks for the other state.
  RunHandler(messages_, [this] { shell_.SetStartAtLogin(!shell_.StartAtLoginEnabled()); });
  ShowStartAtLogin();
}

void TForm2::LockInPlaceClick()
{
  // Shared by every clock.
  const bool locked = !clock_->locked();
  for (TForm1* clock : AllClocks())
    RunHandler(messages_, [clock, locked] { clock->SetLocked(locked); });
  shell_.MarkMenuItem(MenuItem::LockInPlace, clock_->locked());
}

void TForm2::HideOverFullScreenClick()
{
  const bool on = !clock_->hidesOverFullScreen();
  for (TForm1* clock : AllClocks())
    RunHandler(messages_, [clock, on] { clock->SetHideOverFullScreen(on); });
  shell_.MarkMenuItem(MenuItem::HideOverFullScreen, clock_->hidesOverFullScreen());
}

void TForm2::SecondStart()
{
  if (clock_->locked() && !tray_.reachable())
    LockInPlaceClick();
  OptionsClick();
}

void TForm2::ShowStartAtLogin()
{
  shell_.MarkMenuItem(MenuItem::StartAtLogin, shell_.StartAtLoginEnabled());
}

void TForm2::Close1Click()
{
  tray_.Remove();
  ShowWindow();
  shell_.Quit();
}

void TForm2::TrayMessage(TrayClick click, PixelPoint cursor)
{
  switch (click) {
  case TrayClick::LeftButtonUp:
  case TrayClick::DoubleClick:
    OptionsClick();
    break;
  case TrayClick::RightButtonUp:
    OpenMenuAt(cursor);
    break;
  }
}

void TForm2::TrayChanged(bool iconLost)
{
  tray_.TrayChanged(iconLost);
}

void TForm2::IdleRelease()
{
  for (TForm1* clock : AllClocks()) {
    if (ClockData* data = clocks_ ? clocks_->DataOf(*clock) : data_)
      ReleaseSynthesisCaches(*data);
  }
}

void TForm2::OpenMenuAt(PixelPoint at, TForm1* clock)
{
  // The tray's menu is for the clock the window edits; only a clock's own menu removes it.
  menuClock_ = clock ? clock : clock_;
  ShowStartAtLogin();
  shell_.ShowMenuItem(MenuItem::AddClock, clocks_ != nullptr);
  shell_.ShowMenuItem(MenuItem::RemoveClock, clocks_ != nullptr && clock && clock->number() != kFirstClock);
  shell_.OpenMenu(at);
}

void TForm2::HideWindow()
{
  tray_.Add();
  shown_ = false;
  shell_.HideForm();
}

void TForm2::ShowWindow()
{
  // Placed on the primary monitor as it is now: monitors come and go while the window is hidden. One
  // already shown stays where the user may have moved it.
  if (!std::exchange(shown_, true))
    shell_.Place(SettingsWindowPlace(shell_.PrimaryScreen()));
  shell_.ShowForm();
}

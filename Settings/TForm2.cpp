#include "Settings/TForm2.h"

#include <algorithm>
#include <utility>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "FullScreen/TForm1.h"
#include "Settings/SettingsControls.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"

TForm2::TForm2(ClockData& data, SettingsStore& store, TForm1& clock, SettingsWindowShell& shell, TrayIconShell& tray,
               UserMessages messages, TForm2Hooks hooks)
    : data_(data), store_(store), clock_(clock), shell_(shell), messages_(std::move(messages)),
      hooks_(std::move(hooks)), tray_(tray)
{
  if (!hooks_.buildClockImages)
    hooks_.buildClockImages = [](ClockData& d) { BuildClockImages(d); };
  if (!hooks_.buildNumeralSprites)
    hooks_.buildNumeralSprites = [](ClockData& d) { BuildNumeralSprites(d); };
  // Without a tray the clock itself leads here: right click for the menu, double click for the window.
  clock_.SetContextMenuHandler([this](PixelPoint at) {
    if (!tray_.reachable())
      OpenMenuAt(at);
  });
  clock_.SetDoubleClickHandler([this] {
    if (!tray_.reachable())
      OptionsClick();
  });
}

TForm2::~TForm2()
{
  // The clock may outlive this window; leave it no handler pointing here.
  clock_.SetContextMenuHandler({});
  clock_.SetDoubleClickHandler({});
}

void TForm2::FormCreate(bool firstStart)
{
  const ClockSettings& s = data_.settings;
  SetTrackBarPosition(0, s.sizeStep, &TForm2::TrackBar1Change);
  SetTrackBarPosition(1, s.skin, &TForm2::TrackBar2Change);
  SetTrackBarPosition(2, s.dialStyle, &TForm2::TrackBar3Change);
  SetTrackBarPosition(3, s.transparency, &TForm2::TrackBar4Change);
  SetTrackBarPosition(4, s.handWidth, &TForm2::TrackBar5Change);
  SetCheckBox(0, s.showSeconds, &TForm2::CheckBox1Click);
  SetCheckBox(1, s.showNumerals, &TForm2::CheckBox2Click);
  ShowStartAtLogin();
  shell_.MarkMenuItem(MenuItem::LockInPlace, clock_.locked());
  shell_.MarkMenuItem(MenuItem::HideOverFullScreen, clock_.hidesOverFullScreen());

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
    hooks_.buildClockImages(data_);
    if (numerals)
      hooks_.buildNumeralSprites(data_);
  });
  clock_.Wake();
}

void TForm2::TrackBar1Change()
{
  data_.settings.sizeStep = shell_.TrackBarPosition(0);
  const std::int32_t clientSize = ApplySizeStep(data_);
  clock_.SetClientSize(clientSize, clientSize);
  Resynthesise(false);
}

void TForm2::TrackBar2Change()
{
  Resynthesise(data_.settings.skin, 1, true);
}

void TForm2::TrackBar3Change()
{
  Resynthesise(data_.settings.dialStyle, 2, true);
}

void TForm2::TrackBar4Change()
{
  Resynthesise(data_.settings.transparency, 3, false);
}

void TForm2::TrackBar5Change()
{
  data_.settings.handWidth = shell_.TrackBarPosition(4);
  SetHandSizes(data_.geometry, data_.settings.handWidth);
  clock_.Wake();
}

void TForm2::CheckBox1Click()
{
  data_.settings.showSeconds = shell_.IsChecked(0) ? 1 : 0;
  clock_.Wake();
}

void TForm2::CheckBox2Click()
{
  data_.settings.showNumerals = shell_.IsChecked(1) ? 1 : 0;
  clock_.Wake();
}

void TForm2::Button1Click()
{
  RunHandler(messages_, [this] { store_.SaveSettings(data_.settings); });
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
  optionsMarked_ = !optionsMarked_;
  shell_.MarkMenuItem(MenuItem::Options, optionsMarked_);
  OptionsClick();
}

void TForm2::OptionsClick()
{
  tray_.Remove();
  ShowWindow();
}

void TForm2::StartAtLoginClick()
{
  // The mark showed the entry as it was; choosing the item asks for the other state.
  RunHandler(messages_, [this] { shell_.SetStartAtLogin(!shell_.StartAtLoginEnabled()); });
  ShowStartAtLogin();
}

void TForm2::LockInPlaceClick()
{
  RunHandler(messages_, [this] { clock_.SetLocked(!clock_.locked()); });
  shell_.MarkMenuItem(MenuItem::LockInPlace, clock_.locked());
}

void TForm2::HideOverFullScreenClick()
{
  RunHandler(messages_, [this] { clock_.SetHideOverFullScreen(!clock_.hidesOverFullScreen()); });
  shell_.MarkMenuItem(MenuItem::HideOverFullScreen, clock_.hidesOverFullScreen());
}

void TForm2::SecondStart()
{
  if (clock_.locked() && !tray_.reachable())
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
  ReleaseSynthesisCaches(data_);
}

void TForm2::OpenMenuAt(PixelPoint at)
{
  ShowStartAtLogin();
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

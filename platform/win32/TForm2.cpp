#include "platform/win32/TForm2.h"

#include <algorithm>

#include <commctrl.h>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "Clocks/NumeralSprites.h"
#include "Settings/TrayActions.h"
#include "model/ClockGeometry.h"
#include "model/SettingsStore.h"
#include "platform/win32/Screens.h"
#include "platform/win32/WindowClass.h"

namespace {
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;  // a fixed frame with a close box only
// Kept above the top-most clock, so that showing it is never hidden behind the clock.
constexpr DWORD kExStyle = WS_EX_TOPMOST;

void FillMissingHooks(TForm2Hooks& hooks)
{
  if (!hooks.buildClockImages)
    hooks.buildClockImages = [](ClockData& data) { BuildClockImages(data); };
  if (!hooks.buildNumeralSprites)
    hooks.buildNumeralSprites = [](ClockData& data) { BuildNumeralSprites(data); };
  if (!hooks.screenRect)
    hooks.screenRect = PrimaryScreenRect;
  if (!hooks.quit)
    hooks.quit = [] { PostQuitMessage(0); };
  if (hooks.runKey.empty())
    hooks.runKey = StartAtLoginEntry::kRunKey;
  if (!hooks.trackMenu) {
    hooks.trackMenu = [](HWND owner, HMENU menu, POINT at) {
      return static_cast<UINT>(
          TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    };
  }
}
}  // namespace

TForm2::TForm2(ClockData& data, SettingsStore& store, std::function<void(int, int)> setClockClientSize,
               bool firstStart, HICON icon, TForm2Hooks hooks, BoxMessages messages)
    : data_(data),
      store_(store),
      setClockClientSize_(std::move(setClockClientSize)),
      hooks_(std::move(hooks)),
      messages_(std::move(messages))
{
  FillMissingHooks(hooks_);
  RegisterWindowClass(kClassName, &TForm2::WindowProc, reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1));
  HINSTANCE instance = GetModuleHandleA(nullptr);
  owner_ = CreateWindowExA(0, "STATIC", "Tickora", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  RECT frame = {0, 0, kSettingsClientWidth, kSettingsClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  window_ = CreateWindowExA(kExStyle, kClassName, kSettingsCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, owner_, nullptr, instance, nullptr);
  if (!window_)
    return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (icon) {
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  CreateControls();
  CreatePopupMenu();
  tray_ = std::make_unique<TrayIcon>(window_, icon);
  FormCreate(firstStart);
}

TForm2::~TForm2()
{
  tray_.reset();
  if (window_) {
    KillTimer(window_, kIdleReleaseTimer);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  if (owner_)
    DestroyWindow(owner_);
  if (popupMenu_)
    DestroyMenu(popupMenu_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(closePicture_), static_cast<HGDIOBJ>(regularFont_),
                         static_cast<HGDIOBJ>(boldFont_)})
    if (object)
      DeleteObject(object);
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

  const PixelPoint place = SettingsWindowPlace(hooks_.screenRect());
  SetWindowPos(window_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (firstStart)
    ShowForm();
  tray_->Add();
  // The clock window's own synthesis ran just before.
  SetTimer(window_, kIdleReleaseTimer, kIdleReleaseMs, nullptr);
}

void TForm2::SetTrackBarPosition(int index, std::int32_t setting, Handler handler)
{
  const TrackBarRow& row = kTrackBars[static_cast<std::size_t>(index)];
  const int position = std::clamp<std::int32_t>(setting, row.minimum, row.maximum);
  // A stored value below the range meets a slider already at its minimum; it is brought into range
  // all the same, or the clock would keep drawing a size the slider does not show.
  if (position == TrackBarPosition(index) && position == setting)
    return;
  SendMessageA(trackBars_[static_cast<std::size_t>(index)], TBM_SETPOS, TRUE, position);
  RunHandler(messages_, [this, handler] { (this->*handler)(); });
}

void TForm2::SetCheckBox(int index, std::int32_t setting, Handler handler)
{
  // Only 0 and 1 mean something; a box whose state changes stores its own value back.
  if ((setting != 0 && setting != 1) || IsChecked(index) == (setting == 1))
    return;
  SendMessageA(checkBoxes_[static_cast<std::size_t>(index)], BM_SETCHECK, setting == 1 ? BST_CHECKED : BST_UNCHECKED,
               0);
  (this->*handler)();
}

int TForm2::TrackBarPosition(int index) const
{
  return static_cast<int>(SendMessageA(trackBars_[static_cast<std::size_t>(index)], TBM_GETPOS, 0, 0));
}

bool TForm2::IsChecked(int index) const
{
  return SendMessageA(checkBoxes_[static_cast<std::size_t>(index)], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm2::Resynthesise(bool numerals)
{
  // Restarted first: a synthesis that fails still leaves caches to release.
  SetTimer(window_, kIdleReleaseTimer, kIdleReleaseMs, nullptr);
  hooks_.buildClockImages(data_);
  if (numerals)
    hooks_.buildNumeralSprites(data_);
}

void TForm2::TrackBar1Change()
{
  data_.settings.sizeStep = TrackBarPosition(0);
  const std::int32_t clientSize = ApplySizeStep(data_);
  setClockClientSize_(clientSize, clientSize);
  Resynthesise(false);
}

void TForm2::TrackBar2Change()
{
  data_.settings.skin = TrackBarPosition(1);
  Resynthesise(true);
}

void TForm2::TrackBar3Change()
{
  data_.settings.dialStyle = TrackBarPosition(2);
  Resynthesise(true);
}

void TForm2::TrackBar4Change()
{
  data_.settings.transparency = TrackBarPosition(3);
  Resynthesise(false);
}

void TForm2::TrackBar5Change()
{
  data_.settings.handWidth = TrackBarPosition(4);
  SetHandSizes(data_.geometry, data_.settings.handWidth);
}

void TForm2::CheckBox1Click()
{
  data_.settings.showSeconds = IsChecked(0) ? 1 : 0;
}

void TForm2::CheckBox2Click()
{
  data_.settings.showNumerals = IsChecked(1) ? 1 : 0;
}

void TForm2::Button1Click()
{
  store_.SaveSettings(data_.settings);
}

void TForm2::Button2Click()
{
  HideForm();
}

void TForm2::FormClose()
{
  // Closing only hides this window; the program goes on.
  HideForm();
}

void TForm2::OptionsClick()
{
  tray_->Remove();
  ShowForm();
}

void TForm2::Close1Click()
{
  tray_->Remove();
  ShowForm();
  hooks_.quit();
}

void TForm2::TrayMessage(int mouseMessage)
{
  POINT cursor = {};
  GetCursorPos(&cursor);
  switch (TrayActionFor(mouseMessage)) {
  case TrayAction::ShowWindow:
    tray_->Remove();
    ShowForm();
    break;
  case TrayAction::OpenMenu: {
    // The menu closes when the user clicks elsewhere only if its owner is the foreground window, and
    // the message after it lets the taskbar's own menu handling finish.
    SetForegroundWindow(window_);
    CheckMenuItem(popupMenu_, kStartAtLogin, MF_BYCOMMAND | (StartAtLogin().IsEnabled() ? MF_CHECKED : MF_UNCHECKED));
    const UINT item = hooks_.trackMenu(window_, popupMenu_, cursor);
    PostMessageA(window_, WM_NULL, 0, 0);
    MenuCommand(item);
    break;
  }
  case TrayAction::None:
    break;
  }
}

void TForm2::MenuCommand(UINT item)
{
  switch (item) {
  case kOptions: {
    const bool checked = GetMenuState(popupMenu_, kOptions, MF_BYCOMMAND) & MF_CHECKED;
    CheckMenuItem(popupMenu_, kOptions, MF_BYCOMMAND | (checked ? MF_UNCHECKED : MF_CHECKED));
    OptionsClick();
    break;
  }
  case kStartAtLogin:
    StartAtLoginClick();
    break;
  case kClose1:
    Close1Click();
    break;
  default:
    break;
  }
}

void TForm2::StartAtLoginClick()
{
  // The mark showed the entry as it was; choosing the item asks for the other state.
  const StartAtLoginEntry entry = StartAtLogin();
  const bool wanted = !entry.IsEnabled();
  RunHandler(messages_, [&entry, wanted] {
    if (wanted)
      entry.Enable();
    else
      entry.Disable();
  });
}

StartAtLoginEntry TForm2::StartAtLogin() const
{
  return StartAtLoginEntry(StartAtLoginEntry::ThisProgram(), hooks_.runKey);
}

void TForm2::ShowForm()
{
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void TForm2::HideForm()
{
  tray_->Add();
  ShowWindow(window_, SW_HIDE);
}

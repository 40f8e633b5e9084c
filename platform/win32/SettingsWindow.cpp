#include "platform/win32/SettingsWindow.h"

#include <algorithm>
#include <iterator>

#include <commctrl.h>

#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Screens.h"
#include "platform/win32/StartAtLogin.h"
#include "platform/win32/Utf16.h"
#include "platform/win32/WindowClass.h"

namespace {
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;  // a fixed frame with a close box only
// Kept above the top-most clock, so that showing it is never hidden behind the clock.
constexpr DWORD kExStyle = WS_EX_TOPMOST;

SettingsWindowHooks WithDefaults(SettingsWindowHooks hooks)
{
  if (!hooks.quit)
    hooks.quit = [] { PostQuitMessage(0); };
  if (hooks.runKey.empty())
    hooks.runKey = StartAtLoginEntry::kRunKey;
  if (hooks.approvedKey.empty())
    hooks.approvedKey = StartAtLoginEntry::kApprovedKey;
  if (!hooks.zoneChoices)
    hooks.zoneChoices = &WindowsTimeZones::Choices;
  if (!hooks.trackMenu) {
    hooks.trackMenu = [](HWND owner, HMENU menu, POINT at) {
      return static_cast<UINT>(
          TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr));
    };
  }
  return hooks;
}
}  // namespace

SettingsWindow::SettingsWindow(ClockData& data, SettingsStore& store, TForm1& clock, bool firstStart, HICON icon,
                               UserMessages messages, SettingsWindowHooks hooks, TForm2Hooks synthesis)
    : hooks_(WithDefaults(std::move(hooks))), messages_(messages)
{
  RegisterWindowClass(kClassName, &SettingsWindow::WindowProc, reinterpret_cast<HBRUSH>(COLOR_ACTIVEBORDER + 1));
  HINSTANCE instance = GetModuleHandleA(nullptr);
  owner_ = CreateWindowExA(0, "STATIC", "Tickora", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
  RECT frame = {0, 0, kSettingsClientWidth, kSettingsClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  window_ = CreateWindowExA(kExStyle, kClassName, kSettingsCaption, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, owner_, nullptr, instance, nullptr);
  if (!window_)
    return;
  if (icon) {
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
  CreateControls();
  // Laid out at the density of the monitor it opens on, and again whenever it moves to another.
  if (const long double scale = WindowScale(window_); scale != 1.0L) {
    LayOut(scale);
    const PixelSize size = FrameSize();
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreatePopupMenu();
  tray_ = std::make_unique<NotifyIcon>(window_, icon);
  form_ = std::make_unique<TForm2>(data, store, clock, *this, *tray_, std::move(messages), std::move(synthesis));
  // Messages reach the form only once it exists.
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  form_->FormCreate(firstStart);
}

SettingsWindow::~SettingsWindow()
{
  if (window_) {
    KillTimer(window_, kIdleReleaseTimer);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  }
  form_.reset();
  tray_.reset();
  if (window_)
    DestroyWindow(window_);
  if (owner_)
    DestroyWindow(owner_);
  if (popupMenu_)
    DestroyMenu(popupMenu_);
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(closePicture_), static_cast<HGDIOBJ>(regularFont_),
                         static_cast<HGDIOBJ>(boldFont_)})
    if (object)
      DeleteObject(object);
}

PixelSize SettingsWindow::FrameSize() const
{
  const PixelRect client = ScaledRect({0, 0, kSettingsClientWidth, kSettingsClientHeight});
  RECT frame = {0, 0, client.width, client.height};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void SettingsWindow::DpiChanged(const RECT& suggested)
{
  LayOut(WindowScale(window_));
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window is placed on the primary monitor in that monitor's logical pixels, whatever the density of
// the monitor it was on before.
PixelRect SettingsWindow::PrimaryScreen() const
{
  const PixelRect primary = PrimaryScreenRect();
  return ToLogical(primary, ScaleAt(CentreOf(primary)));
}

int SettingsWindow::TrackBarPosition(int index) const
{
  return static_cast<int>(SendMessageA(trackBars_[static_cast<std::size_t>(index)], TBM_GETPOS, 0, 0));
}

void SettingsWindow::SetTrackBarPosition(int index, int position)
{
  SendMessageA(trackBars_[static_cast<std::size_t>(index)], TBM_SETPOS, TRUE, position);
}

bool SettingsWindow::IsChecked(int index) const
{
  return SendMessageA(checkBoxes_[static_cast<std::size_t>(index)], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsWindow::SetChecked(int index, bool checked)
{
  SendMessageA(checkBoxes_[static_cast<std::size_t>(index)], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string SettingsWindow::EditText(int index) const
{
  if (index == kZoneEdit) {
    const auto item = static_cast<std::size_t>(SendMessageW(edits_[kZoneEdit], CB_GETCURSEL, 0, 0));
    return item < zoneKeys_.size() ? zoneKeys_[item] : std::string();
  }
  HWND edit = edits_[static_cast<std::size_t>(index)];
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void SettingsWindow::SetEditText(int index, const std::string& text)
{
  if (index == kZoneEdit) {
    // A zone this system does not know stays as stored, shown by its name: choosing it keeps it.
    const auto found = std::find(zoneKeys_.begin(), zoneKeys_.end(), text);
    int item = static_cast<int>(found - zoneKeys_.begin());
    if (found == zoneKeys_.end()) {
      item = AddZoneItem(text, text);
      FitZoneList();
    }
    SendMessageW(edits_[kZoneEdit], CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    return;
  }
  settingText_ = true;
  SetWindowTextW(edits_[static_cast<std::size_t>(index)], Utf16(text).c_str());
  settingText_ = false;
}

void SettingsWindow::FocusEdit(int index)
{
  focus_ = edits_[static_cast<std::size_t>(index)];
  SetFocus(focus_);
}

void SettingsWindow::SetCaption(const std::string& caption)
{
  // Past the ANSI window procedure, which would lose the letters its code page cannot spell.
  DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Utf16(caption).c_str()));
}

bool SettingsWindow::Confirm(const std::string& question)
{
  // The question is the settings window's, whether it shows or a clock's menu asked it: while it
  // waits, the window, the menu and the tray icon (whose messages come to the window) wait too.
  return hooks_.confirm ? hooks_.confirm(question) : AskYesNo(question, window_);
}

void SettingsWindow::Place(PixelPoint position)
{
  const long double scale = ScaleAt(CentreOf(PrimaryScreenRect()));
  SetWindowPos(window_, nullptr, ToDevice(position.x, scale), ToDevice(position.y, scale), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsWindow::ShowForm()
{
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
}

void SettingsWindow::HideForm()
{
  ShowWindow(window_, SW_HIDE);
}

void SettingsWindow::OpenMenu(PixelPoint at)
{
  // A box of the window's waits for an answer (it disables the window): a click for the menu, from
  // the tray or a clock, brings the box to the front instead, as a click on its owner does.
  if (!IsWindowEnabled(window_)) {
    if (HWND box = GetLastActivePopup(window_); box != window_)
      SetForegroundWindow(box);
    return;
  }
  // The menu closes when the user clicks elsewhere only if its owner is the foreground window, and
  // the message after it lets the taskbar's own menu handling finish.
  SetForegroundWindow(window_);
  const UINT item = hooks_.trackMenu(window_, popupMenu_, {at.x, at.y});
  PostMessageA(window_, WM_NULL, 0, 0);
  for (const auto& [menuItem, id] : kMenuIds) {
    if (id == item)
      form_->MenuChosen(menuItem);
  }
}

void SettingsWindow::MarkMenuItem(MenuItem item, bool checked)
{
  UINT id = kClose1;
  for (const auto& [menuItem, itemId] : kMenuIds) {
    if (menuItem == item)
      id = itemId;
  }
  CheckMenuItem(popupMenu_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void SettingsWindow::ShowMenuItem(MenuItem item, bool shown)
{
  const auto id = std::find_if(std::begin(kMenuIds), std::end(kMenuIds), [item](auto pair) { return pair.first == item; });
  if (id == std::end(kMenuIds))
    return;
  const bool present = GetMenuState(popupMenu_, id->second, MF_BYCOMMAND) != static_cast<UINT>(-1);
  if (present == shown)
    return;
  if (!shown) {
    DeleteMenu(popupMenu_, id->second, MF_BYCOMMAND);
    return;
  }
  // Back in its place: after the items before it in the menu's order that are there.
  UINT position = 0;
  for (auto before = std::begin(kMenuIds); before != id; ++before)
    if (GetMenuState(popupMenu_, before->second, MF_BYCOMMAND) != static_cast<UINT>(-1))
      ++position;
  InsertMenuA(popupMenu_, position, MF_BYPOSITION | MF_STRING, id->second, MenuText(id->second));
}

void SettingsWindow::StartIdleRelease(int milliseconds)
{
  SetTimer(window_, kIdleReleaseTimer, static_cast<UINT>(milliseconds), nullptr);
}

void SettingsWindow::Quit()
{
  hooks_.quit();
}

bool SettingsWindow::StartAtLoginEnabled() const
{
  return StartAtLoginEntry(StartAtLoginEntry::ThisProgram(), hooks_.runKey, hooks_.approvedKey).IsEnabled();
}

void SettingsWindow::SetStartAtLogin(bool enabled)
{
  const StartAtLoginEntry entry(StartAtLoginEntry::ThisProgram(), hooks_.runKey, hooks_.approvedKey);
  if (enabled)
    entry.Enable();
  else
    entry.Disable();
}

#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "Settings/SettingsControls.h"
#include "Settings/TForm2.h"
#include "platform/win32/NotifyIcon.h"
#include "platform/win32/WindowsTimeZones.h"

// What the Win32 settings window calls outside itself; tests replace these. Left empty, each takes
// its default.
struct SettingsWindowHooks {
  std::function<void()> quit;  // PostQuitMessage(0)
  // Opens the menu at a screen point and returns the chosen item's id, 0 for none (TrackPopupMenu).
  std::function<UINT(HWND owner, HMENU menu, POINT at)> trackMenu;
  // The Run key under HKEY_CURRENT_USER that "Start at login" writes (StartAtLoginEntry::kRunKey), and
  // the key of the state Task Manager keeps for it (StartAtLoginEntry::kApprovedKey).
  std::string runKey;
  std::string approvedKey;
  std::function<bool(const std::string& question)> confirm;  // AskYesNo, owned by the settings window
  std::function<std::vector<ZoneChoice>()> zoneChoices;      // WindowsTimeZones::Choices
};

// The settings window on Win32: common controls built from the shared table, the popup menu and the
// notification-area icon. Each control's notification goes to TForm2's handler; TForm2's requests come
// back through SettingsWindowShell.
class SettingsWindow : public SettingsWindowShell {
public:
  static constexpr char kClassName[] = "TForm2";
  // The popup menu's item ids.
  static constexpr UINT kOptions = 1;
  static constexpr UINT kClose1 = 2;
  static constexpr UINT kStartAtLogin = 3;
  static constexpr UINT kLockInPlace = 4;
  static constexpr UINT kHideOverFullScreen = 5;
  static constexpr UINT kAddClock = 6;
  static constexpr UINT kRemoveClock = 7;
  // In the menu's order.
  static constexpr std::pair<MenuItem, UINT> kMenuIds[] = {{MenuItem::Options, kOptions},
                                                           {MenuItem::AddClock, kAddClock},
                                                           {MenuItem::RemoveClock, kRemoveClock},
                                                           {MenuItem::StartAtLogin, kStartAtLogin},
                                                           {MenuItem::LockInPlace, kLockInPlace},
                                                           {MenuItem::HideOverFullScreen, kHideOverFullScreen},
                                                           {MenuItem::Close1, kClose1}};

  // `icon` may be null.
  SettingsWindow(ClockData& data, SettingsStore& store, TForm1& clock, bool firstStart, HICON icon,
                 UserMessages messages, SettingsWindowHooks hooks = {}, TForm2Hooks synthesis = {});
  ~SettingsWindow() override;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;

  // The controls' character height in device pixels at `scale`.
  static int ControlFontHeight(long double scale);

  bool created() const { return window_ != nullptr; }
  HWND handle() const { return window_; }
  HWND Control(ControlRef ref) const;
  HMENU popupMenu() const { return popupMenu_; }
  TForm2& form() { return *form_; }
  const NotifyIcon& notifyIcon() const { return *tray_; }

  PixelRect PrimaryScreen() const override;
  int TrackBarPosition(int index) const override;
  void SetTrackBarPosition(int index, int position) override;
  bool IsChecked(int index) const override;
  void SetChecked(int index, bool checked) override;
  // The zone field is a drop-down list: "Local time", then every zone of the system's.
  std::string EditText(int index) const override;
  void SetEditText(int index, const std::string& text) override;
  void FocusEdit(int index) override;
  void SetCaption(const std::string& caption) override;
  bool Confirm(const std::string& question) override;
  void Place(PixelPoint position) override;
  void ShowForm() override;
  void HideForm() override;
  void OpenMenu(PixelPoint at) override;
  void MarkMenuItem(MenuItem item, bool checked) override;
  void ShowMenuItem(MenuItem item, bool shown) override;
  void StartIdleRelease(int milliseconds) override;
  void Quit() override;
  bool StartAtLoginEnabled() const override;
  void SetStartAtLogin(bool enabled) override;

private:
  static constexpr UINT_PTR kIdleReleaseTimer = 1;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void TrayMessage(int mouseMessage);
  // The window is on a monitor of another density: laid out anew, in the rectangle the system offers.
  void DpiChanged(const RECT& suggested);
  bool SetHandCursor(HWND control) const;
  void CreateControls();
  void CreatePopupMenu();
  static const char* MenuText(UINT id);
  void CreateLineEdits();
  void FitZoneList();
  // Adds an item to the zone list for `zone` and returns its index.
  int AddZoneItem(const std::string& zone, const std::string& shown);
  // Puts the controls and their fonts at `scale` device pixels per logical pixel.
  void LayOut(long double scale);
  PixelRect ScaledRect(PixelRect rect) const;
  // The outer frame for the client area at the current scale.
  PixelSize FrameSize() const;

  SettingsWindowHooks hooks_;
  UserMessages messages_;
  HWND owner_ = nullptr;  // hidden: the window it owns gets no taskbar button
  HWND window_ = nullptr;
  HWND focus_ = nullptr;  // the control to give the focus back to when the window is activated
  std::array<HWND, kStaticTexts.size()> staticTexts_ = {};
  std::array<HWND, kTrackBars.size()> trackBars_ = {};
  std::array<HWND, kCheckBoxes.size()> checkBoxes_ = {};
  std::array<HWND, kButtons.size()> buttons_ = {};
  std::array<HWND, kLineEdits.size()> edits_ = {};
  std::vector<std::string> zoneKeys_;  // the zone list's items' zones, "" for local time
  bool settingText_ = false;           // the program's own change of a field: no handler
  long double scale_ = 1.0L;
  HFONT regularFont_ = nullptr;
  HFONT boldFont_ = nullptr;
  HMENU popupMenu_ = nullptr;
  HBITMAP closePicture_ = nullptr;
  std::unique_ptr<NotifyIcon> tray_;
  std::unique_ptr<TForm2> form_;
};

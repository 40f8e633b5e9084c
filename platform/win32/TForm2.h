#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include "Settings/SettingsControls.h"
#include "model/PixelGeometry.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/StartAtLogin.h"
#include "platform/win32/TrayIcon.h"

class SettingsStore;
struct ClockData;

// What the settings window calls outside itself; tests replace these to watch it. Left empty, each
// takes its default.
struct TForm2Hooks {
  std::function<void(ClockData&)> buildClockImages;     // BuildClockImages
  std::function<void(ClockData&)> buildNumeralSprites;  // BuildNumeralSprites
  std::function<PixelRect()> screenRect;                // the primary monitor
  std::function<void()> quit;                           // PostQuitMessage(0)
  // Opens the menu at a screen point and returns the chosen item's id, 0 for none (TrackPopupMenu).
  std::function<UINT(HWND owner, HMENU menu, POINT at)> trackMenu;
  // The Run key under HKEY_CURRENT_USER that "Start at login" writes (StartAtLoginEntry::kRunKey).
  std::string runKey;
};

// The settings window: edits the one settings record in place and re-runs the synthesis each change
// needs; the clock shows the result at its next tick. Hidden to the tray icon.
class TForm2 {
public:
  static constexpr char kClassName[] = "TForm2";
  enum MenuItem : UINT { kOptions = 1, kClose1 = 2, kStartAtLogin = 3 };

  // `setClockClientSize` sizes the clock window (width, then height); `icon` may be null.
  TForm2(ClockData& data, SettingsStore& store, std::function<void(int, int)> setClockClientSize, bool firstStart,
         HICON icon = nullptr, TForm2Hooks hooks = {}, BoxMessages messages = {});
  ~TForm2();
  TForm2(const TForm2&) = delete;
  TForm2& operator=(const TForm2&) = delete;

  bool created() const { return window_ != nullptr; }
  HWND handle() const { return window_; }
  HWND Control(ControlRef ref) const;
  HMENU popupMenu() const { return popupMenu_; }
  const TrayIcon& trayIcon() const { return *tray_; }

  // Control events.
  void TrackBar1Change();
  void TrackBar2Change();
  void TrackBar3Change();
  void TrackBar4Change();
  void TrackBar5Change();
  void CheckBox1Click();
  void CheckBox2Click();
  void Button1Click();
  void Button2Click();
  void FormClose();
  void OptionsClick();
  void StartAtLoginClick();
  void Close1Click();
  // A mouse message over the tray icon.
  void TrayMessage(int mouseMessage);
  // A popup menu item chosen.
  void MenuCommand(UINT item);

private:
  using Handler = void (TForm2::*)();
  // Lets the synthesis caches go once the sliders have rested this long.
  static constexpr UINT_PTR kIdleReleaseTimer = 1;
  static constexpr UINT kIdleReleaseMs = 2000;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool SetHandCursor(HWND control) const;
  void CreateControls();
  void CreatePopupMenu();
  void FormCreate(bool firstStart);
  void SetTrackBarPosition(int index, std::int32_t setting, Handler handler);
  void SetCheckBox(int index, std::int32_t setting, Handler handler);
  int TrackBarPosition(int index) const;
  bool IsChecked(int index) const;
  StartAtLoginEntry StartAtLogin() const;
  void ShowForm();
  void HideForm();
  // BuildClockImages, and BuildNumeralSprites where the accent colour may change.
  void Resynthesise(bool numerals);

  ClockData& data_;
  SettingsStore& store_;
  std::function<void(int, int)> setClockClientSize_;
  TForm2Hooks hooks_;
  BoxMessages messages_;
  HWND owner_ = nullptr;  // hidden: the window it owns gets no taskbar button
  HWND window_ = nullptr;
  HWND focus_ = nullptr;  // the control to give the focus back to when the window is activated
  std::array<HWND, kStaticTexts.size()> staticTexts_ = {};
  std::array<HWND, kTrackBars.size()> trackBars_ = {};
  std::array<HWND, kCheckBoxes.size()> checkBoxes_ = {};
  std::array<HWND, kButtons.size()> buttons_ = {};
  HFONT regularFont_ = nullptr;
  HFONT boldFont_ = nullptr;
  HMENU popupMenu_ = nullptr;
  HBITMAP closePicture_ = nullptr;
  std::unique_ptr<TrayIcon> tray_;
};

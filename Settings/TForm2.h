#pragma once
#include <functional>

#include <QElapsedTimer>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include "Settings/SettingsControls.h"
#include "Settings/TrayIcon.h"
#include "platform/ErrorReporting.h"
#include "platform/Autostart.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class ClockWindowControl;
class SettingsSlider;
class SettingsStore;
struct ClockData;

// What the settings window calls outside itself; tests replace these to watch it.
struct TForm2Hooks {
  std::function<void(ClockData&)> buildClockImages;     // default BuildClockImages
  std::function<void(ClockData&)> buildNumeralSprites;  // default BuildNumeralSprites
  std::function<QRect()> screenRect;                    // default the primary monitor's rectangle
  std::function<bool()> trayAvailable;                  // default QSystemTrayIcon::isSystemTrayAvailable
  std::function<void()> quit;                           // default ends the event loop with code 0
  std::function<QString()> autostartFile;               // default AutostartEntry::DefaultPath
};
TForm2Hooks DefaultTForm2Hooks();

// The settings window: edits the one settings record in place and re-runs the synthesis each change
// needs; the clock shows the result at its next tick. Hidden to the tray icon.
class TForm2 : public QWidget {
  Q_OBJECT
public:
  // Hooks left empty take their defaults.
  TForm2(ClockData& data, SettingsStore& store, ClockWindowControl& clock, bool firstStart,
         TForm2Hooks hooks = {}, UserMessages messages = {}, QWidget* parent = nullptr);
  ~TForm2() override;

  static constexpr int kClientWidth = kSettingsClientWidth;
  static constexpr int kClientHeight = kSettingsClientHeight;
  static constexpr int kBorderWidth = 5;

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
  void OptionsClick();
  void StartAtLoginClick();
  void Close1Click();
  // A mouse message over the tray icon.
  void TrayMessage(int mouseMessage);

  TrayIcon& trayIcon() { return *tray_; }
  QWidget* clientArea() const { return client_; }

  QLabel* StaticText1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QLabel* StaticText5 = nullptr;
  QLabel* StaticText6 = nullptr;
  SettingsSlider* TrackBar1 = nullptr;
  SettingsSlider* TrackBar2 = nullptr;
  SettingsSlider* TrackBar3 = nullptr;
  SettingsSlider* TrackBar4 = nullptr;
  SettingsSlider* TrackBar5 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QMenu* PopupMenu = nullptr;
  QAction* Options = nullptr;
  QAction* StartAtLogin = nullptr;
  QAction* Close1 = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateControls();
  void CreatePopupMenu();
  void CreateTrayMenu();
  void ConnectHandlers();
  void FormCreate(bool firstStart);
  void SetTrackBarPosition(SettingsSlider* slider, std::int32_t& setting, void (TForm2::*handler)());
  void ShowWindow();
  void HideWindow();
  void Minimised();
  // BuildClockImages, and BuildNumeralSprites where the accent colour may change.
  void Resynthesise(bool numerals);
  void SettleCheck();
  void OpenMenuAt(const QPoint& globalPos);
  // Marks "Start at login" as the entry on disk stands; it may have changed since the menu last showed.
  void ShowStartAtLogin();
  AutostartEntry Autostart() const;

  ClockData& data_;
  SettingsStore& store_;
  ClockWindowControl& clock_;
  TForm2Hooks hooks_;
  UserMessages messages_;
  QWidget* client_ = nullptr;
  TrayIcon* tray_ = nullptr;
  QMenu* trayMenu_ = nullptr;  // the menu a D-Bus tray shows itself
  QElapsedTimer shownAt_;      // since the last showing; a window manager may iconify a new window briefly
  QTimer idleRelease_;         // lets the synthesis caches go once the sliders rest
  QTimer settleCheck_;         // looks at a minimised window once it could be the user's doing
  bool minimiseToTray_ = false;
};

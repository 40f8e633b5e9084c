#pragma once
#include <functional>
#include <string>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "Settings/SettingsControls.h"
#include "Settings/TForm2.h"
#include "platform/qt/QtTrayIcon.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class SettingsSlider;

// What the Qt settings window calls outside itself; tests replace these. Left empty, each takes its
// default.
struct SettingsWindowHooks {
  std::function<bool()> trayAvailable;   // QSystemTrayIcon::isSystemTrayAvailable
  std::function<void()> quit;            // ends the event loop with code 0
  std::function<QString()> autostartFile;  // AutostartEntry::DefaultPath
  std::function<QStringList()> zoneChoices;  // what the zone field completes; none by default
  std::function<std::string(const QString&)> zoneOfChoice;  // the zone a choice names; the text itself by default
  std::function<bool(const QString&)> confirm;  // a Yes/No box captioned "Tickora"
};

// The settings window on Qt: the controls of the shared table, the popup menu and the tray icon. Each
// control's event goes to TForm2's handler; TForm2's requests come back through SettingsWindowShell.
class SettingsWindow : public QWidget, public SettingsWindowShell {
  Q_OBJECT
public:
  SettingsWindow(ClockData& data, SettingsStore& store, TForm1& clock, bool firstStart, UserMessages messages,
                 SettingsWindowHooks hooks = {}, TForm2Hooks synthesis = {}, QWidget* parent = nullptr);

  static constexpr int kClientWidth = kSettingsClientWidth;
  static constexpr int kClientHeight = kSettingsClientHeight;
  static constexpr int kBorderWidth = 5;

  TForm2& form() { return form_; }
  QtTrayIcon& trayIcon() { return tray_; }
  QWidget* clientArea() const { return client_; }

  PixelRect PrimaryScreen() const override;
  int TrackBarPosition(int index) const override;
  void SetTrackBarPosition(int index, int position) override;
  bool IsChecked(int index) const override;
  void SetChecked(int index, bool checked) override;
  void Place(PixelPoint position) override;
  void ShowForm() override;
  void HideForm() override;
  void OpenMenu(PixelPoint at) override;
  void MarkMenuItem(MenuItem item, bool checked) override;
  void StartIdleRelease(int milliseconds) override;
  void Quit() override;
  std::string EditText(int index) const override;
  void SetEditText(int index, const std::string& text) override;
  void FocusEdit(int index) override;
  void SetCaption(const std::string& caption) override;
  bool Confirm(const std::string& question) override;
  void ShowMenuItem(MenuItem item, bool shown) override;
  bool StartAtLoginEnabled() const override;
  void SetStartAtLogin(bool enabled) override;

  QLabel* StaticText1 = nullptr;
  QLabel* StaticText2 = nullptr;
  QLabel* StaticText3 = nullptr;
  QLabel* StaticText4 = nullptr;
  QLabel* StaticText5 = nullptr;
  QLabel* StaticText6 = nullptr;
  QLabel* StaticText7 = nullptr;
  QLabel* StaticText8 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
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
  QAction* AddClock = nullptr;
  QAction* RemoveClock = nullptr;
  QAction* StartAtLogin = nullptr;
  QAction* LockInPlace = nullptr;
  QAction* HideOverFullScreen = nullptr;
  QAction* Close1 = nullptr;

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void CreateControls();
  void CreatePopupMenu();
  void CreateTrayMenu();
  void ConnectHandlers();
  void CreateZoneCompleter();
  SettingsSlider* Slider(int index) const;
  QCheckBox* Box(int index) const;
  void Minimised();
  void SettleCheck();

  SettingsWindowHooks hooks_;
  QtTrayIcon tray_;
  TForm2 form_;
  QWidget* client_ = nullptr;
  QMenu* trayMenu_ = nullptr;  // the menu a D-Bus tray shows itself
  QElapsedTimer shownAt_;      // since the last showing; a window manager may iconify a new window briefly
  QTimer idleRelease_;
  QTimer settleCheck_;         // looks at a minimised window once it could be the user's doing
  bool minimiseToTray_ = false;
};

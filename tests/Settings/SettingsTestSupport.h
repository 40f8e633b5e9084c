#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QTemporaryDir>

#include "Clocks/ClockData.h"
#include "FullScreen/ClockWindowControl.h"
#include "Settings/TForm2.h"
#include "model/SettingsStore.h"
#include "platform/settings/IniSettingsBackend.h"
#include "model/TickoraError.h"

// One QApplication for the whole test program, made on first use (gtest_main owns main()).
inline void EnsureApplication()
{
  static int argc = 1;
  static char name[] = "test_settings";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance())
    new QApplication(argc, argv);
}

// The clock window as the settings window sees it; records what it is told.
class FakeClock : public ClockWindowControl {
public:
  QWidget* widget() override { return nullptr; }
  void SetClientSize(int width, int height) override
  {
    calls.push_back("client " + std::to_string(width) + "x" + std::to_string(height));
  }
  void SetContextMenuHandler(std::function<void(const QPoint&)> handler) override { contextMenu = std::move(handler); }
  void SetDoubleClickHandler(std::function<void()> handler) override { doubleClick = std::move(handler); }

  std::vector<std::string>& calls;
  std::function<void(const QPoint&)> contextMenu;
  std::function<void()> doubleClick;

  explicit FakeClock(std::vector<std::string>& log) : calls(log) {}
};

// A settings window over its own data, store and fake clock, with the synthesis recorded instead of run.
struct SettingsRig {
  std::vector<std::string> log;  // in order: "client WxH", "images", "numerals", "quit", "error: ..."
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  QTemporaryDir dir;
  QString storePath = dir.path() + "/Tickora.conf";
  SettingsStore store = IniSettingsStore(storePath);
  QString autostartFile = dir.path() + "/autostart/tickora.desktop";
  FakeClock clock{log};
  QRect screen{0, 0, 1920, 1080};
  bool trayAvailable = false;
  bool failImages = false;
  std::unique_ptr<TForm2> form;

  SettingsRig() { EnsureApplication(); }

  TForm2& Create(const ClockSettings& settings, bool firstStart = false)
  {
    data->settings = settings;
    TForm2Hooks hooks;
    hooks.buildClockImages = [this](ClockData& d) {
      log.push_back("images");
      if (failImages)
        throw TickoraError("Index of the scanning line exceeded the range. (7)");
      lastImagesFaceSize = {d.faceSurface.width(), d.faceSurface.height()};
    };
    hooks.buildNumeralSprites = [this](ClockData&) { log.push_back("numerals"); };
    hooks.screenRect = [this] { return screen; };
    hooks.trayAvailable = [this] { return trayAvailable; };
    hooks.quit = [this] { log.push_back("quit"); };
    hooks.autostartFile = [this] { return autostartFile; };
    UserMessages messages;
    messages.error = [this](const QString& text) { log.push_back("error: " + text.toStdString()); };
    form = std::make_unique<TForm2>(*data, store, clock, firstStart, std::move(hooks), std::move(messages));
    return *form;
  }

  int Count(const std::string& entry) const
  {
    int n = 0;
    for (const auto& e : log)
      n += e == entry;
    return n;
  }

  QSize lastImagesFaceSize;
};

#pragma once
#include <memory>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/qt/IniSettingsBackend.h"
#include "platform/qt/SettingsWindow.h"
#include "tests/FullScreen/FakeClockShell.h"
#include "tests/qt/ShellTestSupport.h"

// A Qt settings window over its own data, INI file, autostart folder and clock window, with the
// synthesis recorded instead of run.
struct SettingsRig {
  std::vector<std::string> log;  // in order: "client WxH", "images", "numerals", "quit", "error: ..."
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  QTemporaryDir dir;
  QString storePath = dir.path() + "/Tickora.conf";
  SettingsStore store = IniSettingsStore(storePath);
  QString autostartFile = dir.path() + "/autostart/tickora.desktop";
  FakeClockShell clockShell;
  UserMessages messages{[this](const std::string& text) { log.push_back("error: " + text); }, nullptr};
  TForm1 clock{*data, store, clockShell, messages};
  bool trayAvailable = false;
  std::unique_ptr<SettingsWindow> form;

  SettingsRig()
  {
    EnsureApplication();
    clockShell.log = &log;
  }

  SettingsWindow& Create(const ClockSettings& settings, bool firstStart = false)
  {
    data->settings = settings;
    SettingsWindowHooks hooks;
    hooks.trayAvailable = [this] { return trayAvailable; };
    hooks.quit = [this] { log.push_back("quit"); };
    hooks.autostartFile = [this] { return autostartFile; };
    TForm2Hooks synthesis;
    synthesis.buildClockImages = [this](ClockData&) { log.push_back("images"); };
    synthesis.buildNumeralSprites = [this](ClockData&) { log.push_back("numerals"); };
    form = std::make_unique<SettingsWindow>(*data, store, clock, firstStart, messages, hooks, synthesis);
    return *form;
  }

  int Count(const std::string& entry) const { return CountOf(log, entry); }
};

#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/SettingsWindow.h"
#include "tests/FullScreen/FakeClockShell.h"
#include "tests/win32/Win32TestSupport.h"

// A settings window over its own data and scratch registry key, with the synthesis, the clock window,
// the menu and the end of the program recorded instead of run.
struct SettingsRig {
  std::vector<std::string> log;  // "client WxH", "images", "numerals", "menu X,Y", "quit", "error: ..."
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  ScratchKey key;
  SettingsStore store{std::make_unique<RegistrySettingsBackend>(key.path())};
  FakeClockShell clockShell;
  UserMessages messages{[this](const std::string& text) { log.push_back("error: " + text); }, nullptr};
  TForm1 clock{*data, store, clockShell, messages};
  std::deque<UINT> menuChoices;  // what the user picks each time the menu opens; none when empty
  std::string runKey = key.path() + "\\Run";  // stand in for the user's Run key and Task Manager's state
  std::string approvedKey = key.path() + "\\StartupApproved\\Run";
  std::unique_ptr<SettingsWindow> form;

  SettingsWindow& Create(const ClockSettings& settings, bool firstStart = false)
  {
    data->settings = settings;
    clockShell.log = &log;
    SettingsWindowHooks hooks;
    hooks.quit = [this] { log.push_back("quit"); };
    hooks.runKey = runKey;
    hooks.approvedKey = approvedKey;
    hooks.zoneChoices = [] {
      return std::vector<ZoneChoice>{{"Nepal Standard Time", "(UTC+05:45) Kathmandu"},
                                     {"Tokyo Standard Time", "(UTC+09:00) Osaka, Sapporo, Tokyo"}};
    };
    hooks.trackMenu = [this](HWND, HMENU, POINT at) -> UINT {
      log.push_back("menu " + std::to_string(at.x) + "," + std::to_string(at.y));
      if (menuChoices.empty())
        return 0;
      const UINT choice = menuChoices.front();
      menuChoices.pop_front();
      return choice;
    };
    TForm2Hooks synthesis;
    synthesis.buildClockImages = [this](ClockData&) { log.push_back("images"); };
    synthesis.buildNumeralSprites = [this](ClockData&) { log.push_back("numerals"); };
    form = std::make_unique<SettingsWindow>(*data, store, clock, firstStart, nullptr, messages, hooks, synthesis);
    return *form;
  }

  int Count(const std::string& entry) const { return CountOf(log, entry); }

  HWND Control(ControlKind kind, int index) const { return form->Control({kind, index}); }
  HWND TrackBar(int index) const { return Control(ControlKind::TrackBar, index); }
  HWND CheckBox(int index) const { return Control(ControlKind::CheckBox, index); }
  HWND Button(int index) const { return Control(ControlKind::Button, index); }
  bool Visible() const { return IsWindowVisible(form->handle()) != FALSE; }
};

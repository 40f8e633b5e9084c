#pragma once
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "model/TickoraError.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/TForm2.h"
#include "tests/win32/Win32TestSupport.h"

// A settings window over its own data and scratch registry key, with the synthesis, the clock window,
// the menu and the end of the program recorded instead of run.
struct SettingsRig {
  std::vector<std::string> log;  // "client WxH", "images", "numerals", "menu X,Y", "quit", "error: ..."
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  ScratchKey key;
  SettingsStore store{std::make_unique<RegistrySettingsBackend>(key.path())};
  PixelRect screen{0, 0, 1920, 1080};
  std::deque<UINT> menuChoices;  // what the user picks each time the menu opens; none when empty
  std::string runKey = key.path() + "\\Run";  // stands in for the user's Run key
  bool failImages = false;
  std::unique_ptr<TForm2> form;

  TForm2& Create(const ClockSettings& settings, bool firstStart = false, SettingsStore* otherStore = nullptr)
  {
    data->settings = settings;
    TForm2Hooks hooks;
    hooks.buildClockImages = [this](ClockData&) {
      log.push_back("images");
      if (failImages)
        throw TickoraError("Index of the scanning line exceeded the range. (7)");
    };
    hooks.buildNumeralSprites = [this](ClockData&) { log.push_back("numerals"); };
    hooks.screenRect = [this] { return screen; };
    hooks.quit = [this] { log.push_back("quit"); };
    hooks.runKey = runKey;
    hooks.trackMenu = [this](HWND, HMENU, POINT at) -> UINT {
      log.push_back("menu " + std::to_string(at.x) + "," + std::to_string(at.y));
      if (menuChoices.empty())
        return 0;
      const UINT choice = menuChoices.front();
      menuChoices.pop_front();
      return choice;
    };
    BoxMessages messages;
    messages.error = [this](const std::string& text) { log.push_back("error: " + text); };
    form = std::make_unique<TForm2>(
        *data, otherStore ? *otherStore : store,
        [this](int width, int height) { log.push_back("client " + std::to_string(width) + "x" + std::to_string(height)); },
        firstStart, nullptr, std::move(hooks), std::move(messages));
    return *form;
  }

  int Count(const std::string& entry) const
  {
    int n = 0;
    for (const auto& e : log)
      n += e == entry;
    return n;
  }

  HWND Control(ControlKind kind, int index) const { return form->Control({kind, index}); }
  HWND TrackBar(int index) const { return Control(ControlKind::TrackBar, index); }
  HWND CheckBox(int index) const { return Control(ControlKind::CheckBox, index); }
  HWND Button(int index) const { return Control(ControlKind::Button, index); }
  bool Visible() const { return IsWindowVisible(form->handle()) != FALSE; }
};

#pragma once
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Settings/SettingsControls.h"
#include "Settings/TForm2.h"
#include "model/TickoraError.h"
#include "tests/FullScreen/FakeClockShell.h"

// A window system in memory for the settings window and its tray icon; what it is asked goes to `log`
// ("menu X,Y", "quit") or stays in its fields.
class FakeSettingsShell : public SettingsWindowShell, public TrayIconShell {
public:
  explicit FakeSettingsShell(std::vector<std::string>& log) : log_(log)
  {
    for (std::size_t i = 0; i < kTrackBars.size(); ++i)
      positions[i] = kTrackBars[i].layoutPosition;
  }

  PixelRect primary{0, 0, 1920, 1080};
  std::array<int, kTrackBars.size()> positions{};
  std::array<bool, kCheckBoxes.size()> checked{};
  PixelPoint place{-1, -1};
  bool visible = false;
  std::map<MenuItem, bool> marks;
  bool startAtLogin = false;
  bool startAtLoginFails = false;
  bool trayAvailable = true;
  bool trayRefuses = false;
  bool iconShown = false;
  std::array<std::string, kLineEdits.size()> edits;
  std::string caption;
  bool confirms = true;
  std::map<MenuItem, bool> shownItems;

  PixelRect PrimaryScreen() const override { return primary; }
  int TrackBarPosition(int index) const override { return positions[static_cast<std::size_t>(index)]; }
  void SetTrackBarPosition(int index, int position) override { positions[static_cast<std::size_t>(index)] = position; }
  bool IsChecked(int index) const override { return checked[static_cast<std::size_t>(index)]; }
  void SetChecked(int index, bool on) override { checked[static_cast<std::size_t>(index)] = on; }
  void Place(PixelPoint position) override { place = position; }
  void ShowForm() override { visible = true; }
  void HideForm() override { visible = false; }
  void OpenMenu(PixelPoint at) override { log_.push_back("menu " + std::to_string(at.x) + "," + std::to_string(at.y)); }
  void MarkMenuItem(MenuItem item, bool on) override { marks[item] = on; }
  void ShowMenuItem(MenuItem item, bool shown) override { shownItems[item] = shown; }
  std::string EditText(int index) const override { return edits[static_cast<std::size_t>(index)]; }
  void SetEditText(int index, const std::string& text) override { edits[static_cast<std::size_t>(index)] = text; }
  void FocusEdit(int index) override { log_.push_back("focus " + std::to_string(index)); }
  void SetCaption(const std::string& text) override { caption = text; }
  bool Confirm(const std::string& question) override
  {
    log_.push_back("ask " + question);
    return confirms;
  }
  void StartIdleRelease(int) override {}
  void Quit() override { log_.push_back("quit"); }
  bool StartAtLoginEnabled() const override { return startAtLogin; }
  void SetStartAtLogin(bool enabled) override
  {
    if (startAtLoginFails)
      throw TickoraError("Cannot make the folder \"/x/autostart\" for starting at login");
    startAtLogin = enabled;
  }

  bool TrayAvailable() const override { return trayAvailable; }
  bool ShowTrayIcon() override { return iconShown = !trayRefuses; }
  void HideTrayIcon() override { iconShown = false; }

private:
  std::vector<std::string>& log_;
};

// A settings window over its own data, an in-memory store, a clock window and the fake window
// system, with the synthesis recorded instead of run.
struct SettingsRig {
  std::vector<std::string> log;  // in order: "client WxH", "images", "numerals", "menu X,Y", "quit", "error: ..."
  ClockRig clock;
  ClockData& data = *clock.data;
  FakeSettingsShell shell{log};
  bool failImages = false;
  std::unique_ptr<TForm1> clockForm;
  std::unique_ptr<TForm2> form;

  TForm2& Create(const ClockSettings& settings, bool firstStart = false)
  {
    data.settings = settings;
    clock.shell.log = &log;
    UserMessages messages;
    messages.error = [this](const std::string& text) { log.push_back("error: " + text); };
    clockForm = std::make_unique<TForm1>(data, *clock.store, clock.shell, messages);
    TForm2Hooks hooks;
    hooks.buildClockImages = [this](ClockData& d) {
      log.push_back("images");
      if (failImages)
        throw TickoraError("Index of the scanning line exceeded the range. (7)");
      imagesFaceSize = {d.faceSurface.width(), d.faceSurface.height()};
    };
    hooks.buildNumeralSprites = [this](ClockData&) { log.push_back("numerals"); };
    form = std::make_unique<TForm2>(data, *clock.store, *clockForm, shell, shell, messages, hooks);
    form->FormCreate(firstStart);
    return *form;
  }

  int Count(const std::string& entry) const { return CountOf(log, entry); }

  PixelSize imagesFaceSize;
};

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/StartAtLogin.h"
#include "skins/Catalogue.h"
#include "tests/win32/SettingsWindowRig.h"

namespace {
const ClockSettings kLayout{0, 5, 1, 1, 0, 0, 0, 0, 0};

// What a slider sends its window on each step the user makes.
void Scroll(HWND slider, int position)
{
  SendMessageA(slider, TBM_SETPOS, TRUE, position);
  SendMessageA(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider));
}

void TrayMessage(const SettingsRig& rig, int mouseMessage)
{
  SendMessageA(rig.form->handle(), NotifyIcon::kCallbackMessage, NotifyIcon::kId, mouseMessage);
}
}  // namespace

TEST(SettingsMessages, EachControlsNotificationReachesItsHandler)
{
  SKIP_WITHOUT_DESKTOP();
  const struct {
    const char* what;
    void (*act)(const SettingsRig&);
    std::int32_t ClockSettings::*field;
    std::int32_t value;
    std::vector<std::string> log;
  } cases[] = {
      {"TrackBar1", [](const SettingsRig& r) { Scroll(r.TrackBar(0), 10); }, &ClockSettings::sizeStep, 10, {"images"}},
      {"TrackBar2", [](const SettingsRig& r) { Scroll(r.TrackBar(1), 7); }, &ClockSettings::skin, 7,
       {"images", "numerals"}},
      {"TrackBar3", [](const SettingsRig& r) { Scroll(r.TrackBar(2), 20); }, &ClockSettings::dialStyle, 20,
       {"images", "numerals"}},
      {"TrackBar4", [](const SettingsRig& r) { Scroll(r.TrackBar(3), 25); }, &ClockSettings::transparency, 25,
       {"images"}},
      {"TrackBar5", [](const SettingsRig& r) { Scroll(r.TrackBar(4), 9); }, &ClockSettings::handWidth, 9, {}},
      {"CheckBox1", [](const SettingsRig& r) { SendMessageA(r.CheckBox(0), BM_CLICK, 0, 0); },
       &ClockSettings::showSeconds, 1, {}},
      {"CheckBox2", [](const SettingsRig& r) { SendMessageA(r.CheckBox(1), BM_CLICK, 0, 0); },
       &ClockSettings::showNumerals, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRig rig;
    rig.Create(kLayout);
    rig.log.clear();
    c.act(rig);
    EXPECT_EQ(rig.data->settings.*c.field, c.value);
    EXPECT_EQ(rig.log, c.log);
  }
}

TEST(SettingsMessages, SaveWritesTheRegistryAndCancelCloseBoxAndEscapeHideTheWindow)
{
  SKIP_WITHOUT_DESKTOP();
  {
    SettingsRig rig;
    rig.Create(kLayout, true);
    rig.data->settings.left = -12;
    SendMessageA(rig.Button(0), BM_CLICK, 0, 0);
    EXPECT_EQ(rig.key.Get("Algoritm").number, 5);
    EXPECT_EQ(rig.key.Get("Left").number, -12);
    EXPECT_TRUE(rig.Visible());
  }
  const struct {
    const char* what;
    void (*act)(const SettingsRig&);
  } cases[] = {
      {"cancel", [](const SettingsRig& r) { SendMessageA(r.Button(1), BM_CLICK, 0, 0); }},
      {"close box", [](const SettingsRig& r) { SendMessageA(r.form->handle(), WM_CLOSE, 0, 0); }},
      {"escape", [](const SettingsRig& r) { SendMessageA(r.form->handle(), WM_COMMAND, IDCANCEL, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SettingsRig rig;
    rig.Create(kLayout, true);
    c.act(rig);
    EXPECT_FALSE(rig.Visible());
    EXPECT_TRUE(IsWindow(rig.form->handle()));
    EXPECT_TRUE(rig.form->form().trayIcon().isAdded());
  }
}

TEST(SettingsMessages, TrayMessagesAreNamedAndMenuItemsReachTheirHandlers)
{
  SKIP_WITHOUT_DESKTOP();
  const struct {
    int message;
    std::deque<UINT> choices;
    bool shown, optionsMark;
    std::vector<std::string> log;
  } cases[] = {
      {WM_LBUTTONUP, {}, true, false, {}},
      {WM_LBUTTONDBLCLK, {}, true, false, {}},
      {WM_RBUTTONUP, {}, false, false, {"menu 300,200"}},
      {WM_RBUTTONUP, {SettingsWindow::kOptions}, true, true, {"menu 300,200"}},
      {WM_RBUTTONUP, {SettingsWindow::kClose1}, true, false, {"menu 300,200", "quit"}},
      {WM_LBUTTONDOWN, {}, false, false, {}},
      {WM_MOUSEMOVE, {}, false, false, {}},
      {WM_MBUTTONUP, {}, false, false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SettingsRig rig;
    SettingsWindow& form = rig.Create(kLayout);
    rig.menuChoices = c.choices;
    SetCursorPos(300, 200);
    TrayMessage(rig, c.message);
    EXPECT_EQ(rig.Visible(), c.shown);
    EXPECT_EQ((GetMenuState(form.popupMenu(), SettingsWindow::kOptions, MF_BYCOMMAND) & MF_CHECKED) != 0,
              c.optionsMark);
    EXPECT_EQ(rig.log, c.log);
  }
}

TEST(SettingsMessages, StartAtLoginWritesTheRunEntryAndTakesItAway)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  SettingsWindow& form = rig.Create(kLayout);
  const auto marked = [&] {
    return (GetMenuState(form.popupMenu(), SettingsWindow::kStartAtLogin, MF_BYCOMMAND) & MF_CHECKED) != 0;
  };
  const auto stored = [&]() -> std::string {
    char value[MAX_PATH + 3] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CURRENT_USER, rig.runKey.c_str(), "Tickora", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
      return "(none)";
    return value;
  };
  // The program's own path, quoted: a path with blanks is one command.
  const std::string program = StartAtLoginEntry(StartAtLoginEntry::ThisProgram()).CommandLine();
  ASSERT_EQ(program.substr(1, program.size() - 2), StartAtLoginEntry::ThisProgram());
  ASSERT_EQ(program.front(), '"');
  ASSERT_EQ(program.back(), '"');
  const struct { UINT choice; std::string entry; bool markAfter; } steps[] = {
      {0, "(none)", false},
      {SettingsWindow::kStartAtLogin, program, true},
      {0, program, true},
      {SettingsWindow::kStartAtLogin, "(none)", false},
  };
  for (const auto& step : steps) {
    rig.menuChoices = {step.choice};
    TrayMessage(rig, WM_RBUTTONUP);
    EXPECT_EQ(stored(), step.entry) << step.choice;
    EXPECT_EQ(marked(), step.markAfter) << step.choice;
  }
  for (const std::string& entry : rig.log)
    EXPECT_NE(entry.rfind("error", 0), 0u) << entry;
}

TEST(SettingsMessages, SynthesisCachesGoOnceTheSlidersRest)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.Create(kLayout);
  rig.data->pictures.Get(FaceImageName(3));
  Scroll(rig.TrackBar(1), 3);
  PumpMessages(1000);
  rig.data->pictures.Get(FaceImageName(3));
  EXPECT_EQ(rig.data->pictures.jpegDecodeCount(), 1);  // still kept while the sliders move
  PumpMessages(1500);
  rig.data->pictures.Get(FaceImageName(3));
  EXPECT_EQ(rig.data->pictures.jpegDecodeCount(), 2);
}

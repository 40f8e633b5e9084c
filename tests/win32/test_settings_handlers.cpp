#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

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
  SendMessageA(rig.form->handle(), WM_USER + 1, NotifyIcon::kId, mouseMessage);
}

std::wstring WideTextOf(HWND window)
{
  wchar_t text[256] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

std::vector<std::string> MenuTexts(HMENU menu)
{
  std::vector<std::string> texts;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    texts.push_back(text);
  }
  return texts;
}
}  // namespace

TEST(SettingsHandlers, EachScrollSetsItsValueAndRerunsItsPartOfTheSynthesis)
{
  SKIP_WITHOUT_DESKTOP();
  const struct {
    int slider, position;
    std::int32_t ClockSettings::*field;
    std::vector<std::string> log;
  } cases[] = {
      {0, 10, &ClockSettings::sizeStep, {"client 101x101", "images"}},
      {0, 0, &ClockSettings::sizeStep, {"client 71x71", "images"}},  // also when the position stays
      {1, 7, &ClockSettings::skin, {"images", "numerals"}},
      {2, 20, &ClockSettings::dialStyle, {"images", "numerals"}},
      {3, 25, &ClockSettings::transparency, {"images"}},
      {4, 9, &ClockSettings::handWidth, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.slider);
    SettingsRig rig;
    rig.Create(kLayout);
    rig.log.clear();
    Scroll(rig.TrackBar(c.slider), c.position);
    EXPECT_EQ(rig.data->settings.*c.field, c.position);
    EXPECT_EQ(rig.log, c.log);
  }
}

TEST(SettingsHandlers, CheckBoxesFlipTheirFlags)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.Create(kLayout);
  const struct {
    HWND box;
    std::int32_t ClockSettings::*field;
  } cases[] = {{rig.CheckBox(0), &ClockSettings::showSeconds}, {rig.CheckBox(1), &ClockSettings::showNumerals}};
  for (const auto& c : cases) {
    SendMessageA(c.box, BM_CLICK, 0, 0);
    EXPECT_EQ(rig.data->settings.*c.field, 1);
    SendMessageA(c.box, BM_CLICK, 0, 0);
    EXPECT_EQ(rig.data->settings.*c.field, 0);
  }
  EXPECT_TRUE(rig.log.empty());
}

TEST(SettingsHandlers, SaveWritesAllNineValuesAndKeepsTheWindowOpen)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.Create(kLayout, true);
  rig.data->settings.left = -12;
  rig.data->settings.top = 34;
  SendMessageA(rig.Button(0), BM_CLICK, 0, 0);
  EXPECT_EQ(rig.key.Get("Size").number, 0);
  EXPECT_EQ(rig.key.Get("Algoritm").number, 5);
  EXPECT_EQ(rig.key.Get("Left").number, -12);
  EXPECT_EQ(rig.key.Get("Top").number, 34);
  EXPECT_TRUE(rig.Visible());
  EXPECT_TRUE(rig.form->form().trayIcon().isAdded());
}

TEST(SettingsHandlers, CancelCloseBoxAndEscapeHideTheWindowToTheTray)
{
  SKIP_WITHOUT_DESKTOP();
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
    TrayMessage(rig, 514);  // shown, the icon gone
    ASSERT_FALSE(rig.form->form().trayIcon().isAdded());
    c.act(rig);
    EXPECT_FALSE(rig.Visible());
    EXPECT_TRUE(IsWindow(rig.form->handle()));
    EXPECT_TRUE(rig.form->form().trayIcon().isAdded());
  }
}

TEST(SettingsHandlers, TrayMessagesShowTheWindowOpenTheMenuOrDoNothing)
{
  SKIP_WITHOUT_DESKTOP();
  const struct {
    int message;
    bool shown, iconAdded, menuOpened;
  } cases[] = {
      {514, true, false, false}, {515, true, false, false}, {517, false, true, true},
      {513, false, true, false}, {512, false, true, false}, {520, false, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    SettingsRig rig;
    rig.Create(kLayout);
    SetCursorPos(300, 200);
    TrayMessage(rig, c.message);
    EXPECT_EQ(rig.Visible(), c.shown);
    EXPECT_EQ(rig.form->form().trayIcon().isAdded(), c.iconAdded);
    EXPECT_EQ(rig.Count("menu 300,200"), c.menuOpened ? 1 : 0);
  }
}

TEST(SettingsHandlers, MenuItemsFlipTheirMarksAndCloseEndsTheProgram)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  SettingsWindow& form = rig.Create(kLayout);
  const auto marked = [&] { return (GetMenuState(form.popupMenu(), SettingsWindow::kOptions, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  EXPECT_FALSE(marked());
  rig.menuChoices = {SettingsWindow::kOptions, SettingsWindow::kOptions};
  TrayMessage(rig, 517);
  EXPECT_TRUE(marked());
  EXPECT_TRUE(rig.Visible());
  EXPECT_FALSE(form.form().trayIcon().isAdded());
  TrayMessage(rig, 517);
  EXPECT_FALSE(marked());
  EXPECT_EQ(rig.Count("quit"), 0);

  // The two choices, each marked as it now stands.
  const auto checked = [&](UINT id) { return (GetMenuState(form.popupMenu(), id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  rig.menuChoices = {SettingsWindow::kLockInPlace, SettingsWindow::kHideOverFullScreen};
  TrayMessage(rig, 517);
  TrayMessage(rig, 517);
  EXPECT_TRUE(checked(SettingsWindow::kLockInPlace) && rig.clockShell.clickThrough);
  EXPECT_FALSE(checked(SettingsWindow::kHideOverFullScreen));

  // Without a set of clocks the menu has no clock items; shown, each comes back in its place.
  const std::vector<std::string> fixed = {"Settings", "Start at login", "Lock in place", "Hide over full-screen windows",
                                          "Close"};
  EXPECT_EQ(MenuTexts(form.popupMenu()), fixed);
  form.ShowMenuItem(MenuItem::RemoveClock, true);
  form.ShowMenuItem(MenuItem::AddClock, true);
  form.ShowMenuItem(MenuItem::AddClock, true);
  EXPECT_EQ(MenuTexts(form.popupMenu()),
            (std::vector<std::string>{"Settings", "Add clock", "Remove this clock", "Start at login", "Lock in place",
                                      "Hide over full-screen windows", "Close"}));
  TrayMessage(rig, 517);
  EXPECT_EQ(MenuTexts(form.popupMenu()), fixed);

  SendMessageA(form.Control({ControlKind::Button, 1}), BM_CLICK, 0, 0);
  rig.menuChoices = {SettingsWindow::kClose1};
  TrayMessage(rig, 517);
  EXPECT_EQ(rig.Count("quit"), 1);
  EXPECT_TRUE(rig.Visible());
  EXPECT_FALSE(form.form().trayIcon().isAdded());
}

TEST(SettingsHandlers, StartAtLoginWritesTheRunEntryTakesItAwayAndFollowsTaskManager)
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
  // Task Manager's state for the entry: its first byte, -1 for none.
  const auto state = [&] {
    BYTE value[12] = {};
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, rig.approvedKey.c_str(), "Tickora", RRF_RT_REG_BINARY, nullptr, value,
                        &size) == ERROR_SUCCESS ? int{value[0]} : -1;
  };
  // As Task Manager's Startup tab switches an entry off: 03, then the time it did.
  const BYTE off[12] = {3, 0, 0, 0, 0xD4, 0x0D, 0x43, 0x8D, 0xC8, 0x3B, 0xD9, 0x01};
  // The program's own path, quoted: a path with blanks is one command.
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string program = '"' + std::string(self) + '"';
  const struct { bool switchOff; UINT choice; std::string entry; int state; bool markAfter; } steps[] = {
      {false, 0, "(none)", -1, false},
      {false, SettingsWindow::kStartAtLogin, program, -1, true},
      {false, 0, program, -1, true},
      {true, 0, program, 3, false},
      {false, SettingsWindow::kStartAtLogin, program, 2, true},
      {false, SettingsWindow::kStartAtLogin, "(none)", -1, false},
      {true, SettingsWindow::kStartAtLogin, program, 2, true},
  };
  for (const auto& step : steps) {
    if (step.switchOff)
      RegSetKeyValueA(HKEY_CURRENT_USER, rig.approvedKey.c_str(), "Tickora", REG_BINARY, off, sizeof off);
    rig.menuChoices = {step.choice};
    TrayMessage(rig, 517);
    EXPECT_EQ(stored(), step.entry) << step.choice;
    EXPECT_EQ(state(), step.state) << step.choice;
    rig.menuChoices = {0u};
    TrayMessage(rig, 517);  // the mark, read as the menu opens
    EXPECT_EQ(marked(), step.markAfter) << step.choice;
  }
  for (const std::string& entry : rig.log)
    EXPECT_NE(entry.rfind("error", 0), 0u) << entry;
}

TEST(SettingsHandlers, SynthesisCachesGoOnceTheSlidersRest)
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

TEST(SettingsHandlers, TheZoneIsChosenFromTheListAndAStoredOneTheSystemLacksIsKept)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.data->zone = {"Gone Standard Time", ""};
  SettingsWindow& form = rig.Create(kLayout);
  HWND zones = rig.Control(ControlKind::LineEdit, kZoneEdit);
  // "Local time", the system's two, and the stored one under its own name, chosen.
  EXPECT_EQ(SendMessageW(zones, CB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessageW(zones, CB_GETCURSEL, 0, 0), 3);
  const struct {
    int item;
    const char* zone;
  } cases[] = {{1, "Nepal Standard Time"}, {0, ""}, {3, "Gone Standard Time"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    SendMessageW(zones, CB_SETCURSEL, static_cast<WPARAM>(c.item), 0);
    SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(zones), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(zones));
    EXPECT_EQ(rig.data->zone.zone, c.zone);
  }
  form.SetEditText(kZoneEdit, "Tokyo Standard Time");
  EXPECT_EQ(SendMessageW(zones, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageW(zones, CB_GETCOUNT, 0, 0), 4);
}

TEST(SettingsHandlers, TheLabelFollowsTheUsersTypingOnlyAndNamesTheClockInTheCaption)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.data->number = 2;
  SettingsWindow& form = rig.Create(kLayout);
  HWND label = rig.Control(ControlKind::LineEdit, kLabelEdit);
  form.SetEditText(kLabelEdit, "Bern");
  EXPECT_EQ(rig.data->zone.label, "");
  // What the user types arrives as the field's change.
  SetWindowTextW(label, L" Z\u00fcrich\t");
  EXPECT_EQ(rig.data->zone.label, "Z\xC3\xBCrich");
  EXPECT_EQ(WideTextOf(form.handle()), L"Tickora Settings: clock 2, Z\u00fcrich");
}

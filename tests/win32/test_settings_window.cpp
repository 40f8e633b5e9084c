#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/Screens.h"
#include "tests/win32/SettingsWindowRig.h"

namespace {
// The settings that leave every slider where the layout puts it.
const ClockSettings kLayout{0, 5, 1, 1, 0, 0, 0, 0, 0};

PixelRect ClientRectOf(HWND control)
{
  RECT rect = {};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

std::string TextOf(HWND window)
{
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window)
{
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

void ExpectFont(HWND control, bool bold)
{
  LOGFONTA font = {};
  ASSERT_NE(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font), 0);
  EXPECT_STREQ(font.lfFaceName, "Arial");
  EXPECT_EQ(font.lfHeight, -13);
  EXPECT_EQ(font.lfWeight, bold ? FW_BOLD : FW_NORMAL);
}

LONG_PTR StyleOf(HWND window)
{
  return GetWindowLongPtrA(window, GWL_STYLE);
}
}  // namespace

TEST(SettingsWindow, ControlsStandWhereTheTableSaysWithTheirCaptionsAndFonts)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.Create(kLayout);
  for (int i = 0; i < static_cast<int>(kStaticTexts.size()); ++i) {
    const StaticTextRow& row = kStaticTexts[static_cast<std::size_t>(i)];
    SCOPED_TRACE(row.name);
    HWND control = rig.Control(ControlKind::StaticText, i);
    EXPECT_EQ(ClassOf(control), "Static");
    EXPECT_EQ(ClientRectOf(control), row.rect);
    EXPECT_EQ(TextOf(control), row.caption);
    ExpectFont(control, row.bold);
  }
  for (int i = 0; i < static_cast<int>(kTrackBars.size()); ++i) {
    const TrackBarRow& row = kTrackBars[static_cast<std::size_t>(i)];
    SCOPED_TRACE(row.name);
    HWND slider = rig.TrackBar(i);
    EXPECT_EQ(ClassOf(slider), TRACKBAR_CLASSA);
    EXPECT_EQ(ClientRectOf(slider), row.rect);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), row.minimum);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), row.maximum);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPOS, 0, 0), row.layoutPosition);
    EXPECT_EQ(SendMessageA(slider, TBM_GETLINESIZE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(slider, TBM_GETPAGESIZE, 0, 0), 2);
    // Horizontal, ticks below the track at every value.
    EXPECT_EQ(StyleOf(slider) & (TBS_VERT | TBS_TOP | TBS_NOTICKS | TBS_AUTOTICKS), TBS_AUTOTICKS);
    EXPECT_EQ(SendMessageA(slider, TBM_GETNUMTICS, 0, 0), row.maximum - row.minimum + 1);
  }
  for (int i = 0; i < static_cast<int>(kCheckBoxes.size()); ++i) {
    const CheckBoxRow& row = kCheckBoxes[static_cast<std::size_t>(i)];
    SCOPED_TRACE(row.name);
    HWND box = rig.CheckBox(i);
    EXPECT_EQ(StyleOf(box) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(ClientRectOf(box), row.rect);
    EXPECT_EQ(TextOf(box), row.caption);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ExpectFont(box, true);
  }
  for (int i = 0; i < static_cast<int>(kButtons.size()); ++i) {
    const ButtonRow& row = kButtons[static_cast<std::size_t>(i)];
    SCOPED_TRACE(row.name);
    HWND button = rig.Button(i);
    EXPECT_EQ(StyleOf(button) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(ClientRectOf(button), row.rect);
    EXPECT_EQ(TextOf(button), row.caption);
    ExpectFont(button, true);
  }
  // The zone's closed drop-down list fills its row as the label's field does.
  const char* const classes[] = {"ComboBox", "Edit"};
  for (int i = 0; i < static_cast<int>(kLineEdits.size()); ++i) {
    const LineEditRow& row = kLineEdits[static_cast<std::size_t>(i)];
    SCOPED_TRACE(row.name);
    HWND field = rig.Control(ControlKind::LineEdit, i);
    EXPECT_EQ(ClassOf(field), classes[i]);
    EXPECT_EQ(ClientRectOf(field), row.rect);
    ExpectFont(field, false);
  }
}

TEST(SettingsWindow, FixedFrameWithACloseBoxAndNoTaskbarButton)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  HWND window = rig.Create(kLayout).handle();
  EXPECT_EQ(ClassOf(window), "TForm2");
  EXPECT_EQ(TextOf(window), "Tickora Settings");
  RECT client = {};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 380);
  EXPECT_EQ(client.bottom, 263);
  const LONG_PTR style = StyleOf(window);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  // Owned by a hidden window: no taskbar button, shown or not.
  HWND owner = GetWindow(window, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));
  EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_ACTIVEBORDER + 1));
}

TEST(SettingsWindow, TabOrderRunsFromTheButtonsThroughTheSlidersToTheFields)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  HWND window = rig.Create(kLayout).handle();
  const HWND expected[] = {rig.Button(0),   rig.Button(1),   rig.TrackBar(0), rig.TrackBar(1), rig.TrackBar(2),
                           rig.TrackBar(3), rig.CheckBox(0), rig.TrackBar(4), rig.CheckBox(1),
                           rig.Control(ControlKind::LineEdit, 0), rig.Control(ControlKind::LineEdit, 1), rig.Button(0)};
  HWND at = expected[0];
  for (std::size_t i = 1; i < std::size(expected); ++i) {
    at = GetNextDlgTabItem(window, at, FALSE);
    EXPECT_EQ(at, expected[i]) << "stop " << i;
  }
}

TEST(SettingsWindow, PointingHandOverTheControlsThatAskForIt)
{
  SKIP_WITHOUT_DESKTOP();
  SettingsRig rig;
  rig.Create(kLayout);
  const HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
  const struct {
    HWND control;
    bool hand;
  } cases[] = {
      {rig.Button(0), true},    {rig.Button(1), true},    {rig.TrackBar(0), true},
      {rig.TrackBar(1), true},  {rig.TrackBar(2), true},  {rig.TrackBar(3), true},
      {rig.CheckBox(0), true},  {rig.TrackBar(4), false}, {rig.CheckBox(1), false},
      {rig.Control(ControlKind::StaticText, 1), false},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SetCursor(nullptr);
    // What the system sends the control under the pointer.
    SendMessageA(cases[i].control, WM_SETCURSOR, reinterpret_cast<WPARAM>(cases[i].control),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == hand, cases[i].hand) << "case " << i;
  }
}

TEST(SettingsWindow, PlacedAtTheBottomCentreAndShownOnlyAtTheFirstStart)
{
  SKIP_WITHOUT_DESKTOP();
  for (const bool firstStart : {false, true}) {
    SCOPED_TRACE(firstStart);
    SettingsRig rig;
    HWND window = rig.Create(kLayout, firstStart).handle();
    EXPECT_EQ(rig.Visible(), firstStart);
    EXPECT_TRUE(rig.form->form().trayIcon().isAdded());
    rig.form->form().OptionsClick();  // placed when shown
    // At 96 DPI: the 380-pixel client centred across the primary monitor, the frame's top 263 + 100
    // pixels above its bottom.
    RECT frame = {};
    GetWindowRect(window, &frame);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ((PixelSize{client.right, client.bottom}), (PixelSize{380, 263}));
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ((PixelPoint{frame.left, frame.top}), (PixelPoint{width / 2 - 190, height - 363}));
    if (width == 1024 && height == 768) {  // Wine's desktop without a display
      EXPECT_EQ((PixelPoint{frame.left, frame.top}), (PixelPoint{322, 405}));
    }
  }
}

// At 96 to 192 DPI the controls and their fonts grow together; font hinting at the device size must
// still leave every caption room in its control (a check box's text stands beside its box).
TEST(SettingsWindow, EveryCaptionIsWholeAt96To192Dpi)
{
  struct Caption {
    const char* caption;
    PixelRect rect;
    bool bold;
    int beside;  // logical pixels the control keeps for itself: a check box's box, a button's edges
  };
  std::vector<Caption> captions;
  for (const StaticTextRow& row : kStaticTexts)
    captions.push_back({row.caption, row.rect, row.bold, 0});
  for (const ClickableRow& row : kCheckBoxes)
    captions.push_back({row.caption, row.rect, true, 13 + 4});
  for (const ClickableRow& row : kButtons)
    captions.push_back({row.caption, row.rect, true, 2 * 3});
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  for (const int dpi : {96, 120, 144, 192}) {
    const long double scale = dpi / 96.0L;
    for (const Caption& c : captions) {
      HFONT font = CreateFontA(-SettingsWindow::ControlFontHeight(scale), 0, 0, 0, c.bold ? FW_BOLD : FW_NORMAL, FALSE,
                               FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, kControlFontFamily);
      const HGDIOBJ old = SelectObject(dc, font);
      SIZE text = {};
      GetTextExtentPoint32A(dc, c.caption, static_cast<int>(std::strlen(c.caption)), &text);
      SelectObject(dc, old);
      DeleteObject(font);
      EXPECT_LE(text.cx, ToDevice(c.rect.width, scale) - ToDevice(c.beside, scale)) << c.caption << " at " << dpi;
    }
  }
  DeleteDC(dc);
}

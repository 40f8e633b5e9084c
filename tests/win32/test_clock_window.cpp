#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "FullScreen/ClockSet.h"
#include "model/SettingsStore.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/Screens.h"
#include "platform/win32/ClockWindow.h"
#include "platform/win32/ForegroundWatch.h"
#include "platform/win32/MessageBoxes.h"
#include "tests/win32/Win32TestSupport.h"

namespace {
const auto kNoKey = reinterpret_cast<HKEY>(ULONG_PTR{0x7FFF1234});  // nothing can be written under it

// A clock window over its own data and scratch key; what it tells the user is recorded.
struct ClockRig {
  ScratchKey key;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  std::vector<std::string> log;
  std::unique_ptr<ClockWindow> form;

  // Stores `stored` first, if given.
  ClockWindow& Create(std::optional<ClockSettings> stored, HKEY root = HKEY_CURRENT_USER,
                      ClockMove move = ClockMove::System)
  {
    store = std::make_unique<SettingsStore>(std::make_unique<RegistrySettingsBackend>(key.path(), root));
    if (stored)
      store->SaveSettings(*stored);
    UserMessages messages;
    messages.error = [this](const std::string& text) { log.push_back("error: " + text); };
    messages.notice = [this](const std::string& text) { log.push_back("notice: " + text); };
    form = std::make_unique<ClockWindow>(*data, *store, nullptr, std::move(messages), move);
    return *form;
  }

  PixelRect Rect() const { return WindowRect(form->handle()); }
  void MoveTo(int left, int top) const
  {
    SetWindowPos(form->handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
};

ClockSettings At(int left, int top)
{
  ClockSettings settings;
  settings.left = left;
  settings.top = top;
  return settings;
}
}  // namespace

TEST(ClockWindow, ABorderlessTopMostLayeredToolWindowOfTheClocksSizeAtItsStoredPlace)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  ClockWindow& form = rig.Create(At(100, 120));
  HWND window = form.handle();
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  EXPECT_STREQ(name, "TForm1");
  char text[32] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ(text, "Tickora");
  EXPECT_EQ(GetWindowLongPtrA(window, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME), WS_POPUP);
  const LONG_PTR expected = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & (expected | WS_EX_APPWINDOW), expected);
  EXPECT_TRUE(IsWindowVisible(window));
  // The first frame is presented with the window: D x D for size step 32.
  EXPECT_EQ(rig.Rect(), (PixelRect{100, 120, 166, 166}));
  EXPECT_EQ(form.form().presentedCount(), 1);
  EXPECT_EQ(form.form().interval(), kSecondInterval);
  EXPECT_TRUE(rig.log.empty());
}

TEST(ClockWindow, AFailedLoadIsShownOnceTheWindowIsUpAndTheClockRunsOnWhatWasRead)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  rig.key.SetDword("Size", 10);
  rig.key.SetDword("Algoritm", 3);
  ClockWindow& form = rig.Create(std::nullopt);
  EXPECT_TRUE(rig.log.empty());
  PumpMessages();
  EXPECT_EQ(rig.log, std::vector<std::string>{"error: Failed to get data for 'Clock_F'"});
  EXPECT_EQ(rig.data->settings.sizeStep, 10);
  EXPECT_EQ(rig.data->settings.dialStyle, ClockSettings{}.dialStyle);
  EXPECT_EQ(form.form().presentedCount(), 1);
  EXPECT_EQ(rig.Rect().width, 100);
}

// The window's own reports tell the clock where it is: a tick's move, and the user's drop.
TEST(ClockWindow, TicksMoveTheWindowAndItsReportedPlaceIsStored)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  ClockWindow& form = rig.Create(At(3, 100));
  form.form().TimerTimer();
  EXPECT_EQ(rig.Rect().x, 5);
  EXPECT_EQ(rig.key.Get("Left").number, 5);
  EXPECT_EQ(form.form().interval(), 40);
  // The user's move, as the system's own drag reports it.
  SendMessageA(form.handle(), WM_ENTERSIZEMOVE, 0, 0);
  rig.MoveTo(300, 200);
  SendMessageA(form.handle(), WM_EXITSIZEMOVE, 0, 0);
  form.form().TimerTimer();
  EXPECT_EQ(rig.key.Get("Left").number, 300);
  EXPECT_EQ(rig.key.Get("Top").number, 200);
  EXPECT_EQ(form.form().interval(), kSecondInterval);
}

// A box would end the drag where it is: it comes when the system's move ends.
TEST(ClockWindow, APlaceThatCannotBeStoredIsNotToldDuringADrag)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  ClockWindow& form = rig.Create(std::nullopt, kNoKey);  // a first start that could store nothing
  SendMessageA(form.handle(), WM_ENTERSIZEMOVE, 0, 0);
  rig.MoveTo(150, 100);
  form.form().TimerTimer();
  PumpMessages();
  EXPECT_TRUE(rig.log.empty());
  SendMessageA(form.handle(), WM_EXITSIZEMOVE, 0, 0);
  PumpMessages();
  EXPECT_EQ(rig.log, std::vector<std::string>{"error: Failed to set data for 'Left'"});
}

TEST(ClockWindow, DraggedAnywhereAndClosedLikeTheMenusClose)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  ClockWindow& form = rig.Create(At(200, 100));
  EXPECT_EQ(SendMessageA(form.handle(), WM_NCHITTEST, 0, MAKELPARAM(283, 183)), HTCAPTION);
  EXPECT_EQ(SendMessageA(form.handle(), WM_NCHITTEST, 0, MAKELPARAM(201, 101)), HTCAPTION);

  // Where the clock moves itself, a press is the clock's and the window follows the pointer.
  ClockRig self;
  ClockWindow& follower = self.Create(At(300, 200), HKEY_CURRENT_USER, ClockMove::Self);
  EXPECT_EQ(SendMessageA(follower.handle(), WM_NCHITTEST, 0, MAKELPARAM(383, 283)), HTCLIENT);
  SetCursorPos(383, 283);
  SendMessageA(follower.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(83, 83));
  SetCursorPos(413, 303);
  SendMessageA(follower.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(83, 83));
  EXPECT_EQ(self.Rect().topLeft(), (PixelPoint{330, 220}));
  // The drop is where the button came up, wherever the pointer is by the time the clock hears of it.
  SendMessageA(follower.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(83, 83));
  SetCursorPos(463, 343);
  SendMessageA(follower.handle(), WM_LBUTTONUP, 0, MAKELPARAM(103, 93));
  EXPECT_EQ(self.Rect().topLeft(), (PixelPoint{350, 230}));

  // With the buttons swapped the press that drags is the physical right button's, and the clock
  // follows it until that button is up.
  ClockRig swapped;
  ClockWindow& mirrored = swapped.Create(At(300, 200), HKEY_CURRENT_USER, ClockMove::Self);
  const BOOL wasSwapped = SwapMouseButton(TRUE);
  const auto physicalRight = [](DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
  };
  SetCursorPos(383, 283);
  physicalRight(MOUSEEVENTF_RIGHTDOWN);
  SendMessageA(mirrored.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(83, 83));
  PumpMessages(100);
  SetCursorPos(403, 293);
  PumpMessages(100);
  EXPECT_EQ(swapped.Rect().topLeft(), (PixelPoint{320, 210}));
  physicalRight(MOUSEEVENTF_RIGHTUP);
  PumpMessages(100);
  SetCursorPos(423, 303);
  PumpMessages(100);
  EXPECT_EQ(swapped.Rect().topLeft(), (PixelPoint{320, 210}));
  SwapMouseButton(wasSwapped);

  // Right and double clicks go to whoever listens (the settings window, while no tray icon shows).
  std::vector<std::string> clicks;
  form.form().SetContextMenuHandler([&](PixelPoint) { clicks.push_back("menu"); });
  form.form().SetDoubleClickHandler([&] { clicks.push_back("double"); });
  SendMessageA(form.handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(283, 183));
  SendMessageA(form.handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(283, 183));
  SendMessageA(follower.handle(), WM_RBUTTONUP, 0, MAKELPARAM(83, 83));
  EXPECT_EQ(clicks, (std::vector<std::string>{"menu", "double"}));
  EXPECT_TRUE(IsWindowVisible(form.handle()));  // no maximise, no system menu

  SendMessageA(form.handle(), WM_CLOSE, 0, 0);
  MSG quit = {};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
  EXPECT_TRUE(IsWindowVisible(form.handle()));  // the program ends it on its way out
}

// Windows suggests a rectangle for a window that has moved to a monitor of another density. The
// clock takes it while the user drags it (it stays under the pointer); otherwise it places itself.
TEST(ClockWindow, TheSuggestedRectangleOfADensityChangeIsTakenWhileTheUserDrags)
{
  SKIP_WITHOUT_DESKTOP();
  constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
  ClockRig rig;
  ClockWindow& form = rig.Create(At(200, 100));
  RECT suggested = {300, 150, 300 + 249, 150 + 249};
  SendMessageA(form.handle(), kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(rig.Rect().topLeft(), (PixelPoint{200, 100}));
  SendMessageA(form.handle(), WM_ENTERSIZEMOVE, 0, 0);
  SendMessageA(form.handle(), kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(rig.Rect().topLeft(), (PixelPoint{300, 150}));
  EXPECT_EQ(form.form().position(), (PixelPoint{300, 150}));
  SendMessageA(form.handle(), WM_EXITSIZEMOVE, 0, 0);
}

TEST(ClockWindow, ANewSizeTakesEffectWithTheNextFrame)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  ClockWindow& form = rig.Create(At(200, 100));
  // What the size slider does: the size step, the client size, the synthesis; the tick draws.
  rig.data->settings.sizeStep = 10;
  const std::int32_t clientSize = ApplySizeStep(*rig.data);
  form.form().SetClientSize(clientSize, clientSize);
  EXPECT_EQ(rig.Rect(), (PixelRect{200, 100, 101, 101}));
  BuildClockImages(*rig.data);
  form.form().Draw();
  EXPECT_EQ(rig.Rect(), (PixelRect{200, 100, 100, 100}));
  EXPECT_EQ(form.form().presentedCount(), 2);
}

// A clock removed from its own menu, whose handler then runs a box's loop, goes once the handler returns.
TEST(ClockWindow, AClockRemovedInsideItsOwnHandlerGoesOnceTheHandlerReturns)
{
  SKIP_WITHOUT_DESKTOP();
  ScratchKey key;
  SettingsStore store(std::make_unique<RegistrySettingsBackend>(key.path()));
  TickTimer ticks;
  HWND window = nullptr;
  const auto open = [&](ClockData& data, ClockCompany& company) -> std::unique_ptr<ClockHost> {
    auto clock = std::make_unique<ClockWindow>(data, store, nullptr, UserMessages{}, ClockMove::System, &company);
    window = clock->handle();
    return std::make_unique<ClockHostOf<ClockWindow>>(std::move(clock));
  };
  ClockSet clocks(store, ticks.schedule(), nullptr, open, ClockSetLater(ticks), {});
  clocks.Start();
  TForm1* second = clocks.Add(clocks.first());
  bool thereInItsHandler = false;
  second->SetContextMenuHandler([&](PixelPoint) {
    clocks.Remove(*second);
    PumpMessages();
    thereInItsHandler = IsWindow(window) != FALSE;
  });
  SendMessageA(window, WM_RBUTTONUP, 0, 0);
  EXPECT_TRUE(thereInItsHandler);
  EXPECT_FALSE(IsWindow(window));
}

// One foreground window after another, as a watch sees them; the notification state is scripted and
// asked only where it counts.
TEST(ForegroundWatch, FullScreenByTheWindowOrByTheSystemsStateOnlyWhereItCoversItsMonitor)
{
  const HWND game = reinterpret_cast<HWND>(ULONG_PTR{0x10}), editor = reinterpret_cast<HWND>(ULONG_PTR{0x20});
  const PixelRect monitor{0, 0, 1920, 1080}, framed{-8, -8, 1936, 1096}, small{100, 100, 800, 600};
  constexpr LONG_PTR kPopup = WS_POPUP | WS_VISIBLE, kFramed = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  const struct {
    const char* what;
    ForegroundWindow window;
    bool exclusive;  // what the system would answer now
    bool fullScreen;
    int asked;       // how often the state has been asked by then
  } steps[] = {
      {"a borderless window covering the monitor", {game, monitor, monitor, kPopup, "Game"}, false, true, 0},
      {"the desktop", {game, monitor, monitor, kPopup, "Progman"}, false, false, 0},
      {"a framed game in exclusive full screen", {game, framed, monitor, kFramed, "Game"}, true, true, 1},
      {"the same window at the next tick", {game, framed, monitor, kFramed, "Game"}, false, true, 1},
      {"switched to a window", {game, small, monitor, kFramed, "Game"}, false, false, 1},
      {"maximised, no longer exclusive", {game, framed, monitor, kFramed | WS_MAXIMIZE, "Game"}, false, false, 2},
      {"a presentation behind a small window", {editor, small, monitor, kFramed, "Editor"}, true, false, 2},
  };
  int asked = 0;
  bool exclusive = false;
  ForegroundWatch watch([&] { ++asked; return exclusive; });
  for (const auto& step : steps) {
    exclusive = step.exclusive;
    EXPECT_EQ(watch.Judge(step.window), step.fullScreen ? std::optional(step.window.monitor) : std::nullopt)
        << step.what;
    EXPECT_EQ(asked, step.asked) << step.what;
  }
}

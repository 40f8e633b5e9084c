#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Clocks/BuildClockImages.h"
#include "Clocks/ClockData.h"
#include "model/SettingsStore.h"
#include "platform/win32/RegistrySettingsBackend.h"
#include "platform/win32/Screens.h"
#include "platform/win32/TForm1.h"
#include "tests/win32/Win32TestSupport.h"

namespace {
const auto kNoKey = reinterpret_cast<HKEY>(ULONG_PTR{0x7FFF1234});  // nothing can be written under it

// A clock window over its own data and scratch key; what it tells the user is recorded.
struct ClockRig {
  ScratchKey key;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<ClockData> data = std::make_unique<ClockData>();
  std::vector<std::string> log;
  std::unique_ptr<TForm1> form;

  // Stores `stored` first, if given.
  TForm1& Create(std::optional<ClockSettings> stored, HKEY root = HKEY_CURRENT_USER, ClockMove move = ClockMove::System)
  {
    store = std::make_unique<SettingsStore>(std::make_unique<RegistrySettingsBackend>(key.path(), root));
    if (stored)
      store->SaveSettings(*stored);
    BoxMessages messages;
    messages.error = [this](const std::string& text) { log.push_back("error: " + text); };
    messages.notice = [this](const std::string& text) { log.push_back("notice: " + text); };
    form = std::make_unique<TForm1>(*data, *store, nullptr, std::move(messages), move);
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
  TForm1& form = rig.Create(At(100, 120));
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
  EXPECT_EQ(form.presentedCount(), 1);
  EXPECT_EQ(form.interval(), 500);
  EXPECT_TRUE(rig.log.empty());
}

TEST(ClockWindow, AFailedLoadIsShownOnceTheWindowIsUpAndTheClockRunsOnWhatWasRead)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  rig.key.SetDword("Size", 10);
  rig.key.SetDword("Algoritm", 3);
  TForm1& form = rig.Create(std::nullopt);
  EXPECT_TRUE(rig.log.empty());
  PumpMessages();
  EXPECT_EQ(rig.log, std::vector<std::string>{"error: Failed to get data for 'Clock_F'"});
  EXPECT_EQ(rig.data->settings.sizeStep, 10);
  EXPECT_EQ(rig.data->settings.dialStyle, ClockSettings{}.dialStyle);
  EXPECT_EQ(form.presentedCount(), 1);
  EXPECT_EQ(rig.Rect().width, 100);
}

TEST(ClockWindow, TicksWalkTheClockBackInsideTheMarginAndStoreItsNewPlace)
{
  SKIP_WITHOUT_DESKTOP();
  const PixelRect screen = PrimaryScreenRect();
  const int d = 166;
  const struct {
    int left, ticks, leftAfter;
    std::int32_t stored;  // "Left" in the store after the ticks
    int interval;
  } cases[] = {
      {3, 1, 5, 5, 40},  // saved at once, the interval back to rest only at the next tick
      {3, 2, 5, 5, 500},
      {4, 1, 6, 6, 40},
      {-30, 18, 6, 6, 40},
      {-30, 17, 4, -30, 40},
      {screen.width - d, 2, screen.width - d - 4, screen.width - d, 40},
      {screen.width - d, 3, screen.width - d - 6, screen.width - d - 6, 40},
      {200, 1, 200, 200, 500},  // at rest where it was stored: nothing happens
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.left) + " after " + std::to_string(c.ticks));
    ClockRig rig;
    TForm1& form = rig.Create(At(c.left, 100));
    for (int i = 0; i < c.ticks; ++i)
      form.TimerTimer();
    EXPECT_EQ(rig.Rect().x, c.leftAfter);
    EXPECT_EQ(rig.Rect().y, 100);
    EXPECT_EQ(rig.key.Get("Left").number, c.stored);
    EXPECT_EQ(form.interval(), c.interval);
  }
}

TEST(ClockWindow, APlaceThatCannotBeStoredIsReportedOnceAndNotDuringADrag)
{
  SKIP_WITHOUT_DESKTOP();
  const std::string error = "error: Failed to set data for 'Left'";
  {
    ClockRig rig;
    TForm1& form = rig.Create(std::nullopt, kNoKey);  // a first start that could store nothing
    rig.MoveTo(150, 100);
    form.TimerTimer();
    rig.MoveTo(160, 100);
    form.TimerTimer();
    EXPECT_EQ(rig.log, std::vector<std::string>{error});
  }
  // A box would end the drag where it is: it comes when the drag ends.
  ClockRig rig;
  TForm1& form = rig.Create(std::nullopt, kNoKey);
  SendMessageA(form.handle(), WM_ENTERSIZEMOVE, 0, 0);
  rig.MoveTo(150, 100);
  form.TimerTimer();
  EXPECT_TRUE(rig.log.empty());
  SendMessageA(form.handle(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(rig.log, std::vector<std::string>{error});
}

TEST(ClockWindow, DraggedAnywhereAndClosedLikeTheMenusClose)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  TForm1& form = rig.Create(At(200, 100));
  EXPECT_EQ(SendMessageA(form.handle(), WM_NCHITTEST, 0, MAKELPARAM(283, 183)), HTCAPTION);
  EXPECT_EQ(SendMessageA(form.handle(), WM_NCHITTEST, 0, MAKELPARAM(201, 101)), HTCAPTION);

  // Where the clock moves itself, a press is the clock's and the window follows the pointer.
  ClockRig self;
  TForm1& follower = self.Create(At(300, 200), HKEY_CURRENT_USER, ClockMove::Self);
  EXPECT_EQ(SendMessageA(follower.handle(), WM_NCHITTEST, 0, MAKELPARAM(383, 283)), HTCLIENT);
  SetCursorPos(383, 283);
  SendMessageA(follower.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(83, 83));
  SetCursorPos(413, 303);
  SendMessageA(follower.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(83, 83));
  EXPECT_EQ(self.Rect().topLeft(), (PixelPoint{330, 220}));

  SendMessageA(form.handle(), WM_CLOSE, 0, 0);
  MSG quit = {};
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
  EXPECT_TRUE(IsWindowVisible(form.handle()));  // the program ends it on its way out
}

TEST(ClockWindow, ANewSizeTakesEffectWithTheNextFrame)
{
  SKIP_WITHOUT_DESKTOP();
  ClockRig rig;
  TForm1& form = rig.Create(At(200, 100));
  // What the size slider does: the size step, the client size, the synthesis; the tick draws.
  rig.data->settings.sizeStep = 10;
  const std::int32_t clientSize = ApplySizeStep(*rig.data);
  form.SetClientSize(clientSize, clientSize);
  EXPECT_EQ(rig.Rect(), (PixelRect{200, 100, 101, 101}));
  BuildClockImages(*rig.data);
  form.Draw();
  EXPECT_EQ(rig.Rect(), (PixelRect{200, 100, 100, 100}));
  EXPECT_EQ(form.presentedCount(), 2);
}

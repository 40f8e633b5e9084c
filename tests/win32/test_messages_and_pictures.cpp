#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Settings/ProgramPictures.h"
// Before windows.h, which names its own DrawTextA or DrawTextW so.
#include "raster/DrawingSurface.h"
#include "platform/win32/MessageBoxes.h"
#include "platform/win32/Pictures.h"
#include "tests/win32/Win32TestSupport.h"

#undef DrawText

namespace {
// The visible "Tickora" boxes of this thread.
std::vector<HWND> ShownBoxes()
{
  std::vector<HWND> boxes;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM list) {
        char title[32] = {};
        GetWindowTextA(window, title, sizeof title);
        if (IsWindowVisible(window) && std::string(title) == "Tickora")
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&boxes));
  return boxes;
}

// Runs while a box is up: the boxes asked for, then the count seen, then every box closed.
struct BoxScript {
  std::vector<std::string> texts;
  std::size_t seen = 0;
  static inline BoxScript* current = nullptr;

  static void CALLBACK Step(HWND, UINT, UINT_PTR timer, DWORD)
  {
    BoxScript& script = *current;
    if (!script.texts.empty()) {
      const std::string text = script.texts.front();
      script.texts.erase(script.texts.begin());
      ShowErrorBox(text);  // a new box runs this timer from its own loop
      return;
    }
    script.seen = std::max(script.seen, ShownBoxes().size());
    for (HWND box : ShownBoxes())
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, timer);
  }
};
}  // namespace

TEST(Messages, SystemTextsLoseTheirTrailingFullStopAndLineBreak)
{
  const std::string text = SystemMessageText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), '.');
  EXPECT_GT(static_cast<unsigned char>(text.back()), ' ');
  EXPECT_EQ(SystemMessageText(0x2FFFFFFF), "System error 805306367");
}

TEST(Messages, AnErrorBoxAlreadyShowingIsNotOpenedAgain)
{
  SKIP_WITHOUT_DESKTOP();
  const struct {
    std::vector<std::string> repeats;
    std::size_t boxes;
  } cases[] = {
      {{"Failed to set data for 'Left'"}, 1},
      {{"Failed to set data for 'Top'"}, 2},
  };
  for (const auto& c : cases) {
    BoxScript script{c.repeats};
    BoxScript::current = &script;
    SetTimer(nullptr, 0, 50, &BoxScript::Step);
    ShowErrorBox("Failed to set data for 'Left'");
    EXPECT_EQ(script.seen, c.boxes) << c.repeats.front();
    EXPECT_TRUE(ShownBoxes().empty());
  }
}

TEST(Pictures, TheIconAndTheClosePictureCarryTheProgramsPixels)
{
  PictureCache pictures;
  const ArgbImage expected = ProgramIconPixels(pictures);
  HICON icon = CreateProgramIcon(pictures);
  ASSERT_NE(icon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(icon, &info));
  HDC screen = GetDC(nullptr);
  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = 16;
  format.bmiHeader.biHeight = -16;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  std::uint32_t pixels[256] = {};
  EXPECT_EQ(GetDIBits(screen, info.hbmColor, 0, 16, pixels, &format, DIB_RGB_COLORS), 16);
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(pixels[i], expected.Pixel(i % 16, i / 16)) << i % 16 << "," << i / 16;
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  DestroyIcon(icon);

  HBITMAP close = CreateCloseMenuBitmap();
  BITMAP bitmap = {};
  ASSERT_TRUE(GetObjectA(close, sizeof bitmap, &bitmap));
  EXPECT_EQ(bitmap.bmWidth, 10);
  EXPECT_EQ(bitmap.bmHeight, 10);
  EXPECT_EQ(bitmap.bmBitsPixel, 24);
  format.bmiHeader.biWidth = 10;
  format.bmiHeader.biHeight = -10;
  std::uint32_t cross[100] = {};
  EXPECT_EQ(GetDIBits(screen, close, 0, 10, cross, &format, DIB_RGB_COLORS), 10);
  for (int i = 0; i < 100; ++i) {
    const int x = i % 10, y = i / 10;
    EXPECT_EQ(cross[i] & 0xFFFFFF, (x == y || x == 9 - y) ? 0x000000u : 0xFFFFFFu) << x << "," << y;
  }
  DeleteObject(close);
  ReleaseDC(nullptr, screen);
}

// The dial's label: drawn inside its box only, centred, in its colour, whatever transform was set.
TEST(Pictures, TextLandsCentredInItsBoxInItsColourAndTheTransformStays)
{
  const struct {
    const char* text;
    PixelRect box;
  } cases[] = {{"Kathmandu", {20, 30, 120, 24}}, {"A label far too long for its box, cut short", {20, 30, 120, 24}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    DeviceImage image(160, 90);
    DrawingSurface surface(image);
    surface.Translate(500, 500);  // would put anything drawn through it off the image
    surface.DrawText(c.text, 0x20C040, c.box, 16);
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    bool coloured = false;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const std::uint32_t pixel = image.Pixel(x, y);
        if ((pixel >> 24) == 0)
          continue;
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
        coloured |= pixel == 0xFF20C040;
      }
    ASSERT_GE(right, 0) << "nothing drawn";
    EXPECT_TRUE(coloured);
    EXPECT_GE(left, c.box.x);
    EXPECT_LT(right, c.box.x + c.box.width);
    EXPECT_GE(top, c.box.y);
    EXPECT_LT(bottom, c.box.y + c.box.height);
    // Centred to within a pixel or two of hinting.
    EXPECT_NEAR(left + right, 2 * c.box.x + c.box.width - 1, 4);
    EXPECT_NEAR(top + bottom, 2 * c.box.y + c.box.height - 1, 8);
    const DeviceImage before = image;
    ArgbImage dot(1, 1);
    dot.SetPixel(0, 0, 0xFFFFFFFF);
    surface.DrawImageRect(dot, 0, 0, 1, 1);  // still through the transform: off the image
    EXPECT_EQ(image, before);
  }
}

// The settings window's controls and popup menu, built from the shared control table.
#include "platform/win32/SettingsWindow.h"

#include <algorithm>

#include <commctrl.h>

#include "platform/win32/Pictures.h"
#include "platform/win32/Screens.h"

namespace {

// Control ids stay clear of IDOK and IDCANCEL, which the dialog keys send.
int ControlId(ControlRef ref)
{
  return 100 + 10 * static_cast<int>(ref.kind) + ref.index;
}

HFONT ControlFont(bool bold, long double scale)
{
  // A negative height asks for the character height, without the internal leading.
  return CreateFontA(-SettingsWindow::ControlFontHeight(scale), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kControlFontFamily);
}

HWND CreateControl(HWND parent, const char* windowClass, const char* caption, DWORD style, PixelRect rect,
                   ControlRef ref, HFONT font)
{
  HWND control = CreateWindowExA(0, windowClass, caption, WS_CHILD | WS_VISIBLE | style, rect.x, rect.y, rect.width,
                                 rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(ref))),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control)
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

}  // namespace

HWND SettingsWindow::Control(ControlRef ref) const
{
  const auto at = static_cast<std::size_t>(ref.index);
  switch (ref.kind) {
  case ControlKind::StaticText:
    return at < staticTexts_.size() ? staticTexts_[at] : nullptr;
  case ControlKind::TrackBar:
    return at < trackBars_.size() ? trackBars_[at] : nullptr;
  case ControlKind::CheckBox:
    return at < checkBoxes_.size() ? checkBoxes_[at] : nullptr;
  case ControlKind::Button:
    return at < buttons_.size() ? buttons_[at] : nullptr;
  }
  return nullptr;
}

int SettingsWindow::ControlFontHeight(long double scale)
{
  // Rounded down: at 144 DPI a 20-pixel font would outgrow the longest caption's control.
  return std::max(1, static_cast<int>(kControlFontPixelHeight * scale));
}

PixelRect SettingsWindow::ScaledRect(PixelRect rect) const
{
  const int left = ToDevice(rect.x, scale_), top = ToDevice(rect.y, scale_);
  return {left, top, ToDevice(rect.x + rect.width, scale_) - left, ToDevice(rect.y + rect.height, scale_) - top};
}

void SettingsWindow::LayOut(long double scale)
{
  scale_ = scale;
  for (HFONT font : {regularFont_, boldFont_})
    if (font)
      DeleteObject(font);
  regularFont_ = ControlFont(false, scale);
  boldFont_ = ControlFont(true, scale);
  const auto place = [this](HWND control, PixelRect rect, HFONT font) {
    const PixelRect r = ScaledRect(rect);
    SetWindowPos(control, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  };
  for (std::size_t i = 0; i < kStaticTexts.size(); ++i)
    place(staticTexts_[i], kStaticTexts[i].rect, kStaticTexts[i].bold ? boldFont_ : regularFont_);
  for (std::size_t i = 0; i < kTrackBars.size(); ++i)
    place(trackBars_[i], kTrackBars[i].rect, boldFont_);
  for (std::size_t i = 0; i < kCheckBoxes.size(); ++i)
    place(checkBoxes_[i], kCheckBoxes[i].rect, boldFont_);
  for (std::size_t i = 0; i < kButtons.size(); ++i)
    place(buttons_[i], kButtons[i].rect, boldFont_);
}

void SettingsWindow::CreateControls()
{
  regularFont_ = ControlFont(false, 1.0L);
  boldFont_ = ControlFont(true, 1.0L);
  // The controls that take the focus come first and in tab order: the dialog keys follow the order
  // of creation.
  for (const ControlRef ref : kTabOrder) {
    const auto at = static_cast<std::size_t>(ref.index);
    switch (ref.kind) {
    case ControlKind::Button:
      buttons_[at] = CreateControl(window_, "BUTTON", kButtons[at].caption, WS_TABSTOP | BS_PUSHBUTTON,
                                   kButtons[at].rect, ref, boldFont_);
      break;
    case ControlKind::CheckBox:
      checkBoxes_[at] = CreateControl(window_, "BUTTON", kCheckBoxes[at].caption, WS_TABSTOP | BS_AUTOCHECKBOX,
                                      kCheckBoxes[at].rect, ref, boldFont_);
      break;
    case ControlKind::TrackBar: {
      const TrackBarRow& row = kTrackBars[at];
      HWND slider = CreateControl(window_, TRACKBAR_CLASSA, "", WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_AUTOTICKS,
                                  row.rect, ref, boldFont_);
      SendMessageA(slider, TBM_SETRANGEMIN, FALSE, row.minimum);
      SendMessageA(slider, TBM_SETRANGEMAX, FALSE, row.maximum);
      SendMessageA(slider, TBM_SETTICFREQ, 1, 0);
      SendMessageA(slider, TBM_SETLINESIZE, 0, kSliderLineStep);
      SendMessageA(slider, TBM_SETPAGESIZE, 0, kSliderPageStep);
      SendMessageA(slider, TBM_SETPOS, TRUE, row.layoutPosition);
      trackBars_[at] = slider;
      break;
    }
    case ControlKind::StaticText:
      break;
    }
  }
  for (std::size_t i = 0; i < kStaticTexts.size(); ++i) {
    const StaticTextRow& row = kStaticTexts[i];
    staticTexts_[i] = CreateControl(window_, "STATIC", row.caption, SS_LEFT | SS_NOPREFIX, row.rect,
                                    {ControlKind::StaticText, static_cast<int>(i)}, row.bold ? boldFont_ : regularFont_);
  }
  focus_ = Control(kTabOrder.front());
}

void SettingsWindow::CreatePopupMenu()
{
  popupMenu_ = ::CreatePopupMenu();
  // Its check mark flips each time it is chosen, before OptionsClick runs.
  AppendMenuA(popupMenu_, MF_STRING | MF_UNCHECKED, kOptions, "Settings");
  // Checked while Windows starts the clock at login; the mark is read afresh each time the menu opens.
  AppendMenuA(popupMenu_, MF_STRING | MF_UNCHECKED, kStartAtLogin, "Start at login");
  AppendMenuA(popupMenu_, MF_STRING | MF_UNCHECKED, kLockInPlace, "Lock in place");
  AppendMenuA(popupMenu_, MF_STRING | MF_UNCHECKED, kHideOverFullScreen, "Hide over full-screen windows");
  AppendMenuA(popupMenu_, MF_STRING, kClose1, "Close");
  closePicture_ = CreateCloseMenuBitmap();
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  item.hbmpItem = closePicture_;
  SetMenuItemInfoA(popupMenu_, kClose1, FALSE, &item);
}

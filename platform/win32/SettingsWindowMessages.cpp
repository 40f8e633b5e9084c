// The settings window's messages: control notifications, the tray's mouse messages, colours, cursors.
#include "platform/win32/SettingsWindow.h"

#include <algorithm>

bool SettingsWindow::SetHandCursor(HWND control) const
{
  const auto pointsWithHand = [control](const auto& controls, const auto& rows) {
    for (std::size_t i = 0; i < controls.size(); ++i)
      if (controls[i] == control)
        return rows[i].pointingHand;
    return false;
  };
  if (!control || !(pointsWithHand(trackBars_, kTrackBars) || pointsWithHand(checkBoxes_, kCheckBoxes) ||
                    pointsWithHand(buttons_, kButtons)))
    return false;
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
  return true;
}

void SettingsWindow::TrayMessage(int mouseMessage)
{
  POINT cursor = {};
  GetCursorPos(&cursor);
  switch (mouseMessage) {
  case WM_LBUTTONUP:
    form_->TrayMessage(TrayClick::LeftButtonUp, {cursor.x, cursor.y});
    break;
  case WM_LBUTTONDBLCLK:
    form_->TrayMessage(TrayClick::DoubleClick, {cursor.x, cursor.y});
    break;
  case WM_RBUTTONUP:
    form_->TrayMessage(TrayClick::RightButtonUp, {cursor.x, cursor.y});
    break;
  default:
    break;
  }
}

LRESULT CALLBACK SettingsWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
  auto* form = reinterpret_cast<SettingsWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form)
    return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  // No error may cross into the system's code; each ends its handler and shows in a box.
  RunHandler(form->messages_, [&] { result = form->HandleMessage(message, wParam, lParam); });
  return result;
}

LRESULT SettingsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
  // The dialog keys also send DM_SETDEFID, which shares the tray's number; its lParam of 0 is no mouse
  // message, so the tray handler does nothing with it.
  if (message == NotifyIcon::kCallbackMessage) {
    TrayMessage(static_cast<int>(lParam));
    return 0;
  }
  if (message == NotifyIcon::TaskbarCreatedMessage()) {
    form_->TrayChanged(true);
    return 0;
  }
  switch (message) {
  case WM_HSCROLL: {
    // Every scroll notification runs the slider's handler, also one that leaves the position as it was.
    static constexpr void (TForm2::*kHandlers[])() = {&TForm2::TrackBar1Change, &TForm2::TrackBar2Change,
                                                      &TForm2::TrackBar3Change, &TForm2::TrackBar4Change,
                                                      &TForm2::TrackBar5Change};
    const auto found = std::find(trackBars_.begin(), trackBars_.end(), reinterpret_cast<HWND>(lParam));
    if (found != trackBars_.end())
      ((*form_).*kHandlers[found - trackBars_.begin()])();
    return 0;
  }
  case WM_COMMAND: {
    const auto control = reinterpret_cast<HWND>(lParam);
    if (control && control == edits_[kZoneEdit]) {
      if (HIWORD(wParam) == CBN_SELCHANGE)
        form_->Edit1Change();
      return 0;
    }
    if (control && control == edits_[kLabelEdit]) {
      if (HIWORD(wParam) == EN_CHANGE && !settingText_)
        form_->Edit2Change();
      return 0;
    }
    if (HIWORD(wParam) != BN_CLICKED)
      return 0;
    if (control == checkBoxes_[0])
      form_->CheckBox1Click();
    else if (control == checkBoxes_[1])
      form_->CheckBox2Click();
    else if (control == buttons_[0])
      form_->Button1Click();
    else if (control == buttons_[1] || LOWORD(wParam) == IDCANCEL)  // Escape cancels as the button does
      form_->Button2Click();
    else if (LOWORD(wParam) == IDOK && GetFocus() == buttons_[0])  // Enter presses the focused button
      form_->Button1Click();
    else if (LOWORD(wParam) == IDOK && GetFocus() == buttons_[1])
      form_->Button2Click();
    return 0;
  }
  case WM_CTLCOLORSTATIC: {
    // Static texts and check boxes in black on the window's own colour.
    const auto dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, GetSysColor(COLOR_ACTIVEBORDER));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_ACTIVEBORDER));
  }
  case WM_SETCURSOR:
    if (LOWORD(lParam) == HTCLIENT && SetHandCursor(reinterpret_cast<HWND>(wParam)))
      return TRUE;
    break;
  case WM_ACTIVATE:
    // The focus goes back to the control that had it, the first in the tab order at first.
    if (LOWORD(wParam) == WA_INACTIVE) {
      if (HWND focus = GetFocus(); focus && IsChild(window_, focus))
        focus_ = focus;
    } else if (focus_) {
      SetFocus(focus_);
    }
    return 0;
  case WM_CLOSE:
    form_->FormClose();
    return 0;
  case 0x02E0:  // WM_DPICHANGED
    DpiChanged(*reinterpret_cast<const RECT*>(lParam));
    return 0;
  case WM_TIMER:
    if (wParam == kIdleReleaseTimer) {
      // The sliders rest: what only speeds up the next synthesis goes.
      KillTimer(window_, kIdleReleaseTimer);
      form_->IdleRelease();
    }
    return 0;
  default:
    break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

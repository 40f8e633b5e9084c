// The settings window's controls and popup menu, built from the shared control table.
#include "platform/win32/SettingsWindow.h"

#include <algorithm>
#include <string>

#include <commctrl.h>

#include "platform/win32/Pictures.h"
#include "platform/win32/Screens.h"
#include "platform/win32/Utf16.h"

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

// The fields are Unicode windows: a label may hold any letter.
HWND CreateWideControl(HWND parent, const wchar_t* windowClass, DWORD exStyle, DWORD style, PixelRect rect,
                       ControlRef ref, HFONT font)
{
  HWND control = CreateWindowExW(exStyle, windowClass, L"", WS_CHILD | WS_VISIBLE | style, rect.x, rect.y, rect.width,
                                 rect.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(ref))),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control)
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// How many items the zone list shows at once when it drops down.
constexpr int kZoneListItems = 16;

// A closed drop-down list is as high as its selection field, which follows the item height; it is
// set so that the field fills `rect`, and the list below it has room for its items.
void PlaceComboBox(HWND combo, PixelRect rect)
{
  SetWindowPos(combo, nullptr, rect.x, rect.y, rect.width, rect.height * kZoneListItems,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The field's edges around the item are the system's own, and Wine reads back more than it was
  // given: the item is corrected by what the field measures, twice.
  auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int pass = 0; pass < 2 && item > 0; ++pass) {
    RECT field = {};
    GetWindowRect(combo, &field);
    const int wanted = item + rect.height - (field.bottom - field.top);
    if (wanted <= 0 || wanted == item)
      return;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
    item = wanted;
  }
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
  case ControlKind::LineEdit:
    return at < edits_.size() ? edits_[at] : nullptr;
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
  // The fields in regular text; the list's items follow its font.
  for (std::size_t i = 0; i < kLineEdits.size(); ++i) {
    SendMessageW(edits_[i], WM_SETFONT, reinterpret_cast<WPARAM>(regularFont_), TRUE);
    if (i == kZoneEdit) {
      PlaceComboBox(edits_[i], ScaledRect(kLineEdits[i].rect));
      FitZoneList();
    }
    else
      place(edits_[i], kLineEdits[i].rect, regularFont_);
  }
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
    case ControlKind::LineEdit:
      if (at == kZoneEdit) {
        edits_[at] = CreateWideControl(window_, WC_COMBOBOXW, 0, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                                       kLineEdits[at].rect, ref, regularFont_);
        PlaceComboBox(edits_[at], kLineEdits[at].rect);
      } else {
        edits_[at] = CreateWideControl(window_, WC_EDITW, WS_EX_CLIENTEDGE, WS_TABSTOP | ES_AUTOHSCROLL,
                                       kLineEdits[at].rect, ref, regularFont_);
        SendMessageW(edits_[at], EM_SETLIMITTEXT, kMaxLabelBytes, 0);
        SendMessageW(edits_[at], EM_SETCUEBANNER, FALSE,
                     reinterpret_cast<LPARAM>(Utf16(kLineEdits[at].placeholder).c_str()));
      }
      break;
    case ControlKind::StaticText:
      break;
    }
  }
  CreateLineEdits();
  for (std::size_t i = 0; i < kStaticTexts.size(); ++i) {
    const StaticTextRow& row = kStaticTexts[i];
    staticTexts_[i] = CreateControl(window_, "STATIC", row.caption, SS_LEFT | SS_NOPREFIX, row.rect,
                                    {ControlKind::StaticText, static_cast<int>(i)}, row.bold ? boldFont_ : regularFont_);
  }
  focus_ = Control(kTabOrder.front());
}

const char* SettingsWindow::MenuText(UINT id)
{
  switch (id) {
  case kOptions:
    return "Settings";
  case kAddClock:
    return "Add clock";
  case kRemoveClock:
    return "Remove this clock";
  case kStartAtLogin:
    return "Start at login";
  case kLockInPlace:
    return "Lock in place";
  case kHideOverFullScreen:
    return "Hide over full-screen windows";
  default:
    return "Close";
  }
}

void SettingsWindow::CreatePopupMenu()
{
  popupMenu_ = ::CreatePopupMenu();
  // "Settings"'s check mark flips each time it is chosen, before OptionsClick runs; "Start at login"
  // is checked while Windows starts the clock at login, read afresh each time the menu opens; the
  // clock items are shown as the clock the menu is for allows (ShowMenuItem).
  for (const auto& [item, id] : kMenuIds)
    AppendMenuA(popupMenu_, MF_STRING, id, MenuText(id));
  closePicture_ = CreateCloseMenuBitmap();
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_BITMAP;
  item.hbmpItem = closePicture_;
  SetMenuItemInfoA(popupMenu_, kClose1, FALSE, &item);
}

void SettingsWindow::CreateLineEdits()
{
  // The first item is the clock's own local time.
  AddZoneItem("", kLineEdits[kZoneEdit].placeholder);
  for (const ZoneChoice& zone : hooks_.zoneChoices())
    AddZoneItem(zone.key, zone.display);
  SendMessageW(edits_[kZoneEdit], CB_SETCURSEL, 0, 0);
  FitZoneList();
}

void SettingsWindow::FitZoneList()
{
  // The open list is as wide as its longest name, which the field itself is too narrow for.
  HWND zones = edits_[kZoneEdit];
  HDC dc = GetDC(zones);
  if (!dc)
    return;
  const HGDIOBJ old = SelectObject(dc, regularFont_);
  int widest = 0;
  const auto count = static_cast<int>(SendMessageW(zones, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(zones, CB_GETLBTEXTLEN, i, 0))) + 1, L'\0');
    const auto length = static_cast<int>(SendMessageW(zones, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
    SIZE extent = {};
    if (length > 0 && GetTextExtentPoint32W(dc, text.c_str(), length, &extent))
      widest = std::max<int>(widest, extent.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(zones, dc);
  const int edges = GetSystemMetrics(SM_CXVSCROLL) + ToDevice(8, scale_);
  SendMessageW(zones, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + edges), 0);
}

int SettingsWindow::AddZoneItem(const std::string& zone, const std::string& shown)
{
  const auto index = static_cast<int>(
      SendMessageW(edits_[kZoneEdit], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(shown).c_str())));
  if (index >= 0)
    zoneKeys_.push_back(zone);
  return index;
}

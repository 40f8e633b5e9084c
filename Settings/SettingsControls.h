#pragma once
#include <array>
#include <string>

#include "model/ClockSettings.h"
#include "model/PixelGeometry.h"

// The settings window's controls as every window system builds them: names, places in the client
// area, captions, slider ranges, fonts, cursors and tab order.

inline constexpr char kSettingsCaption[] = "Tickora Settings";
inline constexpr int kSettingsClientWidth = 380;
inline constexpr int kSettingsClientHeight = 263;
// Every text is Arial of this character height, bold unless its row says otherwise.
inline constexpr char kControlFontFamily[] = "Arial";
inline constexpr int kControlFontPixelHeight = 13;
inline constexpr int kSliderLineStep = 1;
inline constexpr int kSliderPageStep = 2;
// Between the client area's bottom and the screen's when the window is placed.
inline constexpr int kSettingsBottomGap = 100;

// Where the window's outer frame goes: centred across `screen` (the primary monitor), its client area
// ending the gap above the bottom. Each division truncates on its own.
constexpr PixelPoint SettingsWindowPlace(PixelRect screen)
{
  return {screen.x + screen.width / 2 - kSettingsClientWidth / 2,
          screen.y + screen.height - kSettingsClientHeight - kSettingsBottomGap};
}

struct StaticTextRow {
  const char* name;
  PixelRect rect;
  const char* caption;
  bool bold;
};
inline constexpr std::array<StaticTextRow, 8> kStaticTexts = {{
    {"StaticText1", {7, 0, 222, 20}, "Position : cursor + arrows + leftbutton", false},
    {"StaticText2", {7, 26, 71, 20}, "Clock Size", true},
    {"StaticText3", {7, 86, 38, 20}, "Skins", true},
    {"StaticText4", {207, 26, 68, 20}, "Clock Dial", true},
    {"StaticText5", {207, 86, 80, 20}, "Transparent", true},
    {"StaticText6", {207, 146, 48, 20}, "Arrows", true},
    {"StaticText7", {7, 208, 70, 20}, "Time zone", true},
    {"StaticText8", {207, 208, 44, 20}, "Label", true},
}};

// Horizontal, a tick at every value below the track.
struct TrackBarRow {
  const char* name;
  PixelRect rect;
  int minimum;
  int maximum;
  int layoutPosition;  // where the slider stands before the settings are applied
  bool pointingHand;
};
inline constexpr std::array<TrackBarRow, 5> kTrackBars = {{
    {"TrackBar1", {0, 50, 180, 14}, 0, kMaxSizeStep, 0, true},
    {"TrackBar2", {0, 110, 180, 14}, kMinSkin, kMaxSkin, 5, true},
    {"TrackBar3", {200, 50, 180, 14}, 0, kMaxDialStyle, 1, true},
    {"TrackBar4", {200, 110, 180, 14}, 0, kMaxTransparency, 1, true},
    {"TrackBar5", {200, 170, 180, 14}, 0, kMaxHandWidth, 0, false},
}};

// A check box (unchecked in the layout) or a push button: bold text, the pointing hand where asked.
struct ClickableRow {
  const char* name;
  PixelRect rect;
  const char* caption;
  bool pointingHand;
};
using CheckBoxRow = ClickableRow;
using ButtonRow = ClickableRow;
inline constexpr std::array<CheckBoxRow, 2> kCheckBoxes = {{
    {"CheckBox1", {7, 140, 90, 17}, "Seconds", true},
    {"CheckBox2", {7, 170, 66, 17}, "Digital", false},
}};

inline constexpr std::array<ButtonRow, 2> kButtons = {{
    {"Button1", {8, 241, 100, 22}, "Save Settings", true},
    {"Button2", {312, 241, 60, 22}, "Cancel", true},
}};

// One-line text fields, regular text, showing `placeholder` while empty: the clock's time zone (with
// the zone database's names to complete or choose from) and its label.
struct LineEditRow {
  const char* name;
  PixelRect rect;
  const char* placeholder;
};
inline constexpr std::array<LineEditRow, 2> kLineEdits = {{
    {"Edit1", {80, 205, 117, 22}, "Local time"},
    {"Edit2", {253, 205, 120, 22}, "The zone's city"},
}};
inline constexpr int kZoneEdit = 0;
inline constexpr int kLabelEdit = 1;

enum class ControlKind { StaticText, TrackBar, CheckBox, Button, LineEdit };
struct ControlRef {
  ControlKind kind;
  int index;  // into that kind's table
};
// The first has the focus when the window comes up.
inline constexpr std::array<ControlRef, 11> kTabOrder = {{
    {ControlKind::Button, 0},
    {ControlKind::Button, 1},
    {ControlKind::TrackBar, 0},
    {ControlKind::TrackBar, 1},
    {ControlKind::TrackBar, 2},
    {ControlKind::TrackBar, 3},
    {ControlKind::CheckBox, 0},
    {ControlKind::TrackBar, 4},
    {ControlKind::CheckBox, 1},
    {ControlKind::LineEdit, 0},
    {ControlKind::LineEdit, 1},
}};

// The caption while the window edits one clock of several: "Tickora Settings: clock 2, Tokyo".
inline std::string SettingsCaptionFor(int number, const std::string& name)
{
  std::string caption = std::string(kSettingsCaption) + ": clock " + std::to_string(number);
  return name.empty() ? caption : caption + ", " + name;
}

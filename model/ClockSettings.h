#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The one record of user settings. The members start at the first-start defaults; the position is
// filled in by the settings store, which centres the clock on the first start.
struct ClockSettings {
  std::int32_t sizeStep = 32;
  std::int32_t skin = 14;
  std::int32_t dialStyle = 11;
  std::int32_t transparency = 50;
  std::int32_t showSeconds = 1;
  std::int32_t handWidth = 3;
  std::int32_t showNumerals = 1;
  std::int32_t left = 0;
  std::int32_t top = 0;

  bool operator==(const ClockSettings&) const = default;
};

// What sets a clock apart beyond its nine values: the time zone it shows, a name in the system's own
// zone database (empty: local time), and the user's own label for it (empty: the zone's city).
struct ClockZone {
  std::string zone;
  std::string label;
  bool operator==(const ClockZone&) const = default;
};

// Clocks are numbered from 1; the first is stored under the plain value names, every other one in a
// section of its own named by its number. Numbers stay with their clock, so gaps are allowed.
inline constexpr int kFirstClock = 1;
inline constexpr int kMaxClockNumber = 999;

// A label as it is kept: one line (control characters become spaces), no spaces at its ends, at most
// kMaxLabelBytes of whole UTF-8 characters.
inline constexpr std::size_t kMaxLabelBytes = 48;
std::string CleanLabel(std::string_view text);

// The ranges the settings window offers.
inline constexpr std::int32_t kMaxSizeStep = 50;
inline constexpr std::int32_t kMinSkin = 1;
inline constexpr std::int32_t kMaxSkin = 15;
inline constexpr std::int32_t kMaxDialStyle = 21;

// Dial styles up to kLastShapedDialStyle shape the face's outline and rim light; the ones from
// kFirstMarkerDialStyle to kMaxDialStyle draw a marker picture twelve times on a plain disc.
inline constexpr std::int32_t kLastShapedDialStyle = 7;
inline constexpr std::int32_t kFirstMarkerDialStyle = 8;
inline constexpr bool IsMarkerDial(std::int32_t dialStyle)
{
  return dialStyle >= kFirstMarkerDialStyle && dialStyle <= kMaxDialStyle;
}
inline constexpr std::int32_t kMaxTransparency = 50;
inline constexpr std::int32_t kMaxHandWidth = 20;

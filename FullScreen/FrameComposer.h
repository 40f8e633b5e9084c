#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Clocks/ClockData.h"
#include "FullScreen/TimeZones.h"
#include "model/PixelGeometry.h"
#include "raster/ArgbImage.h"
#include "raster/DeviceImage.h"

class DrawingSurface;


// Which pixels of a frame take a click, one byte a pixel (1 or 0), rows top to bottom: every drawn one
// (alpha above 0) but the second hand's, which turns every second; a window system that is told of each
// change pays for it, so the second hand is seen but never caught.
struct ClickMask {
  PixelSize size;
  std::vector<std::uint8_t> bits;
  bool at(int x, int y) const
  {
    return bits[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) + static_cast<std::size_t>(x)] != 0;
  }
};

// Composes one frame: the face, the cursor hole, markers, numerals and hands. No display needed.
// `window` is the clock window's current rectangle on the screen and `cursor` the pointer in screen
// pixels. Returns the premultiplied D x D frame (a null image while D is not positive).
//
// The face, hand and marker images made from the planes, and the dial (the face with its markers and
// numerals drawn), are kept between frames and rebuilt when ClockData::planesGeneration, the diameter,
// the sprite sizes, the dial style, the numeral switch or the label change, so a composer serves one ClockData.
// Only the hands are drawn at every frame, in a frame buffer kept between frames where the last hands
// are first put back to what lies under them, and a frame whose inputs have not changed since the last
// one (the timer asks twice a second) is not composed again. The hour and minute hands, which turn once
// a minute, are kept drawn over the dial in a layer, so a frame of a new second draws the second hand
// alone. Frames are identical to those made from scratch. The layer is kept current whatever the
// frame shows: the clickable pixels are read from it.
class FrameComposer {
public:
  // Composes the frame into frame() and returns a rectangle holding every pixel that may differ from
  // the frame before (the old and new hands and holes): empty when nothing changed, the whole frame
  // when it was rebuilt or resized.
  PixelRect Present(const ClockData& data, const TimeOfDay& time, const PixelRect& window, PixelPoint cursor);
  const DeviceImage& frame() const { return front_; }
  // The frame's clickable pixels, and the rectangle holding every one that changed since the frame
  // before (empty when none did, the whole frame when it was rebuilt or resized).
  const ClickMask& clicks() const { return clicks_; }
  PixelRect clicksChanged() const { return clicksChanged_; }
  // Present, then a copy of the frame.
  DeviceImage Compose(const ClockData& data, const TimeOfDay& time, const PixelRect& window, PixelPoint cursor);

private:
  struct Key {
    const ClockData* data = nullptr;
    std::uint64_t generation = 0;
    std::int32_t diameter = 0;
    std::int32_t markerWidth = 0;
    std::int32_t markerHeight = 0;
    std::int32_t handWidth = 0;
    std::int32_t handHeight = 0;
    std::int32_t dialStyle = 0;
    std::int32_t showNumerals = 0;
    std::string label;
    std::string mark;
    bool operator==(const Key&) const = default;
  };

  // What a frame depends on beyond the kept dial.
  struct FrameInputs {
    TimeOfDay time;
    PixelPoint hole{-1, -1};
    std::int32_t showSeconds = 0;
    HandSize hourHand;
    HandSize minuteHand;
    HandSize secondHand;
    bool operator==(const FrameInputs&) const = default;
  };

  void Refresh(const ClockData& data);
  // Draws the marker and numeral rings, or with `only` just the sprites that may reach it; with no
  // surface nothing is drawn. Returns whether any sprite was (or would be) drawn.
  bool DrawRings(DrawingSurface* surface, const ClockData& data, std::optional<PixelRect> only = std::nullopt) const;
  // Writes the clock's label below the centre.
  void DrawLabel(DrawingSurface& surface, const ClockData& data) const;
  // What the rings alone leave at one pixel, over transparent black: what a cursor hole shows.
  std::uint32_t RingsPixel(const ClockData& data, PixelPoint at) const;
  enum class Hands { HourAndMinute, Second };
  // Returns the rectangle the hands may have drawn on.
  PixelRect DrawHands(DeviceImage& frame, const ClockData& data, const TimeOfDay& time, Hands hands) const;
  // Brings the layer to `time`; returns where it may have changed.
  PixelRect RefreshLayer(const ClockData& data, const TimeOfDay& time, PixelRect& restore);
  // Takes `area` of the clickable pixels from the layer, and the hole's own; notes what changed.
  void TakeClicks(const PixelRect& area, std::optional<PixelPoint> hole, bool holeDrawn);

  // What the hour and minute hands' layer depends on beyond the dial.
  struct LayerInputs {
    int hours = 0;
    int minutes = 0;
    HandSize hourHand;
    HandSize minuteHand;
    bool operator==(const LayerInputs&) const = default;
  };

  Key key_;
  DeviceImage dial_;  // premultiplied, D x D: the face with the marker and numeral rings drawn on it
  FrameInputs lastInputs_;
  DeviceImage front_;  // the last frame composed
  PixelRect drawn_;    // where its hands and hole lie over the dial, or its second hand over the layer
  DeviceImage layer_;  // the dial with the hour and minute hands drawn on it (null until needed)
  LayerInputs layerInputs_;
  PixelRect layerDrawn_;  // where the layer's hands lie
  bool onLayer_ = false;  // the frame shows the layer outside drawn_, else the dial
  ClickMask clicks_;
  PixelRect clicksChanged_;
  std::optional<PixelPoint> clickHole_;  // the hole the mask holds
  ArgbImage hand_;
  ArgbImage marker_;
};

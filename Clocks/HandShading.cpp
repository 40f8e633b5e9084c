#include <algorithm>
#include <cmath>
#include <cstdint>

#include "Clocks/ClockSynthesis.h"
#include "Clocks/Shade.h"
#include "model/Numbers.h"

namespace {
// The tip test takes rows 0..5 (row 5's factor is 1); the tail takes the last five rows.
constexpr std::int32_t kTipRows = 6;
constexpr std::int32_t kTailRows = 5;

// The hand extent is read as last column and last row; keep it inside the planes (and C above 0,
// which divides).
std::int32_t LastColumn(const ClockData& data)
{
  return std::clamp<std::int32_t>(data.geometry.handExtentX, 1, HandPlanes::kColumns - 1);
}

std::int32_t LastRow(const ClockData& data)
{
  return std::clamp<std::int32_t>(data.geometry.handExtentY, 0, HandPlanes::kRows - 1);
}

// Fourth root of a ramp from 0.02 at the end row to 1 five rows in.
long double TaperFactor(std::int32_t rowsFromEnd)
{
  return std::sqrt(std::sqrt(static_cast<long double>(rowsFromEnd) * 0.98L / 5.0L + 0.02L));
}

void Scale(HandPlanes& planes, std::int32_t i, std::int32_t g, long double factor)
{
  planes.alpha[i][g] = Round(factor * planes.alpha[i][g]);
  planes.red[i][g] = Round(factor * planes.red[i][g]);
  planes.green[i][g] = Round(factor * planes.green[i][g]);
  planes.blue[i][g] = Round(factor * planes.blue[i][g]);
}
}  // namespace

void FillHandAccent(ClockData& data)
{
  const std::int32_t lastColumn = LastColumn(data);
  const std::int32_t lastRow = LastRow(data);
  for (std::int32_t i = 0; i <= lastRow; ++i) {
    for (std::int32_t g = 0; g <= lastColumn; ++g) {
      data.handPlanes.red[i][g] = data.accentColour.red;
      data.handPlanes.green[i][g] = data.accentColour.green;
      data.handPlanes.blue[i][g] = data.accentColour.blue;
    }
  }
}

void ShadeHandSprite(ClockData& data)
{
  const std::int32_t c = LastColumn(data);
  const std::int32_t n = LastRow(data);
  HandPlanes& planes = data.handPlanes;
  for (std::int32_t g = 0; g <= c; ++g) {
    const long double across = 1.0L - static_cast<long double>(2 * g) / static_cast<long double>(c);
    const long double square = across * across;
    const long double p = Shade(square * square);
    for (std::int32_t i = 0; i <= n; ++i) {
      // Each step rounds before the next multiplies.
      planes.alpha[i][g] = Round(p * 255.0L);
      planes.red[i][g] = Round(p * planes.red[i][g]);
      planes.green[i][g] = Round(p * planes.green[i][g]);
      planes.blue[i][g] = Round(p * planes.blue[i][g]);
      if (i < kTipRows)
        Scale(planes, i, g, TaperFactor(i));
      if (n - kTailRows < i)
        Scale(planes, i, g, TaperFactor(n - i));
    }
  }
}

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

// The hand extent is read as last column and last row; keep it inside the planes (and the last column
// above 0, which divides).
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

void Scale(HandPlanes& planes, std::int32_t row, std::int32_t column, long double factor)
{
  planes.alpha[row][column] = Round(factor * planes.alpha[row][column]);
  planes.red[row][column] = Round(factor * planes.red[row][column]);
  planes.green[row][column] = Round(factor * planes.green[row][column]);
  planes.blue[row][column] = Round(factor * planes.blue[row][column]);
}
}  // namespace

void FillHandAccent(ClockData& data)
{
  const std::int32_t lastColumn = LastColumn(data);
  const std::int32_t lastRow = LastRow(data);
  for (std::int32_t row = 0; row <= lastRow; ++row) {
    for (std::int32_t column = 0; column <= lastColumn; ++column) {
      data.handPlanes.red[row][column] = data.accentColour.red;
      data.handPlanes.green[row][column] = data.accentColour.green;
      data.handPlanes.blue[row][column] = data.accentColour.blue;
    }
  }
}

void ShadeHandSprite(ClockData& data)
{
  const std::int32_t lastColumn = LastColumn(data);
  const std::int32_t lastRow = LastRow(data);
  HandPlanes& planes = data.handPlanes;
  for (std::int32_t column = 0; column <= lastColumn; ++column) {
    const long double across = 1.0L - static_cast<long double>(2 * column) / static_cast<long double>(lastColumn);
    const long double square = across * across;
    const long double p = Shade(square * square);
    for (std::int32_t row = 0; row <= lastRow; ++row) {
      // Each step rounds before the next multiplies.
      planes.alpha[row][column] = Round(p * 255.0L);
      planes.red[row][column] = Round(p * planes.red[row][column]);
      planes.green[row][column] = Round(p * planes.green[row][column]);
      planes.blue[row][column] = Round(p * planes.blue[row][column]);
      if (row < kTipRows)
        Scale(planes, row, column, TaperFactor(row));
      if (lastRow - kTailRows < row)
        Scale(planes, row, column, TaperFactor(lastRow - row));
    }
  }
}

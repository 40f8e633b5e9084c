#pragma once

// The synthesis's one shading curve: full at the centre, down to 5 % at the rim. `rPower` is the
// distance from the centre raised to the curve's power: 4 for the face and the hand, 8 for the marker.
inline long double Shade(long double rPower)
{
  return 1.0L - 0.95L * rPower;
}

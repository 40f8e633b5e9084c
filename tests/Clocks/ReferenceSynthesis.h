#pragma once
// A plain, per-pixel transcription of the clock image formulas, kept apart from the optimised code
// so whole planes can be compared. Each value is computed from scratch where it is used.
#include <cmath>
#include <cstdint>

#include "Clocks/ArgbPlanes.h"
#include "model/Numbers.h"
#include "skins/RgbSurface.h"

namespace reference {

inline constexpr long double kPi = 3.14159265358979323846264338327950288L;

inline long double Sq(long double v) { return v * v; }

// r' for the shaped styles; anything else keeps r.
inline long double Shaped(int style, long double r, long double t)
{
  switch (style) {
  case 1: return 1.2L * r - 0.2L * fabsl(cosl((1.3L * kPi) * t));
  case 2: return 1.2L * r - 0.2L * fabsl(cosl(kPi * t));
  case 3: return 1.2L * r - 0.2L * fabsl(sinl((0.97L * kPi) * t));
  case 4: return r + 0.1L * fabsl(cosl((0.8L * kPi) * t));
  case 5: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(kPi * t) + 0.5L * cosl((2.5L * kPi) * t)));
  case 6: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(kPi * t) - 0.5L * cosl((2.5L * kPi) * t)));
  case 7: return 1.2L * r - 0.2L * sqrtl(fabsl(0.5L * cosl(kPi * Sq(t)) + 0.5L * cosl((2.5L * kPi) * sqrtl(t))));
  default: return r;
  }
}

// The face of a D x D surface into planes that hold the previous run's values.
inline void Face(const RgbSurface& surface, int d, int style, int t, FacePlanes& planes)
{
  for (int w = 0; w < d; ++w) {
    const std::uint8_t* row = surface.ScanRow(w);
    for (int c = 0; c < d; ++c) {
      const long double x = 2.0L * c / d - 1.0L;
      const long double y = 2.0L * w / d - 1.0L;
      const long double r = sqrtl(x * x + y * y + 1e-9L);
      long double stored = r;
      if (r <= 1.0L) {
        const int rgb[3] = {row[3 * c + 2], row[3 * c + 1], row[3 * c]};
        int* colour[3] = {&planes.red[w][c], &planes.green[w][c], &planes.blue[w][c]};
        if (style > 7) {
          const long double s = 1.0L - 0.95L * Sq(Sq(r));
          planes.alpha[w][c] = Round(s * 255.0L * (1.0L - t / 50.0L));
          for (int k = 0; k < 3; ++k)
            *colour[k] = rgb[k];
        } else {
          const long double theta = acosl(fabsl(1.0L - 2.0L * c / d) / r);
          const long double rs = Shaped(style, r, theta);
          stored = rs;
          const long double s = 1.0L - Sq(Sq(rs));
          planes.alpha[w][c] = Round(s * 255.0L * (1.0L - t / 50.0L));
          for (int k = 0; k < 3; ++k)
            *colour[k] = rgb[k];
          if (rs >= 0.9L) {
            const long double light = fabsl(sinl((10.0L * kPi) * fabsl(0.9L - rs) + 2.0L * s));
            for (int k = 0; k < 3; ++k)
              *colour[k] = Round((rgb[k] + 0.6L * Sq(Sq(light)) * (255 - rgb[k])) * (0.6L * light + 0.4L));
            planes.alpha[w][c] = Round(light * 255.0L * (1.0L - t / 50.0L));
          }
        }
      }
      if (stored > 1.0L)
        planes.alpha[w][c] = 0;
    }
  }
}

// The circular marker sprite of a 35 x 35 surface.
inline void Marker(const RgbSurface& surface, MarkerPlanes& planes)
{
  const int size = 35;
  for (int g = 0; g < size; ++g) {
    for (int i = 0; i < size; ++i) {
      const long double x = 2.0L * i / size - 1.0L;
      const long double y = 2.0L * g / size - 1.0L;
      const long double r = sqrtl(x * x + y * y);
      if (r <= 1.0L) {
        planes.alpha[g][i] = Round((1.0L - 0.95L * Sq(Sq(Sq(r)))) * 255.0L);
        planes.red[g][i] = surface.ScanRow(g)[3 * i + 2];
        planes.green[g][i] = surface.ScanRow(g)[3 * i + 1];
        planes.blue[g][i] = surface.ScanRow(g)[3 * i];
      } else {
        planes.alpha[g][i] = 0;
      }
    }
  }
}

// The hand sprite: colours in (accent fill or texture) already, shading applied here.
inline void ShadeHand(HandPlanes& planes)
{
  const int last = 15;
  const int n = 100;
  for (int i = 0; i <= n; ++i) {
    for (int g = 0; g <= last; ++g) {
      int* values[4] = {&planes.alpha[i][g], &planes.red[i][g], &planes.green[i][g], &planes.blue[i][g]};
      const long double p = 1.0L - 0.95L * Sq(Sq(1.0L - 2.0L * g / last));
      planes.alpha[i][g] = Round(p * 255.0L);
      for (int k = 1; k < 4; ++k)
        *values[k] = Round(p * *values[k]);
      if (i < 6) {
        const long double q = sqrtl(sqrtl(i * 0.98L / 5.0L + 0.02L));
        for (int k = 0; k < 4; ++k)
          *values[k] = Round(q * *values[k]);
      }
      if (n - 5 < i) {
        const long double q = sqrtl(sqrtl((n - i) * 0.98L / 5.0L + 0.02L));
        for (int k = 0; k < 4; ++k)
          *values[k] = Round(q * *values[k]);
      }
    }
  }
}

}  // namespace reference

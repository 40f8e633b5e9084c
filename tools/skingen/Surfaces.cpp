#include "Surfaces.h"

namespace {
Colour Hue(double h)
{
  const double r = Clamp01(std::abs(h * 6 - 3) - 1), g = Clamp01(2 - std::abs(h * 6 - 2)), b = Clamp01(2 - std::abs(h * 6 - 4));
  return {r, g, b};
}
}  // namespace

Colour Mottle(Vec3 p, Colour a, Colour b, Vec3 scale, int octaves, std::uint32_t seed)
{
  return Mix(a, b, Fbm(p * scale, octaves, seed));
}

Albedo Mottled(Colour a, Colour b, Vec3 scale, int octaves, std::uint32_t seed)
{
  return [a, b, scale, octaves, seed](Vec3 p) { return Mottle(p, a, b, scale, octaves, seed); };
}

Albedo Plain(Colour colour)
{
  return [colour](Vec3) { return colour; };
}

Colour CalciteBands(Vec3 p)
{
  // Gently warped planes.
  const double warp = Fbm(p * 1.3, 4, 31);
  const double h = p.y * 1.0 + p.x * 0.25 + warp * 0.9;
  const double broad = 0.5 + 0.5 * std::sin(h * 9.0);
  const double fine = 0.5 + 0.5 * std::sin(h * 23.0 + 1.3);
  const Colour orange = Mottle(p, Srgb(228, 108, 28), Srgb(200, 80, 18), {2.5, 2.5, 2.5}, 3, 32);
  const double pale = 0.7 * SmoothStep(0.78, 0.99, broad) + 0.3 * SmoothStep(0.82, 1.0, fine);
  return Mix(orange, Srgb(250, 205, 160), Clamp01(pale));
}

Colour OpalGlassGradient(Vec3 p)
{
  return Mix(Srgb(246, 222, 140), Srgb(105, 170, 235), SmoothStep(-0.7, 0.7, p.y + 0.1 * (Fbm(p * 2, 3, 71) - 0.5)));
}

Colour Jasper(Vec3 p)
{
  Colour c = Mottle(p, Srgb(170, 48, 32), Srgb(120, 28, 20), {2.2, 2.2, 2.2}, 4, 81);
  // Dark veins where two noise fields cross, then speckles of two sizes.
  const double vein = std::abs(Fbm(p * 1.8, 4, 83) - 0.5);
  c = Mix(c, Srgb(85, 22, 16), 0.6 * (1 - SmoothStep(0.0, 0.03, vein)));
  for (int layer = 0; layer < 2; ++layer) {
    const Worley w = CellNoise(p * (layer == 0 ? 6.0 : 13.0), 82 + static_cast<std::uint32_t>(layer));
    const double kind = (w.id % 100) / 100.0;
    const double spot = 1 - SmoothStep(layer == 0 ? 0.14 : 0.12, layer == 0 ? 0.24 : 0.2, w.f1);
    if (kind < 0.25) c = Mix(c, Srgb(55, 22, 18), spot * 0.9);
    else if (kind < 0.45) c = Mix(c, Srgb(222, 170, 128), spot * 0.85);
    else if (kind < 0.55) c = Mix(c, Srgb(200, 75, 50), spot * 0.7);
  }
  return c;
}

Albedo CatsEyeFibres(Colour deep, Colour light)
{
  return [deep, light](Vec3 p) {
    const double fibres = Fbm({p.x * 1.5, p.y * 24.0, p.z * 24.0}, 3, 141);
    return Mix(deep, light, 0.2 + fibres * 0.5);
  };
}

Colour Nacre(Vec3 p)
{
  // The layers are slightly wavy.
  const double rim = 1 - p.z;
  const Colour overtone = Mix(Srgb(236, 206, 214), Srgb(208, 228, 214), SmoothStep(-0.6, 0.6, p.x - p.y));
  const Colour body = Srgb(236, 232, 224) * (0.96 + 0.08 * Fbm(p * 3.0, 2, 11));
  return Mix(body, overtone, Clamp01(rim * 1.1));
}

Colour OpalFlecks(Vec3 p)
{
  // The patches come and go with the viewing angle.
  const Worley w = CellNoise(p * 1.9, 101);
  const double patch = 1 - SmoothStep(0.2, 0.55, w.f1);
  const double shown = std::pow(0.5 + 0.5 * std::sin(w.id * 0.37 + p.z * 4.0), 2.0);
  const Colour flash = Hue((w.id % 997) / 997.0);
  return Mix(Srgb(226, 230, 236), flash, Clamp01(patch * shown * 0.9));
}

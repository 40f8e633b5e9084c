#include "Interiors.h"

namespace {
// A density sampled at evenly spaced points along the chord, times the chord's length.
template <typename Density>
double AlongChord(Vec3 a, Vec3 b, const Density& density)
{
  constexpr int kSteps = 6;
  double sum = 0;
  for (int i = 0; i < kSteps; ++i) sum += density(Mix(a, b, (i + 0.5) / kSteps));
  return sum * (Length(b - a) / kSteps);
}
}  // namespace

Interior Veiled(Colour tint, double amount, double scale, std::uint32_t seed)
{
  return [tint, amount, scale, seed](Vec3 a, Vec3 b, Colour& transmit, Colour& glow) {
    const auto veil = [scale, seed](Vec3 q) { return SmoothStep(0.55, 0.8, Fbm(q * scale, 4, seed)); };
    const double density = AlongChord(a, b, veil);
    glow = glow + tint * (amount * density);
    transmit = transmit * (1 - Clamp01(0.5 * amount * density));
  };
}

Interior Stained(double (*density)(Vec3 q), Colour absorption)
{
  return [density, absorption](Vec3 a, Vec3 b, Colour& transmit, Colour&) {
    const double d = AlongChord(a, b, density);
    transmit = transmit * Colour{std::exp(-absorption.x * d), std::exp(-absorption.y * d), std::exp(-absorption.z * d)};
  };
}

Interior Layered(Interior first, Interior second)
{
  return [first, second](Vec3 a, Vec3 b, Colour& transmit, Colour& glow) {
    first(a, b, transmit, glow);
    second(a, b, transmit, glow);
  };
}

double AmethystZones(Vec3 q)
{
  const double layers = 0.5 + 0.5 * std::sin((q.y * 2.2 - std::abs(q.x) * 1.4 + Fbm(q * 1.6, 3, 22) * 2.0) * 3.4);
  return SmoothStep(0.35, 0.85, layers);
}

double SmokeWisps(Vec3 q)
{
  const double swirl = Fbm({q.x * 1.2 + q.y * 0.8, q.y * 3.2, q.z * 1.2}, 4, 122);
  return SmoothStep(0.48, 0.7, swirl);
}

void Crackle(Vec3 a, Vec3 b, Colour& transmit, Colour& glow)
{
  double crack = 0;
  for (double depth : {0.08, 0.3}) {
    const Vec3 q = Normalize(Mix(a, b, depth)) * 3.4;
    const Worley w = CellNoise(q, 131 + static_cast<std::uint32_t>(depth * 10));
    crack += (1 - SmoothStep(0.0, 0.05, w.f2 - w.f1)) * (depth < 0.1 ? 1.0 : 0.6);
  }
  glow = glow + Colour{1.0, 0.62, 0.18} * (0.45 * crack);
  transmit = transmit * (1 - 0.35 * Clamp01(crack));
}

void DarkRim(Vec3 a, Vec3, Colour& transmit, Colour&)
{
  const double r = std::sqrt(a.x * a.x + a.y * a.y);
  transmit = transmit * (1 - 0.75 * SmoothStep(0.65, 0.95, r));
}

void DarkInclusions(Vec3 a, Vec3 b, Colour& transmit, Colour&)
{
  for (double depth : {0.25, 0.6}) {
    const Worley w = CellNoise(Mix(a, b, depth) * 3.2, 121);
    transmit = transmit * (1 - 0.8 * (1 - SmoothStep(0.12, 0.26, w.f1)) * ((w.id % 3) == 0 ? 1.0 : 0.0));
  }
}

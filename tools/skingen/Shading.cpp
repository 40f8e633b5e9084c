#include "Shading.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

double SrgbToLinear(double c)
{
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// A soft rectangular light seen from the subject: centre direction, half sizes in radians.
double SoftBox(Vec3 dir, Vec3 centre, double halfWide, double halfTall, double softness)
{
  const Vec3 up{0, 1, 0};
  const Vec3 right = Normalize(Cross(up, centre));
  const Vec3 top = Cross(centre, right);
  const double c = Dot(dir, centre);
  if (c <= 0) return 0;
  const double a = std::atan2(Dot(dir, right), c);
  const double b = std::atan2(Dot(dir, top), c);
  const double ea = SmoothStep(halfWide + softness, halfWide - softness, std::abs(a));
  const double eb = SmoothStep(halfTall + softness, halfTall - softness, std::abs(b));
  // Real soft boxes are brighter in the middle.
  const double falloff = 1.0 - 0.35 * (a * a / (halfWide * halfWide) + b * b / (halfTall * halfTall)) * 0.5;
  return ea * eb * std::max(falloff, 0.0);
}
}  // namespace

const Vec3 kKeyDirection = Normalize({-0.55, 0.62, 0.56});
const Vec3 kRimDirection = Normalize({0.85, 0.18, 0.5});

Colour Srgb(int r, int g, int b)
{
  return {SrgbToLinear(r / 255.0), SrgbToLinear(g / 255.0), SrgbToLinear(b / 255.0)};
}

std::uint8_t ToSrgbByte(double linear)
{
  // Highlights roll off softly instead of clipping flat.
  double v = std::max(linear, 0.0);
  if (v > 0.8) v = 0.8 + 0.2 * (1.0 - std::exp(-(v - 0.8) / 0.2));
  const double s = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
  const long q = std::lround(std::clamp(s, 0.0, 1.0) * 255.0);
  return static_cast<std::uint8_t>(q);
}

Vec3 Reflect(Vec3 d, Vec3 n) { return d - n * (2 * Dot(d, n)); }

bool Refract(Vec3 d, Vec3 n, double eta, Vec3& out)
{
  const double cosi = -Dot(d, n);
  const double k = 1 - eta * eta * (1 - cosi * cosi);
  if (k < 0) return false;
  out = Normalize(d * eta + n * (eta * cosi - std::sqrt(k)));
  return true;
}

double FresnelSchlick(double cosTheta, double f0)
{
  const double m = 1 - Clamp01(cosTheta);
  return f0 + (1 - f0) * m * m * m * m * m;
}

double F0FromIor(double ior)
{
  const double r = (ior - 1) / (ior + 1);
  return r * r;
}

namespace {
std::uint64_t Mix64(std::int64_t x, std::int64_t y, std::int64_t z, std::uint32_t seed)
{
  std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^ static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL ^
                    static_cast<std::uint64_t>(z) * 0x165667B19E3779F9ULL ^ (static_cast<std::uint64_t>(seed) + 1) * 0x27D4EB2F165667C5ULL;
  h ^= h >> 31;
  h *= 0xBF58476D1CE4E5B9ULL;
  h ^= h >> 29;
  h *= 0x94D049BB133111EBULL;
  h ^= h >> 32;
  return h;
}
}  // namespace

double HashUnit(std::int64_t x, std::int64_t y, std::int64_t z, std::uint32_t seed)
{
  return static_cast<double>(Mix64(x, y, z, seed) >> 11) / 9007199254740992.0;
}

double ValueNoise(Vec3 p, std::uint32_t seed)
{
  const double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
  const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy),
             iz = static_cast<std::int64_t>(fz);
  const double tx = Fade(p.x - fx), ty = Fade(p.y - fy), tz = Fade(p.z - fz);
  double c[2][2][2];
  for (int a = 0; a < 2; ++a)
    for (int b = 0; b < 2; ++b)
      for (int d = 0; d < 2; ++d) c[a][b][d] = HashUnit(ix + a, iy + b, iz + d, seed);
  auto lerp = [](double u, double v, double t) { return u + (v - u) * t; };
  const double x00 = lerp(c[0][0][0], c[1][0][0], tx), x10 = lerp(c[0][1][0], c[1][1][0], tx);
  const double x01 = lerp(c[0][0][1], c[1][0][1], tx), x11 = lerp(c[0][1][1], c[1][1][1], tx);
  return lerp(lerp(x00, x10, ty), lerp(x01, x11, ty), tz);
}

double Fbm(Vec3 p, int octaves, std::uint32_t seed)
{
  double sum = 0, amp = 0.5, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * ValueNoise(p, seed + static_cast<std::uint32_t>(i) * 101U);
    norm += amp;
    amp *= 0.5;
    p = p * 2.03 + Vec3{1.7, 9.2, 3.1};
  }
  return sum / norm;
}

Worley CellNoise(Vec3 p, std::uint32_t seed)
{
  const auto ix = static_cast<std::int64_t>(std::floor(p.x)), iy = static_cast<std::int64_t>(std::floor(p.y)),
             iz = static_cast<std::int64_t>(std::floor(p.z));
  Worley w{1e9, 1e9, 0};
  for (int a = -1; a <= 1; ++a)
    for (int b = -1; b <= 1; ++b)
      for (int c = -1; c <= 1; ++c) {
        const std::int64_t cx = ix + a, cy = iy + b, cz = iz + c;
        const std::uint64_t h = Mix64(cx, cy, cz, seed);
        const Vec3 q{cx + (h & 0x1FFFFF) / 2097152.0, cy + ((h >> 21) & 0x1FFFFF) / 2097152.0,
                     cz + ((h >> 42) & 0x1FFFFF) / 2097152.0};
        const double d = Length(q - p);
        if (d < w.f1) {
          w.f2 = w.f1;
          w.f1 = d;
          w.id = static_cast<std::uint32_t>(h >> 7);
        } else if (d < w.f2) {
          w.f2 = d;
        }
      }
  return w;
}

Colour StudioLight(const Studio& studio, Vec3 dir)
{
  dir = Normalize(dir);
  Colour c;
  if (dir.z < -0.2) {
    // Behind the subject: the backdrop, a little darker towards the floor.
    c = studio.backdrop * (0.85 + 0.15 * Clamp01(dir.y + 0.5));
  } else {
    // The dim room, the backdrop near the horizon, the ceiling above and the table top below.
    const double behind = SmoothStep(0.2, -0.2, dir.z);
    const Colour horizon = Mix(studio.room, studio.backdrop * 0.9, behind);
    if (dir.y < 0) {
      c = Mix(horizon, studio.floor, SmoothStep(0.0, -0.3, dir.y));
    } else {
      c = Mix(horizon, studio.room, SmoothStep(0.0, 0.5, dir.y) * behind);
      c = Mix(c, studio.ceiling * studio.ceilingStrength, SmoothStep(0.45, 0.95, dir.y));
    }
  }
  const double key = SoftBox(dir, kKeyDirection, 0.36, 0.30, 0.08);
  const double rim = SoftBox(dir, kRimDirection, 0.10, 0.45, 0.06);
  const double top = SoftBox(dir, Normalize({0.05, 0.95, 0.3}), 0.5, 0.2, 0.15);
  c = c + Colour{1.0, 0.99, 0.96} * (key * studio.keyStrength) + Colour{0.95, 0.97, 1.0} * (rim * studio.rimStrength) +
      Colour{1, 1, 1} * (top * 0.6 * studio.ceilingStrength);
  return c;
}

Colour StudioDiffuse(const Studio& studio, Vec3 n)
{
  // Wrapped lambert keeps the shadow side soft, as under large soft boxes.
  auto wrap = [](double c, double w) { return std::max(0.0, (c + w) / (1 + w)); };
  const double key = wrap(Dot(n, kKeyDirection), 0.25);
  const double rim = wrap(Dot(n, kRimDirection), 0.1);
  const double sky = 0.5 + 0.5 * n.y;
  Colour c = Colour{1.0, 0.98, 0.95} * (key * 0.95 * studio.keyStrength / 6.0) +
             Colour{0.95, 0.97, 1.0} * (rim * 0.25 * studio.rimStrength / 2.5);
  c = c + Mix(studio.floor, studio.ceiling, sky) * 0.45;
  return c;
}

SphereHit HitSphere(double x, double y)
{
  const double r2 = x * x + y * y;
  if (r2 > 1) return {};
  return {true, {x, y, std::sqrt(1 - r2)}};
}

FacetHit NearestFacet(const std::vector<Vec3>& facets, Vec3 p)
{
  double best = -2, second = -2;
  int index = 0;
  for (int i = 0; i < static_cast<int>(facets.size()); ++i) {
    const double d = Dot(facets[i], p);
    if (d > best) {
      second = best;
      best = d;
      index = i;
    } else if (d > second) {
      second = d;
    }
  }
  return {facets[static_cast<std::size_t>(index)], std::acos(std::clamp(second, -1.0, 1.0)) - std::acos(std::clamp(best, -1.0, 1.0)), index};
}

std::vector<Vec3> FibonacciFacets(int count, double twist)
{
  std::vector<Vec3> out;
  const double golden = kPi * (3 - std::sqrt(5.0));
  for (int i = 0; i < count; ++i) {
    const double y = 1 - 2 * (i + 0.5) / count;
    const double r = std::sqrt(1 - y * y);
    const double a = golden * i + twist;
    // Stones are cut with the table towards the viewer, so the axis is z.
    out.push_back(Normalize({r * std::cos(a), r * std::sin(a), y}));
  }
  return out;
}

std::vector<Vec3> CutFacets(const std::vector<FacetRing>& rings)
{
  std::vector<Vec3> out{{0, 0, 1}, {0, 0, -1}};
  for (const FacetRing& ring : rings) {
    const double tilt = ring.tiltDegrees * kPi / 180;
    for (int i = 0; i < ring.count; ++i) {
      const double a = 2 * kPi * (i + ring.phase) / ring.count + kPi / 2;
      const Vec3 d{std::sin(tilt) * std::cos(a), std::sin(tilt) * std::sin(a), std::cos(tilt)};
      out.push_back(d);
      out.push_back({d.x, d.y, -d.z});
    }
  }
  return out;
}

LinearImage RenderSquare(int size, int samples, const SampleShader& shader)
{
  LinearImage img{size, size, std::vector<Colour>(static_cast<std::size_t>(size) * size)};
  const double half = size / 2.0;
  for (int py = 0; py < size; ++py)
    for (int px = 0; px < size; ++px) {
      Colour sum;
      for (int sy = 0; sy < samples; ++sy)
        for (int sx = 0; sx < samples; ++sx) {
          const double fx = px + (sx + 0.5) / samples, fy = py + (sy + 0.5) / samples;
          sum = sum + shader((fx - half) / half, (half - fy) / half);
        }
      img.pixels[static_cast<std::size_t>(py) * size + px] = sum * (1.0 / (samples * samples));
    }
  return img;
}

#include "Artwork.h"

Rgb8Image ToRgb8(const LinearImage& image)
{
  Rgb8Image out{image.width, image.height, std::vector<std::uint8_t>(image.pixels.size() * 3)};
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    out.rgb[i * 3] = ToSrgbByte(image.pixels[i].x);
    out.rgb[i * 3 + 1] = ToSrgbByte(image.pixels[i].y);
    out.rgb[i * 3 + 2] = ToSrgbByte(image.pixels[i].z);
  }
  return out;
}

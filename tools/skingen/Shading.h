#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

// Small linear-light rendering kit for the built-in pictures: vectors, deterministic noise, a studio
// environment, and ray helpers for spheres and faceted stones.

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(double s, Vec3 a) { return a * s; }
inline Vec3 operator*(Vec3 a, Vec3 b) { return {a.x * b.x, a.y * b.y, a.z * b.z}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a)
{
  const double l = Length(a);
  return l > 0 ? a * (1.0 / l) : Vec3{0, 0, 1};
}
inline Vec3 Mix(Vec3 a, Vec3 b, double t) { return a * (1 - t) + b * t; }
inline double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double SmoothStep(double e0, double e1, double v)
{
  const double t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// Colours are linear light, Vec3 {r, g, b}.
using Colour = Vec3;
// An sRGB byte triple given as 0..255 integers, converted to linear light.
Colour Srgb(int r, int g, int b);
std::uint8_t ToSrgbByte(double linear);

Vec3 Reflect(Vec3 d, Vec3 n);
// Refracts d through a surface with normal n facing against d; false on total internal reflection.
bool Refract(Vec3 d, Vec3 n, double eta, Vec3& out);
double FresnelSchlick(double cosTheta, double f0);
double F0FromIor(double ior);

// Deterministic integer hash noise: the same inputs give the same values on every run.
double HashUnit(std::int64_t x, std::int64_t y, std::int64_t z, std::uint32_t seed);
double ValueNoise(Vec3 p, std::uint32_t seed);                    // 0..1, smooth
double Fbm(Vec3 p, int octaves, std::uint32_t seed);                // 0..1
struct Worley {
  double f1, f2;
  std::uint32_t id;
};
Worley CellNoise(Vec3 p, std::uint32_t seed);                      // distances to the two nearest cell points

// The photo studio around every subject: soft boxes up left and right, a pale ceiling, a floor tinted
// like the backdrop. Directions point away from the subject; +z is towards the camera, +y up.
struct Studio {
  Colour floor{0.2, 0.2, 0.2};
  Colour ceiling{0.55, 0.55, 0.58};
  Colour backdrop{0.5, 0.5, 0.5};
  Colour room{0.05, 0.05, 0.05};  // the dim studio behind the camera
  double keyStrength = 6.0;
  double rimStrength = 2.5;
  double ceilingStrength = 1.0;
};
Colour StudioLight(const Studio& studio, Vec3 dir);
// Diffuse irradiance for a normal, from the same studio (key, rim, sky and floor bounce).
Colour StudioDiffuse(const Studio& studio, Vec3 n);
extern const Vec3 kKeyDirection;
extern const Vec3 kRimDirection;

// Unit-sphere view: pixel sample (x, y) in sphere radii, y up; the camera looks down -z.
struct SphereHit {
  bool hit = false;
  Vec3 p;  // surface point, equal to the outward normal
};
SphereHit HitSphere(double x, double y);

// Nearest of a set of unit directions: the facet a point of a faceted stone lies on.
struct FacetHit {
  Vec3 normal;
  double edge;  // angular distance to the next facet's border, 0 on the border
  int index;
};
FacetHit NearestFacet(const std::vector<Vec3>& facets, Vec3 p);
std::vector<Vec3> FibonacciFacets(int count, double twist);
// A cut stone: a table facing the viewer and rings of facets, mirrored on the back.
struct FacetRing {
  int count;
  double tiltDegrees;  // from the viewing axis
  double phase;        // fraction of one facet's step
};
std::vector<Vec3> CutFacets(const std::vector<FacetRing>& rings);

// A linear-light picture in the making.
struct LinearImage {
  int width = 0;
  int height = 0;
  std::vector<Colour> pixels;
};
using SampleShader = std::function<Colour(double x, double y)>;
// Renders size x size pixels with n x n samples per pixel. Shader coordinates: (0,0) the centre,
// +-1 the square's edges, y up.
LinearImage RenderSquare(int size, int samples, const SampleShader& shader);

struct Rgb8Image;
// Linear light to sRGB bytes, rows top to bottom, red green blue.
Rgb8Image ToRgb8(const LinearImage& image);

#pragma once
#include <cstdint>
#include <vector>

// What a face pixel is made of, apart from its colour and the transparency: everything here depends
// only on the diameter and the dial style, so it is kept between runs and reused after a skin or
// transparency change.
enum class FacePixelKind : std::uint8_t {
  Outside,    // r > 1: alpha 0, colours kept
  Plain,      // surface colour, alpha from the shade
  Rim,        // lifted colour, alpha from the rim light
  HiddenRim,  // r <= 1 but r' > 1: rim colour with alpha 0
};

// The per-pixel values of the two face algorithms: r, r', the shade s and the rim light L.
struct FaceShapeValues {
  long double r = 0;        // normalised radius
  long double shaped = 0;   // r' (r itself for the plain disc and style 0)
  long double shade = 0;    // s
  long double light = 0;    // L, rim pixels only
  FacePixelKind kind = FacePixelKind::Outside;
};

// Sine, cosine and arc cosine from the C library, or straight from the x87 unit (faster, and the same
// bits on every system; the tests prove it yields the same planes for every diameter and style the
// synthesis can meet).
enum class FaceTrig : std::uint8_t { Library, X87 };
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
inline constexpr FaceTrig kFaceTrig = FaceTrig::X87;
#else
inline constexpr FaceTrig kFaceTrig = FaceTrig::Library;
#endif

// The shape family a dial style selects: 0..7 shaped, a stored value below 0 as style 0, anything
// above 7 the plain disc.
std::int32_t FaceShapeKey(std::int32_t dialStyle);
inline constexpr std::int32_t kPlainDiscKey = 8;

// The values of one pixel from |x| and |y| (each |2k / D - 1|) for a shape key.
FaceShapeValues ComputeFaceShape(long double absX, long double absY, std::int32_t shapeKey, FaceTrig trig = kFaceTrig);

struct FaceShapeCell {
  long double alpha255 = 0;  // s x 255 or L x 255, before the transparency factor
  std::int32_t rim = -1;     // index of the rim light, rim pixels only
  FacePixelKind kind = FacePixelKind::Outside;
};

// What a rim pixel does to each colour byte b: (b + lift x (255 - b)) x gain.
struct FaceRimLight {
  long double lift = 0;  // 0.6 x L^4
  long double gain = 0;  // 0.6 x L + 0.4
};

// Cells keyed by the distinct |x| values of the square: a mirrored row or column shares its cells
// only where its coordinate is bitwise equal (about a third of them; the rest differ in the last bit).
struct FaceShapeCache {
  bool valid = false;
  std::int32_t diameter = 0;
  std::int32_t shapeKey = -1;
  FaceTrig trig = kFaceTrig;
  std::vector<std::int32_t> axisIndex;  // row or column -> distinct-coordinate index
  std::int32_t distinct = 0;
  std::vector<FaceShapeCell> cells;     // distinct x distinct, [row index][column index]
  std::vector<FaceRimLight> rims;       // kept apart: few cells are on the rim

  const FaceShapeCell& Cell(std::int32_t row, std::int32_t column) const
  {
    return cells[static_cast<std::size_t>(axisIndex[row]) * static_cast<std::size_t>(distinct) +
                 static_cast<std::size_t>(axisIndex[column])];
  }
};

// Brings the cache to (diameter, dial style); does nothing when it already holds them.
void UpdateFaceShape(FaceShapeCache& cache, std::int32_t diameter, std::int32_t dialStyle, FaceTrig trig = kFaceTrig);

#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "Artwork.h"
#include "Interiors.h"
#include "Surfaces.h"

namespace {
constexpr int kFaceSize = 220;
constexpr int kFaceSamples = 3;

// Something in front of the sphere (a stand), in square coordinates.
using Foreground = std::function<std::optional<Colour>(const Scene& scene, double x, double y)>;

struct FaceLook {
  Scene scene{};
  BodyShader body{};
  double radius = 1.02;  // a touch over the square so the shown disc is all sphere
  double centreY = 0;
  Foreground front{};
};

Studio StudioFor(Colour backdrop, Colour floor)
{
  Studio s;
  s.backdrop = backdrop;
  s.floor = floor;
  s.ceiling = Mix(backdrop, Colour{0.7, 0.7, 0.72}, 0.6);
  s.room = backdrop * 0.12 + Colour{0.02, 0.02, 0.02};
  return s;
}

// A studio of these colours with something else behind the subject.
Scene InStudio(Colour backdrop, Colour floor, Backdrop behind) { return {StudioFor(backdrop, floor), behind}; }

Scene SceneOn(Colour backdrop, Colour floor) { return InStudio(backdrop, floor, SweepBackdrop(backdrop, floor, 0.6)); }

Scene WithCeiling(Scene scene, Colour ceiling)
{
  scene.studio.ceiling = ceiling;
  return scene;
}

// A polished metal or lacquered stand seen from the front: its rim just under the ball, widening
// downwards past the bottom edge of the picture.
Foreground Stand(Colour tint, double top, double halfWidth, double gloss)
{
  return [tint, top, halfWidth, gloss](const Scene& scene, double x, double y) -> std::optional<Colour> {
    const double hw = halfWidth + 0.8 * std::max(0.0, top - y);
    const double u = x / hw;
    if (std::abs(u) > 1) return std::nullopt;
    // The front of the rim dips, as an ellipse seen slightly from above.
    const double rimY = top - 0.04 * std::sqrt(1 - u * u);
    if (y > rimY) return std::nullopt;
    const double below = rimY - y;
    const Vec3 n = Normalize({u * 0.95, 0.35 - 2.0 * below, std::sqrt(std::max(0.02, 1 - u * u))});
    const Vec3 r = Reflect({0, 0, -1}, n);
    Colour c = tint * StudioDiffuse(scene.studio, n) * 0.35 + StudioLight(scene.studio, r) * (tint * gloss + Colour{0.04, 0.04, 0.04});
    // A bright bevel along the rim catches the key light.
    c = c + Colour{1, 1, 1} * (0.9 * gloss * (1 - SmoothStep(0.0, 0.02, below)) * (1 - 0.6 * std::abs(u)));
    return c;
  };
}

// A fibrous stone with a sharp bright line across its fibres, a little left of the middle.
OpaqueLook CatsEye(Colour deep, Colour light, Colour line)
{
  return {.albedo = CatsEyeFibres(deep, light), .fibre = {1, 0, 0}, .chatoyance = 1.3, .chatoyantSharpness = 220,
          .chatoyantTint = line, .bandHalf = {-0.18, 0, 1}, .glow = 0.3};
}

const std::vector<Vec3> kCrystalFacets = FibonacciFacets(72, 0.3);

// One row per skin, in catalogue order.
const FaceLook kFaces[] = {
    // 1: faceted orange-red crystal ball on light grey
    {.scene = SceneOn(Srgb(210, 210, 210), Srgb(160, 160, 160)),
     .body = Glass({.ior = 1.55, .absorption = {0.1, 1.9, 3.2}, .facets = &kCrystalFacets, .facetEdgeLight = 0.08,
                    .facetVariation = 0.5, .bodyGlow = {0.04, 0.01, 0.0}})},
    // 2: violet amethyst on white, a silver stand just showing at the bottom
    {.scene = SceneOn(Srgb(250, 250, 250), Srgb(215, 215, 218)),
     .body = Glass({.ior = 1.54, .absorption = {0.15, 0.45, 0.08},
                    .interior = Layered(Stained(AmethystZones, {1.3, 3.6, 0.5}),
                                        Veiled({0.3, 0.24, 0.38}, 0.3, 2.2, 21))}),
     .radius = 0.99, .centreY = 0.02, .front = Stand(Srgb(205, 207, 212), -0.88, 0.46, 0.9)},
    // 3: orange calcite with pale bands on light beige
    {.scene = SceneOn(Srgb(232, 220, 196), Srgb(190, 175, 150)),
     .body = Opaque({.albedo = CalciteBands, .ior = 1.6, .glow = 0.35})},
    // 4: white-grey satin spar with a bright horizontal sheen, on black
    {.scene = WithCeiling(SceneOn(Srgb(6, 6, 6), Srgb(4, 4, 4)), Srgb(40, 40, 42)),
     .body = Opaque({.albedo = Mottled(Srgb(178, 178, 180), Srgb(205, 204, 200), {30.0, 1.5, 30.0}, 2, 41),
                     .fibre = {0, 1, 0}, .chatoyance = 1.0, .chatoyantSharpness = 160, .bandHalf = {0, 0.12, 1},
                     .glow = 0.15})},
    // 5: clear pink quartz on mauve
    {.scene = SceneOn(Srgb(190, 150, 180), Srgb(120, 88, 115)),
     .body = Glass({.ior = 1.54, .absorption = {0.06, 1.05, 0.5}, .interior = Veiled({0.4, 0.25, 0.3}, 0.35, 1.8, 51),
                    .bodyGlow = {0.04, 0.015, 0.025}})},
    // 6: teal-green glass on beige
    {.scene = SceneOn(Srgb(228, 214, 186), Srgb(180, 165, 135)),
     .body = Glass({.absorption = {1.8, 0.25, 0.5}, .bodyGlow = {0.0, 0.015, 0.012}})},
    // 7: opal glass on grey-brown
    {.scene = SceneOn(Srgb(140, 125, 110), Srgb(95, 85, 72)),
     .body = Opaque({.albedo = OpalGlassGradient, .ior = 1.5, .glow = 0.35})},
    // 8: speckled red jasper on dark grey-brown
    {.scene = SceneOn(Srgb(70, 62, 56), Srgb(45, 40, 36)), .body = Opaque({.albedo = Jasper, .ior = 1.55})},
    // 9: clear rock crystal over brown wood
    {.scene = InStudio(Srgb(120, 78, 45), Srgb(100, 62, 35), WoodBackdrop(Srgb(156, 104, 62), Srgb(78, 45, 24), 91)),
     .body = Glass({.ior = 1.54, .absorption = {0.02, 0.02, 0.03}, .interior = Veiled({0.35, 0.34, 0.33}, 0.3, 2.5, 92)})},
    // 10: pale blue glass on light grey
    {.scene = SceneOn(Srgb(212, 212, 212), Srgb(165, 165, 165)),
     .body = Glass({.absorption = {0.8, 0.35, 0.1}, .bodyGlow = {0.01, 0.015, 0.025}})},
    // 11: red glass on a black stand, on white
    {.scene = SceneOn(Srgb(250, 250, 250), Srgb(150, 150, 152)),
     .body = Glass({.absorption = {0.25, 3.2, 2.8}, .bodyGlow = {0.05, 0.0, 0.002}, .caustic = 1.4}),
     .radius = 0.99, .centreY = 0.02, .front = Stand(Srgb(14, 14, 16), -0.87, 0.5, 0.5)},
    // 12: smoky brown amber with a little golden haze, on white
    {.scene = SceneOn(Srgb(250, 250, 250), Srgb(212, 210, 205)),
     .body = Glass({.ior = 1.54, .absorption = {0.6, 1.05, 1.7},
                    .interior = Layered(Stained(SmokeWisps, {0.9, 1.2, 1.5}), Veiled({0.25, 0.14, 0.06}, 0.2, 1.6, 121)),
                    .bodyGlow = {0.025, 0.012, 0.004}})},
    // 13: golden crackled amber on dark blue
    {.scene = SceneOn(Srgb(25, 35, 80), Srgb(12, 18, 45)),
     .body = Glass({.ior = 1.54, .absorption = {0.08, 0.35, 2.0}, .interior = Crackle, .bodyGlow = {0.1, 0.055, 0.0}})},
    // 14: blue cat's-eye on white
    {.scene = SceneOn(Srgb(250, 250, 250), Srgb(210, 210, 214)),
     .body = Opaque(CatsEye(Srgb(22, 48, 130), Srgb(55, 105, 195), {0.55, 0.75, 1.0}))},
    // 15: pink cat's-eye on dark violet
    {.scene = SceneOn(Srgb(55, 30, 70), Srgb(30, 15, 40)),
     .body = Opaque(CatsEye(Srgb(190, 85, 125), Srgb(232, 145, 178), {1.0, 0.8, 0.88}))},
};
constexpr int kFaceCount = static_cast<int>(std::size(kFaces));

Rgb8Image Render(const FaceLook& look)
{
  const LinearImage img = RenderSquare(kFaceSize, kFaceSamples, [&look](double x, double y) -> Colour {
    if (look.front) {
      if (auto c = look.front(look.scene, x, y)) return *c;
    }
    const double sx = x / look.radius, sy = (y - look.centreY) / look.radius;
    const SphereHit hit = HitSphere(sx, sy);
    if (!hit.hit) return CornerBackground(look.scene, x, y, look.radius);
    return look.body(look.scene, hit.p);
  });
  return ToRgb8(img);
}
}  // namespace

Rgb8Image RenderFace(int skin)
{
  if (skin < 1 || skin > kFaceCount) throw std::invalid_argument("no face picture number " + std::to_string(skin));
  return Render(kFaces[skin - 1]);
}

#include <iterator>
#include <stdexcept>
#include <string>

#include "Artwork.h"
#include "Interiors.h"
#include "Surfaces.h"

namespace {
constexpr int kMarkerSize = 35;
constexpr int kMarkerSamples = 8;

struct MarkerLook {
  Scene scene{};
  BodyShader body{};
  double radius = 1.02;  // a touch over the square so the shown disc is all subject
};

Scene MarkerScene(Colour backdrop, Colour floor)
{
  Scene sc;
  sc.studio.backdrop = backdrop;
  sc.studio.floor = floor;
  sc.studio.ceiling = Mix(backdrop, Colour{0.7, 0.7, 0.72}, 0.6);
  sc.backdrop = PlainBackdrop(backdrop * 1.1, floor);
  return sc;
}

Scene WithKey(Scene scene, double keyStrength)
{
  scene.studio.keyStrength = keyStrength;
  return scene;
}

// Clear glass shows its surroundings, so they get colours of their own.
Scene Surrounded(Scene scene, Colour ceiling, Colour floor, Backdrop behind)
{
  scene.studio.ceiling = ceiling;
  scene.studio.floor = floor;
  scene.backdrop = behind;
  return scene;
}

const std::vector<Vec3> kGemFacets = CutFacets({{8, 30, 0.5}, {8, 52, 0}, {16, 72, 0.25}, {16, 88, 0.75}});

GlassLook CutGem(double ior, Colour absorption, Colour glow, double edgeLight)
{
  return {.ior = ior, .absorption = absorption, .facets = &kGemFacets, .facetEdgeLight = edgeLight, .facetVariation = 0.8,
          .bodyGlow = glow};
}

OpaqueLook Bead(Colour colour, double ior = OpaqueLook{}.ior)
{
  return {.albedo = Plain(colour), .ior = ior, .clearCoat = 0.8};
}

// One row per marker, in catalogue order.
const MarkerLook kMarkers[] = {
    // 1: white pearl on grey
    {.scene = MarkerScene(Srgb(130, 130, 132), Srgb(90, 90, 92)),
     .body = Opaque({.albedo = Nacre, .ior = 1.68, .clearCoat = 0.6, .glow = 0.1})},
    // 2: faceted green crystal on green; a brighter key makes the facet flashes white rather than grey
    {.scene = WithKey(MarkerScene(Srgb(64, 140, 64), Srgb(30, 85, 34)), 16),
     .body = Glass(CutGem(1.58, {2.2, 0.4, 1.8}, {0.0, 0.03, 0.01}, 0.08))},
    // 3: glossy lime-green bead on lime green
    {.scene = MarkerScene(Srgb(160, 205, 70), Srgb(110, 150, 40)), .body = Opaque(Bead(Srgb(130, 200, 25)))},
    // 4: orange glass marble with a dark rim, on orange
    {.scene = MarkerScene(Srgb(235, 140, 45), Srgb(170, 85, 20)),
     .body = Glass({.absorption = {0.08, 0.9, 2.8}, .interior = DarkRim, .bodyGlow = {0.15, 0.05, 0.0}})},
    // 5: clear glass marble reflecting teal and blue, on dark teal
    {.scene = Surrounded(MarkerScene(Srgb(16, 66, 72), Srgb(8, 36, 50)), Srgb(50, 150, 170), Srgb(15, 40, 120),
                         PlainBackdrop(Srgb(25, 110, 125), Srgb(12, 35, 110))),
     .body = Glass({.absorption = {0.15, 0.05, 0.03}})},
    // 6: glossy blue bead on white
    {.scene = MarkerScene(Srgb(250, 250, 250), Srgb(215, 215, 218)), .body = Opaque(Bead(Srgb(18, 50, 175)))},
    // 7: honey-amber drop on brick red
    {.scene = MarkerScene(Srgb(155, 60, 42), Srgb(100, 35, 25)),
     .body = Glass({.ior = 1.54, .absorption = {0.15, 0.7, 2.4}, .bodyGlow = {0.12, 0.06, 0.0}})},
    // 8: steel-blue bead on pale blue
    {.scene = MarkerScene(Srgb(195, 215, 238), Srgb(150, 175, 205)), .body = Opaque(Bead(Srgb(58, 84, 122), 2.2))},
    // 9: faceted violet gem on white
    {.scene = MarkerScene(Srgb(250, 250, 250), Srgb(210, 210, 215)),
     .body = Glass(CutGem(1.6, {0.5, 2.0, 0.3}, {0.05, 0.0, 0.07}, 0.15))},
    // 10: pale opal with coloured flecks, on dark ground
    {.scene = MarkerScene(Srgb(32, 30, 38), Srgb(18, 16, 22)), .body = Opaque({.albedo = OpalFlecks, .glow = 0.3})},
    // 11: pale aqua glass bead on yellow
    {.scene = MarkerScene(Srgb(240, 212, 60), Srgb(190, 160, 30)),
     .body = Glass({.absorption = {0.75, 0.1, 0.06}, .bodyGlow = {0.02, 0.07, 0.07}})},
    // 12: speckled orange amber bead on white
    {.scene = MarkerScene(Srgb(250, 250, 250), Srgb(212, 210, 205)),
     .body = Glass({.absorption = {0.1, 0.8, 2.5}, .interior = DarkInclusions, .bodyGlow = {0.18, 0.07, 0.0}})},
    // 13: green jade bead on pale grey
    {.scene = MarkerScene(Srgb(222, 222, 222), Srgb(180, 180, 180)),
     .body = Opaque({.albedo = Mottled(Srgb(140, 205, 155), Srgb(196, 232, 196), {2.5, 2.5, 2.5}, 4, 131), .ior = 1.62,
                     .glow = 0.3})},
    // 14: red coral bead on light grey
    {.scene = MarkerScene(Srgb(215, 215, 215), Srgb(170, 170, 170)),
     .body = Opaque({.albedo = Mottled(Srgb(215, 55, 40), Srgb(185, 35, 30), {5.0, 5.0, 5.0}, 3, 141), .ior = 1.5,
                     .gloss = 0.8})},
};
constexpr int kMarkerCount = static_cast<int>(std::size(kMarkers));
}  // namespace

Rgb8Image RenderMarker(int marker)
{
  if (marker < 1 || marker > kMarkerCount)
    throw std::invalid_argument("no marker picture number " + std::to_string(marker));
  const MarkerLook& look = kMarkers[marker - 1];
  const LinearImage img = RenderSquare(kMarkerSize, kMarkerSamples, [&look](double x, double y) -> Colour {
    const SphereHit hit = HitSphere(x / look.radius, y / look.radius);
    if (!hit.hit) return CornerBackground(look.scene, x, y, look.radius);
    return look.body(look.scene, hit.p);
  });
  return ToRgb8(img);
}

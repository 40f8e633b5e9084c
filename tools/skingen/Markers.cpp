#include <stdexcept>
#include <string>

#include "Artwork.h"
#include "Materials.h"

namespace {
constexpr int kMarkerSize = 35;
constexpr int kMarkerSamples = 8;

struct MarkerLook {
  Scene scene;
  BodyShader body;
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

const std::vector<Vec3> kGemFacets = CutFacets({{8, 30, 0.5}, {8, 52, 0}, {16, 72, 0.25}, {16, 88, 0.75}});

Colour Hue(double h)
{
  const double r = Clamp01(std::abs(h * 6 - 3) - 1), g = Clamp01(2 - std::abs(h * 6 - 2)), b = Clamp01(2 - std::abs(h * 6 - 4));
  return {r, g, b};
}

OpaqueLook Bead(Colour colour)
{
  OpaqueLook o;
  o.albedo = [colour](Vec3) { return colour; };
  o.clearCoat = 0.8;
  return o;
}

GlassLook Tinted(Colour absorption, Colour glow)
{
  GlassLook g;
  g.absorption = absorption;
  g.bodyGlow = glow;
  return g;
}

MarkerLook Marker(int marker)
{
  MarkerLook m;
  switch (marker) {
  case 1: {  // white pearl on grey
    m.scene = MarkerScene(Srgb(130, 130, 132), Srgb(90, 90, 92));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      // Nacre: a faint rose and green play towards the rim, and a slight waviness of the layers.
      const double rim = 1 - p.z;
      const Colour overtone = Mix(Srgb(236, 206, 214), Srgb(208, 228, 214), SmoothStep(-0.6, 0.6, p.x - p.y));
      const Colour body = Srgb(236, 232, 224) * (0.96 + 0.08 * Fbm(p * 3.0, 2, 11));
      return Mix(body, overtone, Clamp01(rim * 1.1));
    };
    o.ior = 1.68;
    o.clearCoat = 0.6;
    o.glow = 0.1;
    m.body = Opaque(o);
    break;
  }
  case 2: {  // faceted green crystal on green
    m.scene = MarkerScene(Srgb(64, 140, 64), Srgb(30, 85, 34));
    // A brighter key makes the facet flashes white rather than grey.
    m.scene.studio.keyStrength = 16;
    GlassLook g = Tinted({2.2, 0.4, 1.8}, {0.0, 0.03, 0.01});
    g.ior = 1.58;
    g.facets = &kGemFacets;
    g.facetEdgeLight = 0.08;
    g.facetVariation = 0.8;
    m.body = Glass(g);
    break;
  }
  case 3:  // glossy lime-green bead on lime green
    m.scene = MarkerScene(Srgb(160, 205, 70), Srgb(110, 150, 40));
    m.body = Opaque(Bead(Srgb(130, 200, 25)));
    break;
  case 4: {  // orange glass marble with a dark rim, on orange
    m.scene = MarkerScene(Srgb(235, 140, 45), Srgb(170, 85, 20));
    GlassLook g = Tinted({0.08, 0.9, 2.8}, {0.15, 0.05, 0.0});
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour&) {
      // The rim of the marble is darker glass.
      const double r = std::sqrt(a.x * a.x + a.y * a.y);
      t = t * (1 - 0.75 * SmoothStep(0.65, 0.95, r));
      (void)b;
    };
    m.body = Glass(g);
    break;
  }
  case 5: {  // clear glass marble reflecting teal and blue, on dark teal
    m.scene = MarkerScene(Srgb(16, 66, 72), Srgb(8, 36, 50));
    m.scene.studio.ceiling = Srgb(50, 150, 170);
    m.scene.studio.floor = Srgb(15, 40, 120);
    m.scene.backdrop = PlainBackdrop(Srgb(25, 110, 125), Srgb(12, 35, 110));
    m.body = Glass(Tinted({0.15, 0.05, 0.03}, {0, 0, 0}));
    break;
  }
  case 6:  // glossy blue bead on white
    m.scene = MarkerScene(Srgb(250, 250, 250), Srgb(215, 215, 218));
    m.body = Opaque(Bead(Srgb(18, 50, 175)));
    break;
  case 7: {  // honey-amber drop on brick red
    m.scene = MarkerScene(Srgb(155, 60, 42), Srgb(100, 35, 25));
    GlassLook g = Tinted({0.15, 0.7, 2.4}, {0.12, 0.06, 0.0});
    g.ior = 1.54;
    m.body = Glass(g);
    break;
  }
  case 8: {  // steel-blue bead on pale blue
    m.scene = MarkerScene(Srgb(195, 215, 238), Srgb(150, 175, 205));
    OpaqueLook o = Bead(Srgb(58, 84, 122));
    o.ior = 2.2;
    m.body = Opaque(o);
    break;
  }
  case 9: {  // faceted violet gem on white
    m.scene = MarkerScene(Srgb(250, 250, 250), Srgb(210, 210, 215));
    GlassLook g = Tinted({0.5, 2.0, 0.3}, {0.05, 0.0, 0.07});
    g.ior = 1.6;
    g.facets = &kGemFacets;
    g.facetEdgeLight = 0.15;
    g.facetVariation = 0.8;
    m.body = Glass(g);
    break;
  }
  case 10: {  // pale opal with coloured flecks, on dark ground
    m.scene = MarkerScene(Srgb(32, 30, 38), Srgb(18, 16, 22));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      // Patches of spectral colour that come and go with the viewing angle, over milky white.
      const Worley w = CellNoise(p * 1.9, 101);
      const double patch = 1 - SmoothStep(0.2, 0.55, w.f1);
      const double shown = std::pow(0.5 + 0.5 * std::sin(w.id * 0.37 + p.z * 4.0), 2.0);
      const Colour flash = Hue((w.id % 997) / 997.0);
      return Mix(Srgb(226, 230, 236), flash, Clamp01(patch * shown * 0.9));
    };
    o.glow = 0.3;
    m.body = Opaque(o);
    break;
  }
  case 11:  // pale aqua glass bead on yellow
    m.scene = MarkerScene(Srgb(240, 212, 60), Srgb(190, 160, 30));
    m.body = Glass(Tinted({0.75, 0.1, 0.06}, {0.02, 0.07, 0.07}));
    break;
  case 12: {  // speckled orange amber bead on white
    m.scene = MarkerScene(Srgb(250, 250, 250), Srgb(212, 210, 205));
    GlassLook g = Tinted({0.1, 0.8, 2.5}, {0.18, 0.07, 0.0});
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour&) {
      // Dark inclusions at two depths.
      for (double depth : {0.25, 0.6}) {
        const Worley w = CellNoise(Mix(a, b, depth) * 3.2, 121);
        t = t * (1 - 0.8 * (1 - SmoothStep(0.12, 0.26, w.f1)) * ((w.id % 3) == 0 ? 1.0 : 0.0));
      }
    };
    m.body = Glass(g);
    break;
  }
  case 13: {  // green jade bead on pale grey
    m.scene = MarkerScene(Srgb(222, 222, 222), Srgb(180, 180, 180));
    OpaqueLook o;
    o.albedo = [](Vec3 p) { return Mix(Srgb(140, 205, 155), Srgb(196, 232, 196), Fbm(p * 2.5, 4, 131)); };
    o.glow = 0.3;
    o.ior = 1.62;
    m.body = Opaque(o);
    break;
  }
  case 14: {  // red coral bead on light grey
    m.scene = MarkerScene(Srgb(215, 215, 215), Srgb(170, 170, 170));
    OpaqueLook o;
    o.albedo = [](Vec3 p) { return Mix(Srgb(215, 55, 40), Srgb(185, 35, 30), Fbm(p * 5.0, 3, 141)); };
    o.ior = 1.5;
    o.gloss = 0.8;
    m.body = Opaque(o);
    break;
  }
  default:
    throw std::invalid_argument("no marker picture number " + std::to_string(marker));
  }
  return m;
}
}  // namespace

Rgb8Image RenderMarker(int marker)
{
  const MarkerLook look = Marker(marker);
  const LinearImage img = RenderSquare(kMarkerSize, kMarkerSamples, [&look](double x, double y) -> Colour {
    const SphereHit hit = HitSphere(x / look.radius, y / look.radius);
    if (!hit.hit) return CornerBackground(look.scene, x, y, look.radius);
    return look.body(look.scene, hit.p);
  });
  return ToRgb8(img);
}

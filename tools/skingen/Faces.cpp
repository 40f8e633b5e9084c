#include <optional>
#include <stdexcept>
#include <string>

#include "Artwork.h"
#include "Materials.h"

namespace {
constexpr int kFaceSize = 220;
constexpr int kFaceSamples = 3;

struct FaceLook {
  Scene scene;
  BodyShader body;
  double radius = 1.02;  // a touch over the square so the shown disc is all sphere
  double centreY = 0;
  // Something in front of the sphere (a stand), in square coordinates.
  std::function<std::optional<Colour>(const Scene& scene, double x, double y)> front;
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

Scene SceneOn(Colour backdrop, Colour floor)
{
  Scene sc;
  sc.studio = StudioFor(backdrop, floor);
  sc.backdrop = SweepBackdrop(backdrop, floor, 0.6);
  return sc;
}

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

// A polished metal or lacquered stand seen from the front: its rim just under the ball, widening
// downwards past the bottom edge of the picture.
std::function<std::optional<Colour>(const Scene&, double, double)> Stand(Colour tint, double top, double halfWidth, double gloss)
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

const std::vector<Vec3> kCrystalFacets = FibonacciFacets(72, 0.3);

// Fine internal veils and clouds in otherwise clear stones: sampled along the chord.
void Veils(Vec3 a, Vec3 b, Colour& transmit, Colour& glow, Colour tint, double amount, double scale, std::uint32_t seed)
{
  constexpr int kSteps = 6;
  double density = 0;
  for (int i = 0; i < kSteps; ++i) {
    const Vec3 q = Mix(a, b, (i + 0.5) / kSteps);
    const double n = Fbm(q * scale, 4, seed);
    density += SmoothStep(0.55, 0.8, n);
  }
  density *= Length(b - a) / kSteps;
  glow = glow + tint * (amount * density);
  transmit = transmit * (1 - Clamp01(0.5 * amount * density));
}

FaceLook Face(int skin)
{
  FaceLook f;
  switch (skin) {
  case 1: {  // faceted orange-red crystal ball on light grey
    f.scene = SceneOn(Srgb(210, 210, 210), Srgb(160, 160, 160));
    GlassLook g;
    g.ior = 1.55;
    g.absorption = {0.1, 1.9, 3.2};
    g.facets = &kCrystalFacets;
    g.facetEdgeLight = 0.08;
    g.facetVariation = 0.5;
    g.bodyGlow = {0.04, 0.01, 0.0};
    f.body = Glass(g);
    break;
  }
  case 2: {  // violet amethyst on white, a silver stand just showing at the bottom
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(215, 215, 218));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.15, 0.45, 0.08};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      // Colour zoning: deep violet layers alternating with paler quartz.
      constexpr int kSteps = 6;
      double zone = 0;
      for (int i = 0; i < kSteps; ++i) {
        const Vec3 q = Mix(a, b, (i + 0.5) / kSteps);
        const double layers = 0.5 + 0.5 * std::sin((q.y * 2.2 - std::abs(q.x) * 1.4 + Fbm(q * 1.6, 3, 22) * 2.0) * 3.4);
        zone += SmoothStep(0.35, 0.85, layers);
      }
      zone *= Length(b - a) / kSteps;
      t = t * Colour{std::exp(-1.3 * zone), std::exp(-3.6 * zone), std::exp(-0.5 * zone)};
      Veils(a, b, t, glow, Colour{0.3, 0.24, 0.38}, 0.3, 2.2, 21);
    };
    f.body = Glass(g);
    f.radius = 0.99;
    f.centreY = 0.02;
    f.front = Stand(Srgb(205, 207, 212), -0.88, 0.46, 0.9);
    break;
  }
  case 3: {  // orange calcite with pale bands on light beige
    f.scene = SceneOn(Srgb(232, 220, 196), Srgb(190, 175, 150));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      // Growth layers: gently warped planes, some broad and pale, some fine.
      const double warp = Fbm(p * 1.3, 4, 31);
      const double h = p.y * 1.0 + p.x * 0.25 + warp * 0.9;
      const double broad = 0.5 + 0.5 * std::sin(h * 9.0);
      const double fine = 0.5 + 0.5 * std::sin(h * 23.0 + 1.3);
      const Colour orange = Mix(Srgb(228, 108, 28), Srgb(200, 80, 18), Fbm(p * 2.5, 3, 32));
      const double pale = 0.7 * SmoothStep(0.78, 0.99, broad) + 0.3 * SmoothStep(0.82, 1.0, fine);
      return Mix(orange, Srgb(250, 205, 160), Clamp01(pale));
    };
    o.glow = 0.35;
    o.ior = 1.6;
    f.body = Opaque(o);
    break;
  }
  case 4: {  // white-grey satin spar with a bright horizontal sheen, on black
    f.scene = SceneOn(Srgb(6, 6, 6), Srgb(4, 4, 4));
    f.scene.studio.ceiling = Srgb(40, 40, 42);
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      const double fibres = Fbm({p.x * 30.0, p.y * 1.5, p.z * 30.0}, 2, 41);
      return Mix(Srgb(178, 178, 180), Srgb(205, 204, 200), fibres);
    };
    o.fibre = {0, 1, 0};
    o.chatoyance = 1.0;
    o.chatoyantSharpness = 160;
    o.bandHalf = {0, 0.12, 1};
    o.glow = 0.15;
    f.body = Opaque(o);
    break;
  }
  case 5: {  // clear pink quartz on mauve
    f.scene = SceneOn(Srgb(190, 150, 180), Srgb(120, 88, 115));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.06, 1.05, 0.5};
    g.bodyGlow = {0.04, 0.015, 0.025};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      Veils(a, b, t, glow, Colour{0.4, 0.25, 0.3}, 0.35, 1.8, 51);
    };
    f.body = Glass(g);
    break;
  }
  case 6: {  // teal-green glass on beige
    f.scene = SceneOn(Srgb(228, 214, 186), Srgb(180, 165, 135));
    GlassLook g;
    g.absorption = {1.8, 0.25, 0.5};
    g.bodyGlow = {0.0, 0.015, 0.012};
    f.body = Glass(g);
    break;
  }
  case 7: {  // opal glass, sky blue at the top fading to pale yellow at the bottom, on grey-brown
    f.scene = SceneOn(Srgb(140, 125, 110), Srgb(95, 85, 72));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      return Mix(Srgb(246, 222, 140), Srgb(105, 170, 235), SmoothStep(-0.7, 0.7, p.y + 0.1 * (Fbm(p * 2, 3, 71) - 0.5)));
    };
    o.glow = 0.35;
    o.ior = 1.5;
    f.body = Opaque(o);
    break;
  }
  case 8: {  // speckled red jasper on dark grey-brown
    f.scene = SceneOn(Srgb(70, 62, 56), Srgb(45, 40, 36));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      Colour c = Mix(Srgb(170, 48, 32), Srgb(120, 28, 20), Fbm(p * 2.2, 4, 81));
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
    };
    o.ior = 1.55;
    f.body = Opaque(o);
    break;
  }
  case 9: {  // clear rock crystal over brown wood
    f.scene.studio = StudioFor(Srgb(120, 78, 45), Srgb(100, 62, 35));
    f.scene.backdrop = WoodBackdrop(Srgb(156, 104, 62), Srgb(78, 45, 24), 91);
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.02, 0.02, 0.03};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      Veils(a, b, t, glow, Colour{0.35, 0.34, 0.33}, 0.3, 2.5, 92);
    };
    f.body = Glass(g);
    break;
  }
  case 10: {  // pale blue glass on light grey
    f.scene = SceneOn(Srgb(212, 212, 212), Srgb(165, 165, 165));
    GlassLook g;
    g.absorption = {0.8, 0.35, 0.1};
    g.bodyGlow = {0.01, 0.015, 0.025};
    f.body = Glass(g);
    break;
  }
  case 11: {  // red glass on a black stand, on white
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(150, 150, 152));
    GlassLook g;
    g.absorption = {0.25, 3.2, 2.8};
    g.bodyGlow = {0.05, 0.0, 0.002};
    g.caustic = 1.4;
    f.body = Glass(g);
    f.radius = 0.99;
    f.centreY = 0.02;
    f.front = Stand(Srgb(14, 14, 16), -0.87, 0.5, 0.5);
    break;
  }
  case 12: {  // smoky brown amber on white
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(212, 210, 205));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.6, 1.05, 1.7};
    g.bodyGlow = {0.025, 0.012, 0.004};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      // Smoke: dark swirling wisps drawn out along a flow, and a little golden haze.
      constexpr int kSteps = 6;
      double smoke = 0;
      for (int i = 0; i < kSteps; ++i) {
        const Vec3 q = Mix(a, b, (i + 0.5) / kSteps);
        const double swirl = Fbm({q.x * 1.2 + q.y * 0.8, q.y * 3.2, q.z * 1.2}, 4, 122);
        smoke += SmoothStep(0.48, 0.7, swirl);
      }
      smoke *= Length(b - a) / kSteps;
      t = t * Colour{std::exp(-0.9 * smoke), std::exp(-1.2 * smoke), std::exp(-1.5 * smoke)};
      Veils(a, b, t, glow, Colour{0.25, 0.14, 0.06}, 0.2, 1.6, 121);
    };
    f.body = Glass(g);
    break;
  }
  case 13: {  // golden crackled amber on dark blue
    f.scene = SceneOn(Srgb(25, 35, 80), Srgb(12, 18, 45));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.08, 0.35, 2.0};
    g.bodyGlow = {0.1, 0.055, 0.0};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      // Crackle: a net of fine fractures in two shells under the surface, catching the light.
      double crack = 0;
      for (double depth : {0.08, 0.3}) {
        const Vec3 q = Normalize(Mix(a, b, depth)) * 3.4;
        const Worley w = CellNoise(q, 131 + static_cast<std::uint32_t>(depth * 10));
        crack += (1 - SmoothStep(0.0, 0.05, w.f2 - w.f1)) * (depth < 0.1 ? 1.0 : 0.6);
      }
      glow = glow + Colour{1.0, 0.62, 0.18} * (0.45 * crack);
      t = t * (1 - 0.35 * Clamp01(crack));
    };
    f.body = Glass(g);
    break;
  }
  case 14:    // blue cat's-eye on white
  case 15: {  // pink cat's-eye on dark violet
    const bool blue = skin == 14;
    f.scene = blue ? SceneOn(Srgb(250, 250, 250), Srgb(210, 210, 214)) : SceneOn(Srgb(55, 30, 70), Srgb(30, 15, 40));
    OpaqueLook o;
    const Colour deep = blue ? Srgb(22, 48, 130) : Srgb(190, 85, 125);
    const Colour light = blue ? Srgb(55, 105, 195) : Srgb(232, 145, 178);
    o.albedo = [deep, light](Vec3 p) {
      const double fibres = Fbm({p.x * 1.5, p.y * 24.0, p.z * 24.0}, 3, 141);
      return Mix(deep, light, 0.2 + fibres * 0.5);
    };
    o.fibre = {1, 0, 0};
    o.chatoyance = 1.3;
    o.chatoyantSharpness = 220;
    o.chatoyantTint = blue ? Colour{0.55, 0.75, 1.0} : Colour{1.0, 0.8, 0.88};
    o.bandHalf = {-0.18, 0, 1};
    o.glow = 0.3;
    f.body = Opaque(o);
    break;
  }
  default:
    throw std::invalid_argument("no face picture number " + std::to_string(skin));
  }
  return f;
}
}  // namespace

Rgb8Image RenderFace(int skin)
{
  const FaceLook look = Face(skin);
  return Render(look);
}

#include <optional>

#include "Artwork.h"
#include "Materials.h"

namespace {
constexpr int kFaceSize = 220;
constexpr int kFaceSamples = 3;

struct FaceSpec {
  Scene scene;
  std::function<Colour(const Scene& scene, Vec3 p)> body;
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
  return s;
}

Scene SceneOn(Colour backdrop, Colour floor)
{
  Scene sc;
  sc.studio = StudioFor(backdrop, floor);
  sc.backdrop = PlainBackdrop(backdrop * 1.1, floor);
  return sc;
}

Rgb8Image Render(const FaceSpec& spec)
{
  const LinearImage img = RenderSquare(kFaceSize, kFaceSamples, [&spec](double x, double y) -> Colour {
    if (spec.front) {
      if (auto c = spec.front(spec.scene, x, y)) return *c;
    }
    const double sx = x / spec.radius, sy = (y - spec.centreY) / spec.radius;
    const SphereHit hit = HitSphere(sx, sy);
    if (!hit.hit) return CornerBackground(spec.scene, x, y, spec.radius);
    return spec.body(spec.scene, hit.p);
  });
  return ToRgb8(img);
}

// A polished metal or lacquered stand seen from the front: a band across the bottom edge.
std::function<std::optional<Colour>(const Scene&, double, double)> Stand(Colour tint, double top, double halfWidth, double gloss)
{
  return [tint, top, halfWidth, gloss](const Scene& scene, double x, double y) -> std::optional<Colour> {
    // The rim curves a little, as an ellipse seen slightly from above.
    const double u = x / halfWidth;
    if (std::abs(u) > 1) return std::nullopt;
    const double rimY = top - 0.05 * (1 - u * u);
    if (y > rimY) return std::nullopt;
    const Vec3 n = Normalize({u * 0.9, 0.25 + 2.5 * (y - rimY), std::sqrt(std::max(0.05, 1 - u * u))});
    const Vec3 r = Reflect({0, 0, -1}, n);
    Colour c = tint * StudioDiffuse(scene.studio, n) * 0.3 + StudioLight(scene.studio, r) * tint * gloss;
    // A bright bevel along the rim.
    c = c + Colour{1, 1, 1} * (0.8 * gloss * (1 - SmoothStep(0.0, 0.025, rimY - y)));
    return c;
  };
}

std::function<Colour(const Scene&, Vec3)> Glass(GlassLook look)
{
  return [look](const Scene& sc, Vec3 p) { return ShadeGlass(sc, look, p); };
}

std::function<Colour(const Scene&, Vec3)> Opaque(OpaqueLook look)
{
  return [look](const Scene& sc, Vec3 p) { return ShadeOpaque(sc, look, p); };
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

FaceSpec Face(int skin)
{
  FaceSpec f;
  switch (skin) {
  case 1: {  // faceted orange-red crystal ball on light grey
    f.scene = SceneOn(Srgb(210, 210, 210), Srgb(160, 160, 160));
    GlassLook g;
    g.ior = 1.55;
    g.absorption = {0.05, 1.0, 2.6};
    g.facets = &kCrystalFacets;
    g.facetEdgeLight = 0.25;
    g.bodyGlow = {0.10, 0.025, 0.0};
    f.body = Glass(g);
    break;
  }
  case 2: {  // violet amethyst on white, a silver stand just showing at the bottom
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(215, 215, 218));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.55, 1.9, 0.3};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      Veils(a, b, t, glow, Colour{0.35, 0.25, 0.45}, 0.7, 2.2, 21);
    };
    f.body = Glass(g);
    f.radius = 0.99;
    f.centreY = 0.02;
    f.front = Stand(Srgb(200, 202, 208), -0.9, 0.5, 0.9);
    break;
  }
  case 3: {  // orange calcite with pale bands on light beige
    f.scene = SceneOn(Srgb(232, 220, 196), Srgb(190, 175, 150));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      const double warp = Fbm(p * 1.7, 4, 31);
      const double band = 0.5 + 0.5 * std::sin((p.y * 2.6 + p.x * 0.5 + warp * 1.6) * 6.0);
      const Colour orange = Mix(Srgb(235, 120, 30), Srgb(220, 95, 20), Fbm(p * 3.0, 3, 32));
      return Mix(orange, Srgb(250, 215, 160), SmoothStep(0.55, 0.95, band) * 0.85);
    };
    o.glow = 0.25;
    o.ior = 1.6;
    f.body = Opaque(o);
    break;
  }
  case 4: {  // white-grey satin spar with a bright horizontal sheen, on black
    f.scene = SceneOn(Srgb(6, 6, 6), Srgb(4, 4, 4));
    f.scene.studio.ceiling = Srgb(40, 40, 42);
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      const double fibres = Fbm({p.x * 40.0, p.y * 2.0, p.z * 40.0}, 3, 41);
      return Mix(Srgb(175, 175, 178), Srgb(215, 214, 210), fibres);
    };
    o.fibre = {0, 1, 0};
    o.chatoyance = 1.6;
    o.chatoyantSharpness = 60;
    o.bandHalf = {0, 0.12, 1};
    o.glow = 0.15;
    f.body = Opaque(o);
    break;
  }
  case 5: {  // clear pink quartz on mauve
    f.scene = SceneOn(Srgb(190, 150, 180), Srgb(140, 105, 135));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.03, 0.45, 0.22};
    g.bodyGlow = {0.12, 0.06, 0.08};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      Veils(a, b, t, glow, Colour{0.4, 0.25, 0.3}, 0.35, 1.8, 51);
    };
    f.body = Glass(g);
    break;
  }
  case 6: {  // teal-green glass on beige
    f.scene = SceneOn(Srgb(228, 214, 186), Srgb(180, 165, 135));
    GlassLook g;
    g.absorption = {1.5, 0.22, 0.45};
    g.bodyGlow = {0.0, 0.05, 0.045};
    f.body = Glass(g);
    break;
  }
  case 7: {  // opal glass, sky blue at the top fading to pale yellow at the bottom, on grey-brown
    f.scene = SceneOn(Srgb(140, 125, 110), Srgb(95, 85, 72));
    OpaqueLook o;
    o.albedo = [](Vec3 p) {
      return Mix(Srgb(250, 236, 170), Srgb(140, 195, 240), SmoothStep(-0.75, 0.75, p.y + 0.1 * (Fbm(p * 2, 3, 71) - 0.5)));
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
      Colour c = Mix(Srgb(165, 45, 30), Srgb(125, 30, 22), Fbm(p * 2.5, 4, 81));
      const Worley w = CellNoise(p * 9.0, 82);
      const double kind = (w.id % 100) / 100.0;
      const double spot = 1 - SmoothStep(0.12, 0.22, w.f1);
      if (kind < 0.22) c = Mix(c, Srgb(60, 25, 20), spot);
      else if (kind < 0.38) c = Mix(c, Srgb(215, 160, 120), spot * 0.8);
      return c;
    };
    o.ior = 1.55;
    f.body = Opaque(o);
    break;
  }
  case 9: {  // clear rock crystal over brown wood
    f.scene.studio = StudioFor(Srgb(120, 78, 45), Srgb(100, 62, 35));
    f.scene.backdrop = WoodBackdrop(Srgb(150, 100, 60), Srgb(82, 48, 26), 91);
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
    g.absorption = {0.55, 0.22, 0.06};
    g.bodyGlow = {0.03, 0.05, 0.08};
    f.body = Glass(g);
    break;
  }
  case 11: {  // red glass on a black stand, on white
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(215, 215, 215));
    GlassLook g;
    g.absorption = {0.08, 2.6, 2.2};
    g.bodyGlow = {0.12, 0.0, 0.0};
    f.body = Glass(g);
    f.radius = 0.99;
    f.centreY = 0.02;
    f.front = Stand(Srgb(20, 20, 22), -0.88, 0.55, 0.6);
    break;
  }
  case 12: {  // smoky brown amber on white
    f.scene = SceneOn(Srgb(250, 250, 250), Srgb(212, 210, 205));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.45, 0.85, 1.5};
    g.bodyGlow = {0.06, 0.03, 0.01};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      Veils(a, b, t, glow, Colour{0.25, 0.14, 0.06}, 0.5, 1.6, 121);
    };
    f.body = Glass(g);
    break;
  }
  case 13: {  // golden crackled amber on dark blue
    f.scene = SceneOn(Srgb(25, 35, 80), Srgb(12, 18, 45));
    GlassLook g;
    g.ior = 1.54;
    g.absorption = {0.15, 0.55, 2.0};
    g.bodyGlow = {0.10, 0.05, 0.0};
    g.interior = [](Vec3 a, Vec3 b, Colour& t, Colour& glow) {
      // Fractures: thin planes between cells catch the light.
      constexpr int kSteps = 8;
      double crack = 0;
      for (int i = 0; i < kSteps; ++i) {
        const Worley w = CellNoise(Mix(a, b, (i + 0.5) / kSteps) * 2.2, 131);
        crack += 1 - SmoothStep(0.0, 0.06, w.f2 - w.f1);
      }
      crack = Clamp01(crack * Length(b - a) / kSteps * 1.5);
      glow = glow + Colour{1.0, 0.65, 0.2} * (0.9 * crack);
      t = t * (1 - 0.5 * crack);
    };
    f.body = Glass(g);
    break;
  }
  case 14:    // blue cat's-eye on white
  case 15: {  // pink cat's-eye on dark violet
    const bool blue = skin == 14;
    f.scene = blue ? SceneOn(Srgb(250, 250, 250), Srgb(210, 210, 214)) : SceneOn(Srgb(55, 30, 70), Srgb(30, 15, 40));
    OpaqueLook o;
    const Colour deep = blue ? Srgb(25, 55, 140) : Srgb(200, 95, 135);
    const Colour light = blue ? Srgb(60, 110, 200) : Srgb(235, 150, 180);
    o.albedo = [deep, light](Vec3 p) {
      const double fibres = Fbm({p.x * 2.0, p.y * 30.0, p.z * 30.0}, 3, 141);
      return Mix(deep, light, fibres * 0.6);
    };
    o.fibre = {1, 0, 0};
    o.chatoyance = 2.2;
    o.chatoyantSharpness = 50;
    o.chatoyantTint = blue ? Colour{0.7, 0.85, 1.0} : Colour{1.0, 0.85, 0.9};
    o.bandHalf = {-0.12, 0, 1};
    o.glow = 0.2;
    f.body = Opaque(o);
    break;
  }
  default:
    break;
  }
  return f;
}
}  // namespace

Rgb8Image RenderFace(int skin)
{
  const FaceSpec spec = Face(skin);
  return Render(spec);
}

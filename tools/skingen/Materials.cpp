#include "Materials.h"

namespace {
const Vec3 kView{0, 0, -1};

// Where a ray leaving the subject ends: the backdrop if it heads away from the camera, else the studio.
Colour Surroundings(const Scene& scene, Vec3 origin, Vec3 dir)
{
  if (dir.z < -0.15) {
    const double s = (-scene.depth - origin.z) / dir.z;
    return scene.backdrop(origin.x + dir.x * s, origin.y + dir.y * s);
  }
  return StudioLight(scene.studio, dir);
}

Colour Exp(Colour c) { return {std::exp(c.x), std::exp(c.y), std::exp(c.z)}; }
}  // namespace

Colour ShadeOpaque(const Scene& scene, const OpaqueLook& look, Vec3 p)
{
  Vec3 n = p;
  double facetEdge = 1;
  if (look.facets) {
    const FacetHit f = NearestFacet(*look.facets, p);
    n = f.normal;
    facetEdge = f.edge;
  }
  const Colour albedo = look.albedo(p);
  const double fresnel = FresnelSchlick(n.z, F0FromIor(look.ior));
  Colour c = albedo * StudioDiffuse(scene.studio, n) * (1 - fresnel * look.gloss);
  if (look.glow > 0) {
    // Translucent stones glow from within where the body is thickest.
    c = c + albedo * (look.glow * std::pow(p.z, 1.5));
  }
  const Vec3 r = Reflect(kView, n);
  c = c + StudioLight(scene.studio, r) * (fresnel * look.gloss);
  if (look.clearCoat > 0) c = c + StudioLight(scene.studio, r) * (look.clearCoat * FresnelSchlick(n.z, 0.04));
  if (look.chatoyance > 0) {
    // Light reflected off parallel fibres gathers into a line across them, following the key light.
    const Vec3 h = Length(look.bandHalf) > 0 ? Normalize(look.bandHalf) : Normalize(kKeyDirection + Vec3{0, 0, 1});
    const Vec3 t = Normalize(look.fibre - n * Dot(look.fibre, n));
    const double th = Dot(t, h);
    const double across = std::max(0.0, 1 - th * th);
    // A sharp line with a soft halo, as the fibres are not all perfectly parallel.
    const double band = std::pow(across, look.chatoyantSharpness) + 0.22 * std::pow(across, look.chatoyantSharpness * 0.12);
    c = c + look.chatoyantTint * (look.chatoyance * band * (0.3 + 0.7 * Clamp01(Dot(n, h) + 0.3)));
  }
  if (look.facets) c = c * (0.75 + 0.25 * SmoothStep(0.0, 0.03, facetEdge));
  return c;
}

Colour ShadeGlass(const Scene& scene, const GlassLook& look, Vec3 p)
{
  Vec3 n = p;
  double edge = 1;
  int facetIndex = 0;
  if (look.facets) {
    const FacetHit f = NearestFacet(*look.facets, p);
    n = f.normal;
    edge = f.edge;
    facetIndex = f.index;
  }
  const double fresnel = FresnelSchlick(std::abs(n.z), F0FromIor(look.ior));
  Colour c = StudioLight(scene.studio, Reflect(kView, n)) * fresnel;

  Vec3 inside;
  if (!Refract(kView, n, 1 / look.ior, inside)) return c;
  // Chord through the unit sphere from p along `inside`.
  const double travel = -2 * Dot(p, inside);
  const Vec3 exitPoint = p + inside * std::max(travel, 0.0);
  Vec3 exitNormal = exitPoint;
  Colour transmit = Exp(look.absorption * (-std::max(travel, 0.0)));
  if (look.facets) {
    const FacetHit exitFacet = NearestFacet(*look.facets, exitPoint);
    exitNormal = exitFacet.normal;
    // Each pair of facets sends the light along its own path through the stone: some bright, some dark.
    const double v = HashUnit(facetIndex, exitFacet.index, 0, 7);
    transmit = transmit * (1 - look.facetVariation + look.facetVariation * 1.6 * v);
  }
  Colour glow = look.bodyGlow * std::max(travel, 0.0);
  if (look.interior) look.interior(p, exitPoint, transmit, glow);

  Vec3 out;
  Colour seen;
  if (Refract(inside, exitNormal * -1, look.ior, out)) {
    seen = Surroundings(scene, exitPoint, out) * (1 - FresnelSchlick(std::abs(Dot(inside, exitNormal)), F0FromIor(look.ior)));
  } else {
    // Totally reflected inside a facet: it picks up the studio's light from another side.
    seen = StudioLight(scene.studio, Reflect(inside, exitNormal)) * 0.7;
  }
  // The ball focuses the key light into a soft pool on the side away from it, tinted by the glass.
  const double cx = p.x + kKeyDirection.x * 0.62, cy = p.y + kKeyDirection.y * 0.62;
  const Colour pool = Exp(look.absorption * -1.6) * (look.caustic * std::exp(-(cx * cx + cy * cy) / 0.12));
  c = c + (seen * transmit + glow + pool) * (1 - fresnel);
  if (look.facets && look.facetEdgeLight > 0) c = c + Colour{1, 1, 1} * (look.facetEdgeLight * (1 - SmoothStep(0.0, 0.025, edge)));
  return c;
}

BodyShader Glass(GlassLook look)
{
  return [look](const Scene& sc, Vec3 p) { return ShadeGlass(sc, look, p); };
}

BodyShader Opaque(OpaqueLook look)
{
  return [look](const Scene& sc, Vec3 p) { return ShadeOpaque(sc, look, p); };
}

Backdrop PlainBackdrop(Colour top, Colour bottom)
{
  return [top, bottom](double x, double y) {
    const double t = SmoothStep(-3.0, 3.0, y);
    const double vignette = 1 - 0.05 * std::min(1.0, (x * x + y * y) / 16);
    return Mix(bottom, top, t) * vignette;
  };
}

Backdrop SweepBackdrop(Colour wall, Colour table, double glow)
{
  return [wall, table, glow](double x, double y) {
    const double d2 = (x - 0.3) * (x - 0.3) + (y - 0.5) * (y - 0.5);
    const Colour lit = wall * (1 + glow * std::exp(-d2 / 1.2)) * (1 - 0.04 * std::min(4.0, x * x + y * y));
    const Colour ground = table * (1 - 0.05 * std::min(3.0, -y - 0.7));
    return Mix(ground, lit, SmoothStep(-1.5, -1.0, y));
  };
}

Backdrop WoodBackdrop(Colour light, Colour dark, std::uint32_t seed)
{
  return [light, dark, seed](double x, double y) {
    // Flat-sawn boards: long grain lines along x, gently waving, with darker late wood.
    const double wave = 0.35 * std::sin(x * 0.9 + 1.2) + 0.5 * (Fbm({x * 0.35, y * 0.5, 0.5}, 3, seed) - 0.5);
    const double grain = y * 4.5 + wave * 2.0;
    const double ring = grain - std::floor(grain);
    const double late = SmoothStep(0.55, 0.9, ring) * (1 - SmoothStep(0.9, 1.0, ring));
    const double fine = Fbm({x * 0.3, y * 30.0 + wave * 12.0, 2.0}, 3, seed + 7);
    const double t = Clamp01(0.25 + 0.55 * late + 0.4 * (fine - 0.5));
    return Mix(light, dark, t);
  };
}

Colour CornerBackground(const Scene& scene, double x, double y, double radius)
{
  Colour c = scene.backdrop(x, y);
  // Soft shadow thrown down and to the right, away from the key light.
  const double d = std::sqrt((x - 0.12) * (x - 0.12) + (y + 0.1) * (y + 0.1)) / radius;
  const double shade = 1 - 0.35 * (1 - SmoothStep(0.95, 1.35, d));
  return c * shade;
}

#pragma once
#include "Shading.h"

// What lies behind the subject, on a plane `depth` sphere radii behind its centre; coordinates in
// sphere radii, y up. Glass shows it upside down.
using Backdrop = std::function<Colour(double x, double y)>;

struct Scene {
  Studio studio;
  Backdrop backdrop;
  double depth = 2.5;
};

// Polished opaque stone, pearl or bead: diffuse body under the studio lights plus a Fresnel-weighted
// mirror image of the studio.
struct OpaqueLook {
  std::function<Colour(Vec3 p)> albedo;
  double ior = 1.55;
  double gloss = 1.0;            // 0 for a matt body
  double clearCoat = 0.0;        // extra lacquer-like reflection for glossy beads
  const std::vector<Vec3>* facets = nullptr;
  // Fibrous stones: a bright band across the fibres (cat's-eye, satin spar).
  Vec3 fibre{0, 0, 0};
  double chatoyance = 0;
  double chatoyantSharpness = 40;
  Colour chatoyantTint{1, 1, 1};
  Vec3 bandHalf{0, 0, 0};       // where the band sits; zero: under the key light
  double glow = 0;               // light scattered inside, brightening the middle
};
Colour ShadeOpaque(const Scene& scene, const OpaqueLook& look, Vec3 p);

// What a glass subject holds inside: changes the light along the chord from a to b.
using Interior = std::function<void(Vec3 a, Vec3 b, Colour& transmit, Colour& glow)>;

// Glass and crystal: reflection plus the refracted, inverted backdrop, tinted by absorption on the
// way through.
struct GlassLook {
  double ior = 1.5;
  Colour absorption{0, 0, 0};  // per sphere radius, linear light
  const std::vector<Vec3>* facets = nullptr;
  double facetEdgeLight = 0;     // brightness of the polished facet borders
  double facetVariation = 0;     // 0..1: how much light paths differ from facet to facet
  Interior interior{};           // empty for clear glass
  Colour bodyGlow{0, 0, 0};     // light scattered in the glass, independent of the backdrop
  double caustic = 0.8;          // the key light focused by the ball onto its far side
};
Colour ShadeGlass(const Scene& scene, const GlassLook& look, Vec3 p);

// A subject's surface shading as a function of the point on the unit sphere.
using BodyShader = std::function<Colour(const Scene& scene, Vec3 p)>;
BodyShader Glass(GlassLook look);
BodyShader Opaque(OpaqueLook look);

// Backdrops.
Backdrop PlainBackdrop(Colour top, Colour bottom);
// A lit paper sweep with a soft pool of light above the subject, and the table below the horizon.
Backdrop SweepBackdrop(Colour wall, Colour table, double glow);
Backdrop WoodBackdrop(Colour light, Colour dark, std::uint32_t seed);

// The backdrop at a corner of the photograph (sphere not covering it), with the subject's soft shadow.
Colour CornerBackground(const Scene& scene, double x, double y, double radius);

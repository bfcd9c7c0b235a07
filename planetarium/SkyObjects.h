// The things the chart draws, picks and finds besides the stars: the Sun, the Moon, the planets and
// Pluto with their names, labels and pictures, the fixed texture names of every picture, and the
// selection names that tell a picked object's kind.
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyState.h"

#include <array>
#include <string_view>

namespace nv {

// Fixed texture names of the named pictures (each loaded from "<file>.bmp" in the data folder),
// then kMessierTextureBase + N for the picture of Messier object N.
enum PictureSlot : unsigned {
    kMilkyWayTexture = 1,
    kStripTexture,
    kGrassTexture,
    kSunTexture, // the star picture
    kMercuryTexture,
    kVenusTexture,
    kMarsTexture,
    kJupiterTexture,
    kSaturnTexture,
    kUranusTexture,
    kNeptuneTexture,
    kMoonTexture,
};
inline constexpr std::array<std::string_view, 12> kPictureFiles = {"milky",   "strip",  "grass",   "star",
                                                                   "mercury", "venus",  "mars",    "jupiter",
                                                                   "saturn",  "uranus", "neptune", "moon"};
inline constexpr unsigned kMessierTextureBase = 100;
// Texture names 1 .. kLastPictureSlot are kept for the pictures.
inline constexpr unsigned kLastPictureSlot = kMessierTextureBase + kMessierCount;

// One body, in the record order of astro::BodyIndex: the name Find and the lock-on use, the label
// drawn beside it, its picture (Pluto shows Neptune's), the name a right click and the object
// details give it, and its tint as a star colour class (0 O to 6 M), the class a star of the
// body's B-V colour index gets (Sun 0.65, Moon 0.92, Mercury 0.93, Venus 0.82, Mars 1.36, Jupiter
// 0.83, Saturn 1.04, Uranus 0.56, Neptune 0.41, Pluto 0.80).
struct SkyBody {
    std::string_view name;
    std::string_view label;
    unsigned texture;
    std::string_view pickedName;
    float tint;
};
inline constexpr std::array<SkyBody, astro::kBodyCount> kSkyBodies = {{
    {"Sun/Sol", "  Sol", kSunTexture, "Sol/Sun", 4},
    {"Moon/Lunar", " Moon", kMoonTexture, "Moon/Lunar", 5},
    {"Mercury", " Mercury", kMercuryTexture, "Mercury", 5},
    {"Venus", " Venus", kVenusTexture, "Venus", 5},
    {"Mars", " Mars", kMarsTexture, "Mars", 5},
    {"Jupiter", " Jupiter", kJupiterTexture, "Jupiter", 5},
    {"Saturn", " Saturn", kSaturnTexture, "Saturn", 5},
    {"Uranus", " Uranus", kUranusTexture, "Uranus", 3},
    {"Neptune", " Neptune", kNeptuneTexture, "Neptune", 3},
    {"Pluto", " Pluto", kNeptuneTexture, "Pluto", 4},
}};
// The record index of a body name (kSkyBodies' names), -1 for none.
inline int BodyIndexOf(std::string_view name) {
    for (int k = 0; k < astro::kBodyCount; ++k)
        if (kSkyBodies[k].name == name) return k;
    return -1;
}

// Selection names: a star is picked by its Hipparcos number, body k (record order) by
// kBodyPickBase + k, the picture of Messier object N by kMessierPickBase + N.
inline constexpr unsigned kBodyPickBase = 118330;
inline constexpr unsigned kMessierPickBase = 118499;
// Pictures drawn (the 110th is loaded but never drawn) and their names.
inline constexpr int kMessierDrawn = 109;

} // namespace nv

#include "BodyLabels.h"

#include "SkyFrames.h"
#include "planetarium/SkyObjects.h"

#include <GL/gl.h>
#include <array>
#include <cmath>
#include <string>
#include <utility>

namespace nv {

void DrawBodyLabels(const SkyState& s, const astro::CSolarSystem& solar, bool batchLabels) {
    LoadFrame(s, SkyFrame::Ecliptic);
    NightColour(s, 0.8f, 0.8f, 0.2f, 0.8f);
    const platform::TextBatch labels(batchLabels);
    for (int k = 0; k < astro::kBodyCount; ++k) {
        const astro::BodyPosition& b = solar.Body(k);
        glRasterPos3f(static_cast<float>(b.x), static_cast<float>(b.y), static_cast<float>(b.z));
        PrintLabel("%s", std::string(kSkyBodies[k].label).c_str());
    }
}

namespace {

// The names of one planet's moons at their (x, y) offsets in the planet's turned frame: moved to
// the planet, turned about z by -atan(x / y) of its position, then 90 degrees about x.
template <size_t N, class Names>
void DrawPlanetMoonNames(const SkyState& s, const astro::BodyPosition& planet,
                         const std::array<std::pair<float, float>, N>& offsets, const Names& names,
                         bool batchLabels) {
    glPushMatrix();
    glTranslatef(static_cast<float>(planet.x), static_cast<float>(planet.y), static_cast<float>(planet.z));
    const double turn =
        (planet.x == 0.0 && planet.y == 0.0) ? 0.0 : -std::atan(planet.x / planet.y) * g_radToDeg;
    glRotatef(static_cast<float>(turn), 0.0f, 0.0f, 1.0f);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    const float g = MoonLabelGrey(s.g_fov);
    if (g > 0.0f) { // a black label adds nothing
        glColor3f(g, g, g);
        const platform::TextBatch labels(batchLabels);
        for (size_t k = 0; k < N; ++k) {
            glRasterPos3f(offsets[k].first, offsets[k].second, 0.0f);
            PrintLabel("%s", std::string(names[k]).c_str());
        }
    }
    glPopMatrix();
}

} // namespace

void DrawMoonLabels(const SkyState& s, const astro::CSolarSystem& solar, bool batchLabels) {
    using namespace astro;
    LoadFrame(s, SkyFrame::Ecliptic);
    std::array<std::pair<float, float>, 4> jupiter;
    for (int k = 0; k < 4; ++k)
        jupiter[k] = {static_cast<float>(solar.m_jupiterMoons[k].X),
                      static_cast<float>(solar.m_jupiterMoons[k].Y)};
    DrawPlanetMoonNames(s, solar.Body(kJupiter), jupiter, kJupiterMoonNames, batchLabels);
    // Saturn's moons are drawn from their X and Z offsets.
    std::array<std::pair<float, float>, 8> saturn;
    for (int k = 0; k < 8; ++k)
        saturn[k] = {static_cast<float>(solar.m_saturnMoons[k].X),
                     static_cast<float>(solar.m_saturnMoons[k].Z)};
    DrawPlanetMoonNames(s, solar.Body(kSaturn), saturn, kSaturnMoonNames, batchLabels);
}

} // namespace nv

#include "planetarium/tools/ObjectDetails.h"

#include "astro/SkyRotation.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/tools/Picking.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace nv::tools {

namespace {

// "%f" of a value; one that rounds to zero reads "0.000000", never "-0.000000".
std::string Fixed(double v) {
    char text[400]; // "%f" of the largest double is 316 characters
    std::snprintf(text, sizeof text, "%f", v);
    return std::string_view(text) == "-0.000000" ? std::string(text + 1) : std::string(text);
}

// The colour word of a star's colour class, compared exactly; none for any other value.
std::string_view ColourWord(float spectralClass) {
    static constexpr std::string_view kWords[] = {"Blue",   "Light blue", "White", "Light Yellow",
                                                  "Yellow", "Orange",     "Red",   "Dark Red"};
    for (int k = 0; k < 8; ++k)
        if (spectralClass == static_cast<float>(k)) return kWords[k];
    return {};
}

std::string Heading(const PickedObject& picked, const SkyCatalog& catalog) {
    char text[64];
    switch (picked.kind) {
    case PickKind::Star: {
        const StarRecord& star = catalog.m_stars[picked.number];
        const std::string& name = catalog.m_starNames[picked.number];
        std::snprintf(text, sizeof text, "%d", picked.number);
        return (name.empty() ? std::string(text) : name) + "\r\n\r\n" +
               "Visable colour = " + std::string(ColourWord(star.spectralClass)) + "\r\n\r\n" +
               "Magnitude = " + Fixed(star.magnitude) + "\r\n\r\n";
    }
    case PickKind::Body:
        return std::string(kSkyBodies[picked.number].pickedName) + "\r\n\r\n";
    case PickKind::Messier:
        std::snprintf(text, sizeof text, "Messier M%d\r\n\r\n", picked.number);
        return text;
    case PickKind::None:
        break;
    }
    return {};
}

} // namespace

RaDec RaDecOfUnitVector(float x, float y, float z) {
    // A float direction may sit a rounding step beyond the unit sphere.
    const double sinDec = std::clamp(static_cast<double>(y), -1.0, 1.0);
    return {-astro::Atan2D(x, z), -astro::AsinD(sinDec)};
}

RaDec RaDecOfBody(const SkyState& s, const astro::BodyPosition& b) {
    RaDec where;
    const astro::Vec3 ofDate = astro::EclipticToEquatorial({b.x, b.y, b.z});
    astro::RaDecFromVector(astro::DateToCatalogue(ofDate, ChainOf(s)), where.ra, where.dec);
    return where;
}

std::optional<RaDec> DirectionOfPick(int name, const SkyState& s, const SkyCatalog& catalog,
                                     const astro::CSolarSystem& solar) {
    const PickedObject picked = ClassifyPick(name);
    switch (picked.kind) {
    case PickKind::Star: {
        const StarRecord& star = catalog.m_stars[picked.number];
        return RaDecOfUnitVector(star.x, star.y, star.z);
    }
    case PickKind::Body:
        return RaDecOfBody(s, solar.Body(picked.number));
    case PickKind::Messier: {
        const Vec3f& c = catalog.m_messierCentre[picked.number - 1];
        return RaDecOfUnitVector(c.x, c.y, c.z);
    }
    case PickKind::None:
        break;
    }
    return std::nullopt;
}

std::string RightAscensionLine(double raDeg) {
    float r = static_cast<float>(raDeg / 15.0);
    if (r < 0) r += 24.0f;
    // A hair west of 0h rounds up to 24 in single precision: that is 0h.
    if (!(r >= 0.0f && r < 24.0f)) r = 0.0f;
    const int h = static_cast<int>(r);
    const float minutes = (r - static_cast<float>(h)) * 60.0f;
    const int m = static_cast<int>(minutes);
    const int sec = static_cast<int>((minutes - static_cast<float>(m)) * 60.0f);
    char text[64];
    std::snprintf(text, sizeof text, "RA = %dh %dm %ds", h, m, sec);
    return text;
}

astro::RiseTransitSetTimes TimesFor(const SkyState& s, const RaDec& where) {
    const astro::LocalClock clock{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute};
    const astro::ObserverPlace place{s.g_latitude, s.g_longitude, s.g_gmtOffset};
    return astro::RiseTransitSet(where.ra, where.dec, clock, place);
}

std::string ObjectDetailsText(int name, const SkyState& s, const SkyCatalog& catalog,
                              const astro::CSolarSystem& solar) {
    const std::optional<RaDec> where = DirectionOfPick(name, s, catalog, solar);
    if (!where) return {};
    std::string text = Heading(ClassifyPick(name), catalog);
    text += RightAscensionLine(where->ra) + "\r\n";
    text += "DEC = " + Fixed(where->dec) + "\r\n\r\n";

    const astro::RiseTransitSetTimes t = TimesFor(s, *where);
    const char* never = t.state == astro::RtsState::NeverRises  ? "never rises"
                        : t.state == astro::RtsState::NeverSets ? "never sets"
                                                                : nullptr;
    text += "Rise = " + (never ? std::string(never) : Fixed(t.rise)) + "\r\n";
    text += "Transit = " + Fixed(t.transit) + "\r\n";
    text += "Set = " + (never ? std::string(never) : Fixed(t.set)) + "\r\n\r\n";

    const astro::LocalClock clock{s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute};
    text += "Julian day = " + Fixed(astro::UtJulianDay(clock, s.g_gmtOffset)) + "\r\n\r\n";
    return text;
}

} // namespace nv::tools

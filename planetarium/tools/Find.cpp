#include "planetarium/tools/Find.h"

#include "astro/SkyRotation.h"
#include "astro/SolarSystem.h"
#include "astro/TextFields.h"
#include "planetarium/SkyChain.h"
#include "planetarium/SkyObjects.h"

#include <algorithm>
#include <cctype>

namespace nv::tools {

namespace {

std::string CaseFolded(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

// Alphabetical regardless of case; equal names keep their number order.
bool ListsBefore(const StarNameEntry& a, const StarNameEntry& b) {
    const std::string fa = CaseFolded(a.name), fb = CaseFolded(b.name);
    if (fa != fb) return fa < fb;
    return a.name != b.name ? a.name < b.name : a.hipNumber < b.hipNumber;
}

bool HoldsStar(const StarRecord& r) {
    return r.x != 0.0f || r.y != 0.0f || r.z != 0.0f;
}

SkyVector ToSky(const Vec3f& v) {
    return {v.x, v.y, v.z};
}

// A body's direction for the sky clock: the solar system computed as a frame computes it, the
// body's ecliptic position of date carried into the equatorial frame of date, then back to the
// catalogue's equator, as the lock-on aims at a body.
SkyVector BodyDirection(const SkyState& s, int body) {
    astro::CSolarSystem solar;
    solar.UpdateSolarSystem(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute, s.g_gmtOffset);
    const astro::BodyPosition& b = solar.Body(body);
    return astro::DateToCatalogue(astro::EclipticToEquatorial({b.x, b.y, b.z}), ChainOf(s));
}

void LockOn(SkyState& s, const SkyVector& v) {
    s.g_lockOn = true;
    s.g_lockX = static_cast<float>(v.x);
    s.g_lockY = static_cast<float>(v.y);
    s.g_lockZ = static_cast<float>(v.z);
}

} // namespace

std::vector<StarNameEntry> StarNameEntries(const SkyCatalog& catalog) {
    std::vector<StarNameEntry> entries;
    for (int i = 0; i < kCatalogueLines; ++i)
        if (!catalog.m_starNames[i].empty()) entries.push_back({catalog.m_starNames[i], i});
    std::stable_sort(entries.begin(), entries.end(), ListsBefore);
    return entries;
}

std::vector<std::string> MessierEntries() {
    std::vector<std::string> entries;
    for (int n = 1; n <= kMessierCount; ++n) entries.push_back("M" + std::to_string(n));
    return entries;
}

std::vector<std::string> BodyEntries() {
    std::vector<std::string> entries;
    for (const SkyBody& b : kSkyBodies) entries.emplace_back(b.name);
    std::sort(entries.begin(), entries.end());
    return entries;
}

FindChoice ChooseFind(FindKind kind, std::string_view hipText, std::string_view messierLine,
                      std::string_view bodyName, const SkyCatalog& catalog) {
    FindChoice c;
    c.kind = kind;
    switch (kind) {
    case FindKind::Star:
        c.hipNumber = text::ToInt(hipText);
        if (c.hipNumber < 0 || c.hipNumber >= kStarSlots) {
            c.message = kInvalidHipMessage;
        } else if (!HoldsStar(catalog.m_stars[c.hipNumber])) {
            c.message = kNoStarMessage;
        } else {
            c.found = true;
        }
        break;
    case FindKind::Messier: {
        std::string digits(messierLine);
        std::erase(digits, 'M');
        c.messierNumber = text::ToInt(digits);
        c.found = c.messierNumber >= 1 && c.messierNumber <= kMessierCount;
        break;
    }
    case FindKind::Planet:
        c.bodyName = bodyName;
        c.found = BodyIndexOf(bodyName) >= 0;
        break;
    case FindKind::None:
        break;
    }
    return c;
}

std::optional<GlideTarget> MessierGlideTarget(const SkyState& s, const SkyCatalog& catalog, int n) {
    if (n < 1 || n > kMessierCount) return std::nullopt;
    const SkyVector v = ToSky(catalog.m_messierCentre[n - 1]);
    if (!(astro::Length(v) > 0.0)) return std::nullopt;
    return AimAtEquatorial(s, v);
}

std::optional<GlideTarget> AimAtFound(SkyState& s, const SkyCatalog& catalog, const FindChoice& choice,
                                      bool lockOn) {
    if (!choice.found) return std::nullopt;
    SkyVector v;
    const int body = BodyIndexOf(choice.bodyName);
    switch (choice.kind) {
    case FindKind::Star: {
        if (choice.hipNumber < 0 || choice.hipNumber >= kStarSlots) return std::nullopt;
        const StarRecord& r = catalog.m_stars[choice.hipNumber];
        v = {r.x, r.y, r.z};
        break;
    }
    case FindKind::Messier:
        if (choice.messierNumber < 1 || choice.messierNumber > kMessierCount) return std::nullopt;
        v = ToSky(catalog.m_messierCentre[choice.messierNumber - 1]);
        break;
    case FindKind::Planet:
        if (body < 0) return std::nullopt;
        v = BodyDirection(s, body);
        break;
    case FindKind::None:
        return std::nullopt;
    }
    if (!(astro::Length(v) > 0.0)) return std::nullopt;
    if (choice.kind == FindKind::Planet) {
        s.g_lockName = choice.bodyName; // a body lock follows the new body even without "Lock on"
        if (lockOn) s.g_lockIsBody = true;
    } else {
        s.g_lockIsBody = false;
    }
    if (lockOn) LockOn(s, v);
    return AimAtEquatorial(s, v);
}

} // namespace nv::tools

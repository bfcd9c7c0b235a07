#include "FuzzTargets.h"

#include "astro/TextFields.h"
#include "astro/ValueRanges.h"
#include "imaging/Bmp.h"
#include "orbitviewer/Orbits.h"
#include "orbitviewer/Wanderocs.h"
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>

namespace nvfuzz {
namespace {

// A broken promise: say which and stop (the fuzzer keeps the input).
void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "reader promise broken: %s\n", what);
    std::abort();
}

std::string_view Text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A table with zeroed guard records on both sides: a stray write shows up in them.
template <class Table, class Record> struct Guarded {
    std::array<Record, 8> before{};
    Table table{};
    std::array<Record, 8> after{};
    bool GuardsUntouched(bool (*blank)(const Record&)) const {
        return std::all_of(before.begin(), before.end(), blank) &&
               std::all_of(after.begin(), after.end(), blank);
    }
};

bool Zero(const nv::StarRecord& s) {
    return s.x == 0 && s.y == 0 && s.z == 0 && s.spectralClass == 0 && s.magnitude == 0;
}

} // namespace

void FuzzStarCatalogue(const std::uint8_t* data, std::size_t size) {
    // The table stays all zero between inputs: only the slots a line can name (atoi of its text)
    // are checked and cleared again, so an input costs what its text costs.
    static auto g = std::make_unique<Guarded<std::array<nv::StarRecord, nv::kStarSlots>, nv::StarRecord>>();
    const std::string_view text = Text(data, size);
    const nv::StarLoadReport report = nv::ParseStarCatalogue(text, g->table, nullptr);
    Require(report.linesStored + report.linesSkipped == nv::kCatalogueLines, "every read step counted");
    Require(report.ok == (report.linesStored > 0), "ok means stars were stored");
    Require(g->GuardsUntouched(Zero), "nothing written outside the table");
    int stored = 0;
    nv::text::LineReader lines(text);
    for (int i = 0; i < nv::kCatalogueLines && !lines.atEnd(); ++i) {
        const int number = nv::text::ToInt(lines.next());
        if (number < 0) continue;
        nv::StarRecord& s = g->table[static_cast<std::size_t>(std::min(number, nv::kHighestHipNumber))];
        if (Zero(s)) continue;
        Require(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z), "finite directions");
        Require(s.spectralClass >= 0 && s.spectralClass <= 7, "a known colour class");
        Require(nv::IsPlausibleMagnitude(s.magnitude), "a plausible magnitude");
        s = nv::StarRecord{};
        ++stored;
    }
    Require(stored <= report.linesStored, "no slot written but by a stored line");
}

void FuzzStarNames(const std::uint8_t* data, std::size_t size) {
    static auto names = std::make_unique<std::array<std::string, nv::kStarSlots>>();
    const nv::StarNamesReport report = nv::ParseStarNames(Text(data, size), *names);
    Require(report.ok, "parsing text always succeeds");
    Require(report.namesStored + report.linesIgnored <= nv::kStarNameLines, "at most 96 lines");
}

void FuzzSettings(const std::uint8_t* data, std::size_t size) {
    nv::SettingsFile s, back;
    const nv::SettingsReport report = nv::ParseSettings(Text(data, size), s);
    Require(report.ok == report.message.empty(), "a message exactly when something was wrong");
    Require(astro::kLongitudeRange.Contains(s.m_longitude), "longitude in range");
    Require(astro::kLatitudeRange.Contains(s.m_latitude), "latitude in range");
    Require(astro::kZoneRange.Contains(s.m_gmtOffset), "zone in range");
    // What is written reads back whole; "%f" rounds the place to the nearest millionth.
    Require(nv::ParseSettings(nv::FormatSettings(s), back).ok, "the written file reads back");
    Require(back.m_switches == s.m_switches, "switches survive a round trip");
    Require(std::fabs(back.m_latitude - s.m_latitude) <= 5.000001e-7 &&
                std::fabs(back.m_longitude - s.m_longitude) <= 5.000001e-7,
            "the place survives a round trip");
    Require(std::fabs(back.m_gmtOffset - s.m_gmtOffset) <= 5e-6f, "the zone survives a round trip");
}

void FuzzBmp(const std::uint8_t* data, std::size_t size) {
    imaging::BmpImage image, again;
    std::string error;
    if (!imaging::DecodeBmp24(std::span<const std::uint8_t>(data, size), image, &error)) {
        Require(image.empty() && !error.empty(), "a refused picture is empty and says why");
        return;
    }
    Require(image.width > 0 && image.height > 0 && image.width <= imaging::kMaxBmpDimension &&
                image.height <= imaging::kMaxBmpDimension,
            "a decoded size within the limits");
    Require(image.pixels.size() == image.rowStride() * static_cast<std::size_t>(image.height),
            "pixels match the size");
    Require(image.pixels.size() <= size, "no more pixels than the file holds");
    Require(imaging::DecodeBmp24(imaging::EncodeBmp24(image), again), "the written picture decodes");
    Require(again.width == image.width && again.height == image.height && again.pixels == image.pixels,
            "the picture survives a round trip");
}

void FuzzAsteroids(const std::uint8_t* data, std::size_t size) {
    static auto g = std::make_unique<Guarded<tessmoor::WanderocTable, tessmoor::WanderocRecord>>();
    const tessmoor::WanderocLoad load = tessmoor::ParseWanderocText(Text(data, size), g->table);
    Require(load.orbits + static_cast<int>(load.unusableLines.size()) <= tessmoor::kWanderocCount,
            "no more records than the table holds");
    Require(load.orbits <= load.linesWithText, "an orbit only from a line with text");
    // Every record the viewer draws gets a finite position, at a date within 30,000 years of 2000
    // taken from the input.
    double jd = 2451545.0;
    if (size >= 4)
        jd += (static_cast<double>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24) - 2147483648.0) /
              200.0;
    tessmoor::PropagateAll(g->table, jd);
    int orbits = 0;
    for (const tessmoor::WanderocRecord& r : g->table) {
        if (!r.HoldsData()) continue;
        ++orbits;
        Require(std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z), "a finite position");
    }
    Require(orbits == load.orbits, "the orbits counted are the records that hold one");
    Require(
        g->GuardsUntouched([](const tessmoor::WanderocRecord& r) { return r.name.empty() && r.a == 0.0; }),
        "nothing written outside the table");
}

} // namespace nvfuzz

// Randomized malformed asteroid files: nothing may crash or write outside the table, and every
// record the viewer draws gets a finite position at any date. Run again under the address and
// undefined-behaviour sanitizers.
#include "orbitviewer/Orbits.h"
#include "orbitviewer/Wanderocs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

using namespace tessmoor;

TEST(WanderocFuzz, MalformedFilesGiveFinitePositionsOrNone) {
    using namespace std::literals;
    constexpr std::string_view kPieces[] = {
        "\t"sv,   "\t"sv,    "\t"sv, "\n"sv,           "\r\n"sv, "\r"sv,     "-"sv,     "+"sv,     "."sv,
        "e"sv,    "0"sv,     "1"sv,  "0.9999999999"sv, "2.77"sv, "1e-300"sv, "1e300"sv, "1e999"sv, "nan"sv,
        "inf"sv,  "0x1p3"sv, " "sv,  "%s%n"sv,         "\0"sv,   "\xff"sv,   "Ceres"sv, "1e6"sv,   "1e-6"sv,
        "-0.5"sv, "360"sv};
    struct Guarded {
        std::array<WanderocRecord, 2> before{};
        WanderocTable table{};
        std::array<WanderocRecord, 2> after{};
    };
    auto g = std::make_unique<Guarded>();
    std::mt19937 rng(20241207);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kPieces) - 1);
    std::uniform_real_distribution<double> day(-1e7, 1e7);
    for (int round = 0; round < 60; ++round) {
        std::string text;
        for (int k = 0; k < 200 + round * 400; ++k) text += kPieces[pick(rng)];
        const WanderocLoad load = ParseWanderocText(text, g->table);
        ASSERT_LE(load.orbits + static_cast<int>(load.unusableLines.size()), kWanderocCount);
        const double jd = day(rng);
        PropagateAll(g->table, jd);
        for (const WanderocRecord& r : g->table) {
            if (!r.HoldsData()) continue;
            ASSERT_TRUE(std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.z))
                << "a " << r.a << " e " << r.e << " jd " << jd;
        }
    }
    for (const WanderocRecord& r : g->before) EXPECT_TRUE(r.name.empty() && r.a == 0.0);
    for (const WanderocRecord& r : g->after) EXPECT_TRUE(r.name.empty() && r.a == 0.0);
}

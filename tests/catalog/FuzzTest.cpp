// Structured random input through each reader's fuzz target (tests/fuzz: nothing written outside a
// table, every value finite and in range, what is written reads back), in the ordinary suite.
#include "FuzzTargets.h"

#include "astro/TextFields.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

// Text built from pieces that matter to the parsers (split at '|'): separators, signs, digits,
// exponents, class letters, huge and negative numbers, a NUL, line ends of every kind.
std::string RandomText(std::mt19937& rng, int pieces) {
    using namespace std::literals;
    static const std::vector<std::string_view> kPieces = [] {
        constexpr std::string_view all = ",|,|,|\t|\n|\r\n|\r\r\n|\r|-|+|.|e|E|0|7|118321|118322|-1|"
                                         "99999999999999999999|1e308|1e999|nan|inf|0x1p3| |O|B|A|F|G|K|M|W|k|"
                                         "TRUE|FALSE|\0|\xff|Vega|5.00|-0.5|0.70710678"sv;
        std::vector<std::string_view> list;
        for (std::size_t at = 0, bar; at <= all.size(); at = bar + 1) {
            bar = std::min(all.find('|', at), all.size());
            list.push_back(all.substr(at, bar - at));
        }
        return list;
    }();
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string text;
    for (int i = 0; i < pieces; ++i) text += kPieces[pick(rng)];
    return text;
}

} // namespace

// Catches a reader that a few hundred inputs of its own separators, numbers and line ends break.
TEST(ParserFuzz, CatalogueNameAndSettingsText) {
    std::mt19937 rng(20240611);
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(rng, 20 + round * 10);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data()); // aborts on a broken promise
        for (auto target : {nvfuzz::FuzzStarCatalogue, nvfuzz::FuzzStarNames, nvfuzz::FuzzSettings})
            target(bytes, text.size());
    }
}

// Catches a fast decimal path that rounds differently from atof/atoi on any string a data file
// can hold.
TEST(ParserFuzz, NumbersReadLikeTheCLibrary) {
    std::mt19937 rng(5);
    const std::string alphabet = "0123456789012345678901234567890123456789.-+eE \tz"; // no hex: never in data
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1), length(0, 24);
    for (int round = 0; round < 200000; ++round) {
        std::string s;
        for (std::size_t n = length(rng); n > 0; --n) s.push_back(alphabet[pick(rng)]);
        const double expected = std::strtod(s.c_str(), nullptr);
        const double got = nv::text::ToDouble(s);
        // Infinities and values too small to hold read as 0.
        const bool outside = !std::isfinite(expected) || std::fabs(expected) <= 1e-300;
        ASSERT_TRUE(got == expected || (outside && got == 0.0)) << '"' << s << '"' << got << " " << expected;
        const long long wide = std::strtoll(s.c_str(), nullptr, 10);
        ASSERT_TRUE(wide <= INT_MIN || wide >= INT_MAX || nv::text::ToInt(s) == wide) << '"' << s << '"';
    }
}

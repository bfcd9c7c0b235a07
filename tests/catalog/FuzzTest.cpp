// Randomized malformed input for every reader of the data folder: catalogue lines, name lines,
// settings lines and BMP headers. Nothing may crash, write outside a table or leave a value
// that is not finite. Run again under the address and undefined-behaviour sanitizers.
#include "imaging/Bmp.h"
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "platform/TextFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <string_view>
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

TEST(ParserFuzz, CatalogueLinesNeverEscapeTheTable) {
    std::mt19937 rng(20240611);
    // Guard slots before and after the table: ASan sees a stray write, and the test checks them too.
    struct Guarded {
        std::array<nv::StarRecord, 4> before{};
        std::array<nv::StarRecord, nv::kStarSlots> stars{};
        std::array<nv::StarRecord, 4> after{};
    };
    auto t = std::make_unique<Guarded>();
    for (int round = 0; round < 200; ++round) {
        const nv::StarLoadReport report = nv::ParseStarCatalogue(RandomText(rng, 50 + round * 20), t->stars);
        ASSERT_EQ(report.linesStored + report.linesSkipped, nv::kCatalogueLines);
        ASSERT_EQ(nv::g_loadProgress.load(), nv::kLoadProgressEnd);
    }
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(t->before[i].magnitude == 0.0f && t->after[i].magnitude == 0.0f);
    for (const nv::StarRecord& s : t->stars) {
        ASSERT_TRUE(std::isfinite(s.x) && std::isfinite(s.y) && std::isfinite(s.z) &&
                    std::isfinite(s.magnitude));
        ASSERT_TRUE(s.spectralClass >= 0.0f && s.spectralClass <= 7.0f);
    }
}

TEST(ParserFuzz, NameAndSettingsLines) {
    std::mt19937 rng(7);
    auto names = std::make_unique<std::array<std::string, nv::kStarSlots>>();
    for (int round = 0; round < 300; ++round) {
        const std::string text = RandomText(rng, 20 + round * 4);
        const nv::StarNamesReport report = nv::ParseStarNames(text, *names);
        ASSERT_LE(report.namesStored + report.linesIgnored, nv::kStarNameLines);
        nv::SettingsFile s, back;
        nv::ParseSettings(text, s);
        ASSERT_TRUE(std::isfinite(s.m_latitude) && std::isfinite(s.m_longitude) &&
                    std::isfinite(s.m_gmtOffset));
        ASSERT_TRUE(nv::ParseSettings(nv::FormatSettings(s), back).ok);
        ASSERT_EQ(back.m_switches, s.m_switches);
    }
}

TEST(ParserFuzz, BmpHeadersAndTruncation) {
    std::mt19937 rng(99);
    imaging::BmpImage image = imaging::BmpImage::Blank(7, 5);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> good = imaging::EncodeBmp24(image);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        // Mutate a few header bytes, sometimes cut the file short.
        std::vector<std::uint8_t> b = good;
        for (int e = 0; e <= round % 6; ++e)
            b[static_cast<std::size_t>(byte(rng)) % 54] = static_cast<std::uint8_t>(byte(rng));
        if (round % 3 == 0) b.resize(static_cast<std::size_t>(byte(rng)) % b.size());
        imaging::BmpImage out;
        const bool ok = imaging::DecodeBmp24(b, out);
        const std::size_t size = out.pixels.size();
        ASSERT_TRUE(ok ? out.width > 0 && out.height > 0 &&
                             size == out.rowStride() * std::size_t(out.height) && size <= b.size()
                       : out.empty())
            << round;
    }
}

// The number readers agree with the C library's atoi/atof on every string they can meet in a
// data file (the fast decimal path included), bit for bit.
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

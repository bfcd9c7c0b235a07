// The logic of the Find, Messier marathon and Settings dialogs without a window: the lists and the
// kind rule, where a find turns the view, the marathon's lines for same-day and overnight
// windows, the world map pick and collecting the Settings controls.
#include "astro/AutomationDate.h"
#include "astro/RiseTransitSet.h"
#include "astro/SkyRotation.h"
#include "astro/SolarSystem.h"
#include "planetarium/catalog/tables/MessierTable.h"
#include "planetarium/tools/Find.h"
#include "planetarium/tools/Marathon.h"
#include "planetarium/tools/SettingsEdit.h"

#include "SkyReference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace nv::tools;

namespace {

double Date(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double v = 0;
    EXPECT_TRUE(astro::AutomationDateFromFields({y, mo, d, h, mi, s}, v));
    return v;
}

std::unique_ptr<nv::SkyCatalog> MessierCatalog() {
    auto c = std::make_unique<nv::SkyCatalog>();
    nv::FillMessierTable(c->m_messierCentre, c->m_messierCorners);
    return c;
}

// The sky state of a local date and time at a place (sky clock set as the pickers set it).
nv::SkyState SkyAt(int y, int mo, int d, int h, int mi, double lat, double lon, float zone) {
    nv::SkyState s;
    s.g_latitude = lat;
    s.g_longitude = lon;
    s.g_gmtOffset = zone;
    astro::UpdateSiderealAngle(astro::LocalClock{y, mo, d, h, mi}, s);
    return s;
}

} // namespace

// --- Find ------------------------------------------------------------------------------------------

TEST(FindLists, NamesAlphabeticallyOncePerStarMessiersInNumberOrderBodiesSorted) {
    auto c = std::make_unique<nv::SkyCatalog>();
    c->m_starNames[109268] = "Alnair"; // two stars share this name
    c->m_starNames[68002] = "Alnair";
    c->m_starNames[32349] = "Sirius";
    c->m_starNames[5] = "achernar";
    c->m_starNames[91262] = "Vega";
    std::vector<std::pair<std::string, int>> got;
    for (const StarNameEntry& e : StarNameEntries(*c)) got.emplace_back(e.name, e.hipNumber);
    EXPECT_EQ(
        got,
        (std::vector<std::pair<std::string, int>>{
            {"achernar", 5}, {"Alnair", 68002}, {"Alnair", 109268}, {"Sirius", 32349}, {"Vega", 91262}}));

    const std::vector<std::string> m = MessierEntries();
    ASSERT_EQ(m.size(), 110u);
    EXPECT_TRUE(m[0] == "M1" && m[9] == "M10" && m[109] == "M110");
    EXPECT_EQ(BodyEntries(), (std::vector<std::string>{"Jupiter", "Mars", "Mercury", "Moon/Lunar", "Neptune",
                                                       "Pluto", "Saturn", "Sun/Sol", "Uranus", "Venus"}));
}

TEST(FindKindRule, EachGroupChoosesItsObjectAndBadNumbersAreRefused) {
    auto c = MessierCatalog();
    c->m_stars[32349] = {0.1f, 0.2f, 0.9f, 2, -1.4f};
    c->m_stars[118321] = {0.3f, 0.9f, 0.4f, 4, 8.6f};
    // Nothing touched yet: nothing happens, and nothing is said.
    FindChoice f = ChooseFind(FindKind::None, "32349", "M31", "Mars", *c);
    EXPECT_TRUE(!f.found && f.message.empty());
    // The number box is read as atoi reads it; the table's last slot is a valid number.
    EXPECT_TRUE(ChooseFind(FindKind::Star, " 32349 (Sirius)", "", "", *c).found);
    f = ChooseFind(FindKind::Star, "118321", "", "", *c);
    EXPECT_TRUE(f.found && f.hipNumber == 118321);
    for (const char* bad : {"118322", "-1", "99999999999"}) {
        f = ChooseFind(FindKind::Star, bad, "", "", *c);
        EXPECT_TRUE(!f.found && f.message == "Please enter a valid Hippocross number.") << bad;
    }
    // A valid number whose slot holds no star (0, or a number the catalogue lacks).
    for (const char* empty : {"0", "12", "abc"}) {
        f = ChooseFind(FindKind::Star, empty, "", "", *c);
        EXPECT_TRUE(!f.found && f.message == "No star with that Hipparcos number.") << empty;
    }
    f = ChooseFind(FindKind::Messier, "", "M110", "", *c);
    EXPECT_TRUE(f.found && f.messierNumber == 110);
    EXPECT_FALSE(ChooseFind(FindKind::Messier, "", "", "", *c).found); // no line selected
    f = ChooseFind(FindKind::Planet, "", "", "Moon/Lunar", *c);
    EXPECT_TRUE(f.found && f.bodyName == "Moon/Lunar");
    EXPECT_FALSE(ChooseFind(FindKind::Planet, "", "", "", *c).found);
}

TEST(FindTargets, TheGlideCentresTheStarWhereTheSkyHasIt) {
    // Sirius (RA 101.2872, Dec -16.7161) from London on 2000-02-01 at 21:00 local time, zone 0.
    auto c = MessierCatalog();
    const nv::Vec3f sirius = nv::SkyDirection(101.2872, -16.7161);
    c->m_stars[32349] = {sirius.x, sirius.y, sirius.z, 2, -1.4f};
    nv::SkyState s = SkyAt(2000, 2, 1, 21, 0, 51.5, -0.13, 0.0f);
    FindChoice choice = ChooseFind(FindKind::Star, "32349", "", "", *c);
    s.g_lockIsBody = true; // a star find ends a body's lock
    const std::optional<GlideTarget> t = AimAtFound(s, *c, choice, false);
    ASSERT_TRUE(t);
    const double jd = nvtest::JulianDayUt(2000, 2, 1, 21, 0, 0.0);
    EXPECT_LT(nvtest::CentreApart(t->pitch, t->yaw, nvtest::AltAzOf(101.2872, -16.7161, jd, 51.5, -0.13)),
              0.05);
    EXPECT_TRUE(!s.g_lockOn && !s.g_lockIsBody);

    // "Lock on" a Messier object stores its direction; M42 lies at RA 83.82, Dec -5.39.
    choice = ChooseFind(FindKind::Messier, "", "M42", "", *c);
    const std::optional<GlideTarget> m = AimAtFound(s, *c, choice, true);
    ASSERT_TRUE(m && s.g_lockOn);
    EXPECT_LT(nvtest::CentreApart(m->pitch, m->yaw, nvtest::AltAzOf(83.82, -5.39, jd, 51.5, -0.13)), 0.1);
    // No direction (an empty table slot) turns nothing and locks nothing.
    s.g_lockOn = false;
    choice.kind = FindKind::Star;
    choice.hipNumber = 7;
    EXPECT_FALSE(AimAtFound(s, *c, choice, true));
    EXPECT_FALSE(s.g_lockOn);
    EXPECT_FALSE(MessierGlideTarget(s, *c, 0) || MessierGlideTarget(s, *c, 111));
}

TEST(FindTargets, BodiesAreFollowedByName) {
    auto c = MessierCatalog();
    nv::SkyState s = SkyAt(2024, 3, 9, 22, 0, 51.5, -0.13, 0.0f);
    // Lock on the Moon, then "Find" Mars: the lock stays and moves to Mars.
    ASSERT_TRUE(AimAtFound(s, *c, ChooseFind(FindKind::Planet, "", "", "Moon/Lunar", *c), true));
    EXPECT_TRUE(s.g_lockOn && s.g_lockIsBody && s.g_lockName == "Moon/Lunar");
    const std::optional<GlideTarget> t =
        AimAtFound(s, *c, ChooseFind(FindKind::Planet, "", "", "Mars", *c), false);
    ASSERT_TRUE(t);
    EXPECT_TRUE(s.g_lockOn && s.g_lockIsBody && s.g_lockName == "Mars");
    // The glide ends on Mars as the calculator places it for the sky clock.
    astro::CSolarSystem solar;
    solar.UpdateSolarSystem(2024, 3, 9, 22, 0, 0.0f);
    const astro::BodyPosition& mars = solar.Body(astro::kMars);
    const astro::Vec3 v = astro::EclipticToEquatorial({mars.x, mars.y, mars.z});
    s.m_viewPitch = t->pitch;
    s.m_viewYaw = t->yaw;
    const astro::Vec3 centre = ViewCentreEquatorial(s);
    EXPECT_GT((centre.x * v.x + centre.y * v.y + centre.z * v.z) / astro::Length(v),
              std::cos(0.01 * M_PI / 180));
}

// --- Messier marathon --------------------------------------------------------------------------------

TEST(Marathon, TransitTimesAreTheRiseTransitSetTransits) {
    // London, 2024-03-09: M44 (RA 8h40m) crosses the meridian about 21:30, M42 (5h35m) about 18:25,
    // M101 (14h03m) about 02:55 and M7 (17h54m) about 06:45, local clock.
    const nv::SkyState s = SkyAt(2024, 3, 9, 22, 0, 51.5, -0.13, 0.0f);
    auto c = MessierCatalog();
    const MessierTransits t = MessierTransitTimes(s, *c);
    EXPECT_NEAR(t[43], 21.5, 0.1);
    EXPECT_NEAR(t[41], 18.42, 0.1);
    EXPECT_NEAR(t[100], 2.92, 0.1);
    EXPECT_NEAR(t[6], 6.75, 0.1);
    for (int n = 1; n <= 110; ++n) {
        const nv::MessierRow& r = nv::kMessierRows[n - 1];
        const double rts =
            astro::RiseTransitSet(r.raDeg, r.decDeg, {2024, 3, 9, 22, 0}, {51.5, -0.13, 0.0f}).transit;
        EXPECT_NEAR(t[n - 1], rts, 1e-3) << "M" << n;
    }
}

TEST(Marathon, SameDayAndOvernightWindows) {
    MessierTransits times;
    times.fill(12.0f);
    times[0] = 20.0f; // exactly on the window's start: not listed
    times[6] = 21.0f;
    times[20] = 20.25f;
    times[100] = 23.49f;
    times[2] = 2.5f;
    times[41] = 18.5f;
    const double day = Date(2024, 3, 9);
    const auto lines = MarathonLines(times, day + 20 / 24.0, day + 23.5 / 24);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Viewing time = 3 Hours 30 Min 0 Seconds ", "M7 Transits at 21.000000 O'clock",
                         "M21 Transits at 20.250000 O'clock", "M101 Transits at 23.490000 O'clock"}));
    std::vector<int> chosen;
    for (const std::string& line : lines) chosen.push_back(MarathonChoice(line));
    EXPECT_EQ(chosen, (std::vector<int>{0, 7, 21, 101}));
    EXPECT_TRUE(MarathonChoice("") == 0 && MarathonChoice("M") == 0);
    // Equal limits: the viewing time only.
    EXPECT_EQ(MarathonLines(times, day + 20 / 24.0, day + 20 / 24.0),
              std::vector<std::string>{"Viewing time = 0 Hours 0 Min 0 Seconds "});
    // 19:00 to 05:00 is a night of 10 hours: after 19:00 or before 05:00, still in number order.
    EXPECT_EQ(MarathonLines(times, day + 19 / 24.0, day + 5 / 24.0),
              (std::vector<std::string>{
                  "Viewing time = 10 Hours 0 Min 0 Seconds ", "M1 Transits at 20.000000 O'clock",
                  "M3 Transits at 2.500000 O'clock", "M7 Transits at 21.000000 O'clock",
                  "M21 Transits at 20.250000 O'clock", "M101 Transits at 23.490000 O'clock"}));
    // Only the clock times count, whatever dates the pickers carry; seconds count too.
    EXPECT_EQ(MarathonLines(times, Date(2030, 1, 1, 23, 59, 30), Date(1999, 5, 5, 0, 0, 15))[0],
              "Viewing time = 0 Hours 0 Min 45 Seconds ");
}

// --- Settings ----------------------------------------------------------------------------------------

TEST(SettingsMap, ClicksGiveTheSinglePrecisionPlace) {
    const struct {
        int x, y;
        const char *lat, *lon, *gmt;
    } clicks[] = {{164, 62, "44.400002", "0.000000", "0"},
                  {314, 25, "88.800003", "180.000000", "12"},
                  {15, 173, "-88.800003", "-178.800003", "-11"},
                  {100, 99, "0.000000", "-76.800003", "-5"}};
    for (const auto& k : clicks) {
        const std::optional<MapPick> p = MapPickAt(k.x, k.y);
        ASSERT_TRUE(p) << k.x << "," << k.y;
        const PlaceTexts t = PlaceTextsOf(*p);
        EXPECT_EQ(t.latitude, k.lat);
        EXPECT_EQ(t.longitude, k.lon);
        EXPECT_EQ(t.gmtOffset, k.gmt);
    }
    // On or outside the bounds: nothing.
    for (auto [x, y] : {std::pair{14, 62}, {315, 62}, {164, 24}, {164, 174}, {-5, -5}, {400, 300}})
        EXPECT_FALSE(MapPickAt(x, y)) << x << "," << y;
}

TEST(SettingsCollect, UntouchedValuesStayExactAndOutOfRangeFieldsAreNamed) {
    nv::SettingsFile shown = nv::DefaultSettings();
    shown.m_latitude = 51.4769123456;
    shown.m_longitude = -0.0005;
    shown.m_gmtOffset = 5.5f;
    const PlaceTexts texts = PlaceTextsOf(shown);
    EXPECT_TRUE(texts.latitude == "51.476912" && texts.longitude == "-0.000500" &&
                texts.gmtOffset == "5.500000");
    std::array<bool, nv::kSettingSwitchCount> switches{};
    switches[nv::kSetNightVision] = true;
    CollectedSettings c = CollectSettings(texts, switches, shown);
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.settings.m_latitude == 51.4769123456 && c.settings.m_longitude == -0.0005);
    EXPECT_EQ(c.settings.m_gmtOffset, 5.5f);
    EXPECT_EQ(c.settings.m_switches, switches);
    // Typed values are read as atof reads them; a whole zone is whole, a half hour stays a half.
    c = CollectSettings({"-33.9S", "151.2", "-3.5"}, switches, shown);
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.settings.m_latitude == -33.9 && c.settings.m_longitude == 151.2 &&
                c.settings.m_gmtOffset == -3.5f);
    EXPECT_EQ(nv::GmtOffsetText(c.settings.m_gmtOffset), "-3.500000");
    EXPECT_EQ(CollectSettings({"90", "-180", "-14"}, switches, shown).ok, true);
    const struct {
        PlaceTexts typed;
        const char* field;
    } refused[] = {{{"90.5", "0", "0"}, "Latitude"},    {{"", "0", "0"}, "Latitude"},
                   {{"0", "180.01", "0"}, "Longitude"}, {{"0", "east", "0"}, "Longitude"},
                   {{"0", "0", "14.5"}, "GMT"},         {{"0", "0", "-15"}, "GMT"}};
    for (const auto& r : refused) {
        c = CollectSettings(r.typed, switches, shown);
        EXPECT_FALSE(c.ok);
        EXPECT_EQ(c.message.rfind(r.field, 0), 0u) << c.message;
    }
}

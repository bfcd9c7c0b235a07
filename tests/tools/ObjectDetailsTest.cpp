// The "Object Details" text line by line for a star, a body and a Messier object, its position
// edge cases, its times against `skycalc rts` for the same direction, date and place, and the
// pop-up menu's first item for each kind of pick.
#include "SkyReference.h"

#include "planetarium/SkyObjects.h"
#include "planetarium/tools/ObjectDetails.h"
#include "planetarium/tools/Picking.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

using nv::tools::ObjectDetailsText;

namespace {

// 2024-03-20 22:00 local, one hour east of Greenwich, near London.
constexpr const char* kWhen[] = {"--date", "2024-03-20", "--time", "22:00", "--zone", "1"};
constexpr double kLat = 51.5, kLon = -0.1;

nv::SkyState Evening(double latitude = kLat) {
    nv::SkyState s;
    s.g_year = 2024, s.g_month = 3, s.g_day = 20, s.g_hour = 22, s.g_minute = 0;
    s.g_gmtOffset = 1.0f;
    s.g_latitude = latitude;
    s.g_longitude = kLon;
    return s;
}

// skycalc's "rise", "transit" and "set" values ("never-rises"/"never-sets" where it has none).
QStringList SkycalcTimes(double ra, double dec, double latitude = kLat) {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "details_test";
        static char* argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    QStringList args = {"rts",
                        "--ra",
                        QString::number(ra, 'g', 17),
                        "--dec",
                        QString::number(dec, 'g', 17),
                        "--lat",
                        QString::number(latitude, 'g', 17),
                        "--lon",
                        QString::number(kLon, 'g', 17)};
    for (const char* a : kWhen) args << a;
    QProcess p;
    p.start(NV_SKYCALC_EXE, args);
    if (!p.waitForFinished(20000)) return {};
    QStringList times;
    for (const QString& line : QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        times << line.split(' ').value(1);
    return times;
}

QStringList Lines(const std::string& text) {
    return QString::fromStdString(text).split("\r\n");
}

// The lines from "Rise =" to the end that `skycalc rts` gives for (ra, dec), never-* in words.
QStringList TimeLines(double ra, double dec, double latitude = kLat) {
    QStringList t = SkycalcTimes(ra, dec, latitude);
    if (t.size() != 3) return {"skycalc failed"};
    for (QString& v : t) v.replace("never-rises", "never rises").replace("never-sets", "never sets");
    return {
        "Rise = " + t[0], "Transit = " + t[1], "Set = " + t[2], "", "Julian day = 2460390.375000", "", ""};
}

constexpr double kJulianDay = 2460390.375; // of kWhen, UT

// Seconds of right ascension of an "RA = 5h 58m 31s" line, -1 for another line.
double RaSeconds(const QString& line) {
    int h = 0, m = 0, sec = 0;
    if (std::sscanf(line.toStdString().c_str(), "RA = %dh %dm %ds", &h, &m, &sec) != 3) return -1;
    return h * 3600.0 + m * 60.0 + sec;
}

// A body's lines from "RA =" to "Set =" against a catalogue (J2000) direction: the right ascension
// within a second of time (the line cuts it), the declination within 0.2 arcsecond, the times
// within 0.1 second of those `skycalc rts` gives for the direction.
void ExpectBodyLines(const QStringList& text, const nvtest::RaDecDeg& j2000) {
    const double ra = std::fmod(j2000.ra + 360.0, 360.0);
    EXPECT_NEAR(std::remainder(RaSeconds(text.value(2)) - ra * 240.0, 86400.0), -0.5, 0.6)
        << text.value(2).toStdString();
    ASSERT_TRUE(text.value(3).startsWith("DEC = "));
    EXPECT_NEAR(text.value(3).mid(6).toDouble(), j2000.dec, 5e-5) << text.value(3).toStdString();
    const QStringList want = SkycalcTimes(j2000.ra, j2000.dec);
    ASSERT_EQ(want.size(), 3);
    const char* keys[] = {"Rise = ", "Transit = ", "Set = "};
    for (int k = 0; k < 3; ++k) {
        const QString line = text.value(5 + k);
        ASSERT_TRUE(line.startsWith(keys[k])) << line.toStdString();
        EXPECT_NEAR(line.mid(QString(keys[k]).size()).toDouble(), want[k].toDouble(), 3e-5) << keys[k];
    }
}

nv::StarRecord At(double raDeg, double decDeg, float spectralClass = 2, float magnitude = 1.5f) {
    const nv::Vec3f v = nv::SkyDirection(raDeg, decDeg);
    return {v.x, v.y, v.z, spectralClass, magnitude};
}

class DetailsTest : public ::testing::Test {
protected:
    std::unique_ptr<nv::SkyCatalog> cat = std::make_unique<nv::SkyCatalog>();
    astro::CSolarSystem solar;
    nv::SkyState s = Evening();
};

} // namespace

TEST_F(DetailsTest, StarTextLineByLine) {
    // RA 135, Dec 30: x and z are the same float and y is exactly -0.5.
    cat->m_stars[4242] = At(135.0, 30.0);
    QStringList expected = {"4242",
                            "",
                            "Visable colour = White",
                            "",
                            "Magnitude = 1.500000",
                            "",
                            "RA = 9h 0m 0s",
                            "DEC = 30.000000",
                            ""};
    expected << TimeLines(135.0, 30.0);
    EXPECT_EQ(Lines(ObjectDetailsText(4242, s, *cat, solar)), expected);

    // A named star by its name; minutes and seconds of right ascension cut, not rounded
    // (101.28 degrees = 6h 45m 7.2s); the colour words by class, none for a class of no word.
    cat->m_stars[32349] = At(101.28, 30.0, 5, -1.46f);
    cat->m_starNames[32349] = "Sirius";
    const QStringList named = Lines(ObjectDetailsText(32349, s, *cat, solar));
    EXPECT_EQ(named.mid(0, 8),
              QStringList({"Sirius", "", "Visable colour = Orange", "", "Magnitude = -1.460000", "",
                           "RA = 6h 45m 7s", "DEC = 30.000000"}));
    const char* words[] = {"Blue", "Light blue", "White", "Light Yellow", "Yellow", "Orange",
                           "Red",  "Dark Red",   ""};
    for (int k = 0; k <= 8; ++k) {
        cat->m_stars[7].spectralClass = static_cast<float>(k == 8 ? 2.5 : k);
        EXPECT_EQ(Lines(ObjectDetailsText(7, s, *cat, solar)).value(2),
                  QString("Visable colour = ") + words[k]);
    }
}

TEST_F(DetailsTest, BodyAndMessierTexts) {
    // The Sun at ecliptic longitude 90 of the date stands at 6h and the full obliquity (23.4393 in
    // single precision) on the equator of date; the details speak the catalogue's equator (J2000),
    // where a textbook precession carries it back to about 5h 58m 31s. The times are those of that
    // direction.
    solar.m_bodies[astro::kSun] = {0.0, 1.0162, 0.0, 0.0093584};
    const QStringList sun = Lines(ObjectDetailsText(nv::kBodyPickBase + astro::kSun, s, *cat, solar));
    ASSERT_EQ(sun.size(), 12);
    EXPECT_EQ(sun.mid(0, 2), QStringList({"Sol/Sun", ""}));
    ExpectBodyLines(sun,
                    nvtest::J2000FromPrecessed(90.0, static_cast<double>(astro::kObliquity), kJulianDay));
    EXPECT_EQ(sun.mid(8), QStringList({"", "Julian day = 2460390.375000", "", ""}));

    // The equinox of date lies 0.31 degree west of the catalogue's and 0.13 degree south.
    solar.m_bodies[astro::kMoon] = {0.0016, 0.0, 0.0, 1.5e-5};
    const QStringList moon = Lines(ObjectDetailsText(nv::kBodyPickBase + astro::kMoon, s, *cat, solar));
    EXPECT_EQ(moon.value(0), "Moon/Lunar");
    ExpectBodyLines(moon, nvtest::J2000FromPrecessed(0.0, 0.0, kJulianDay));
    EXPECT_EQ(Lines(ObjectDetailsText(nv::kBodyPickBase + astro::kPluto, s, *cat, solar)).value(0), "Pluto");

    // M42's centre at RA 83.8221 (5h 35m 17.3s), Dec -30.
    cat->m_messierCentre[41] = nv::SkyDirection(83.8221, -30.0);
    QStringList messier = {"Messier M42", "", "RA = 5h 35m 17s", "DEC = -30.000000", ""};
    messier << TimeLines(83.8221, -30.0);
    EXPECT_EQ(Lines(ObjectDetailsText(nv::kMessierPickBase + 42, s, *cat, solar)), messier);

    // Nothing picked, or a name no object has: no text.
    for (int name : {nv::kPickNone, 118325, 118400, 200000})
        EXPECT_EQ(ObjectDetailsText(name, s, *cat, solar), "") << name;
}

TEST_F(DetailsTest, RightAscensionAtZeroNeverReads24Hours) {
    for (float x : {0.0f, -0.0f, 1e-9f}) { // the last lies a hair west of 0h
        cat->m_stars[9] = {x, -0.5f, 0.8660254f, 2, 4};
        EXPECT_EQ(Lines(ObjectDetailsText(9, s, *cat, solar)).value(6), "RA = 0h 0m 0s") << x;
    }
    cat->m_stars[9] = At(359.99, 10.0); // 23h 59m 57.6s
    EXPECT_EQ(Lines(ObjectDetailsText(9, s, *cat, solar)).value(6), "RA = 23h 59m 57s");
}

TEST_F(DetailsTest, NeverRisesAndNeverSetsKeepTheTransit) {
    s = Evening(60.0);
    cat->m_stars[10] = At(200.0, -80.0);
    QStringList text = Lines(ObjectDetailsText(10, s, *cat, solar));
    EXPECT_EQ(text.mid(9, 3), TimeLines(200.0, -80.0, 60.0).mid(0, 3));
    EXPECT_EQ(text.value(9), "Rise = never rises");
    EXPECT_EQ(text.value(11), "Set = never rises");

    // Polaris (J2000 RA 37.9529, Dec 89.2641) from latitude 51.5. The table holds its direction in
    // single precision, an arcsecond from the typed one: so near the pole, where the precession
    // turns that arcsecond into 0.02 degree of right ascension of date, skycalc is given the stored
    // direction.
    s = Evening(51.5);
    const nv::StarRecord polaris = At(37.9529, 89.2641);
    cat->m_stars[11767] = polaris;
    text = Lines(ObjectDetailsText(11767, s, *cat, solar));
    EXPECT_EQ(text.value(9), "Rise = never sets");
    EXPECT_EQ(text.value(11), "Set = never sets");
    EXPECT_TRUE(text.value(10).startsWith("Transit = ")) << text.value(10).toStdString();
    const double ra = -std::atan2(double(polaris.x), double(polaris.z)) * 180.0 / M_PI,
                 dec = -std::asin(double(polaris.y)) * 180.0 / M_PI;
    EXPECT_EQ(text.mid(9, 3), TimeLines(ra, dec, 51.5).mid(0, 3));
}

TEST(PopupItem, FirstItemNamesThePickByKind) {
    auto cat = std::make_unique<nv::SkyCatalog>();
    cat->m_starNames[11767] = "Polaris";
    EXPECT_EQ(nv::tools::PopupFirstItemText(nv::kPickNone, cat.get()), "No star Selected");
    EXPECT_EQ(nv::tools::PopupFirstItemText(11767, cat.get()), "About Polaris");
    EXPECT_EQ(nv::tools::PopupFirstItemText(20000, cat.get()), "Hip number 20000");
    EXPECT_EQ(nv::tools::PopupFirstItemText(0, cat.get()), "Hip number 0");
    EXPECT_EQ(nv::tools::PopupFirstItemText(11767, nullptr), "Hip number 11767");
    const char* bodies[] = {"About Sol/Sun", "About Moon/Lunar", "About Mercury", "About Venus",
                            "About Mars",    "About Jupiter",    "About Saturn",  "About Uranus",
                            "About Neptune", "About Pluto"};
    for (int k = 0; k < 10; ++k) EXPECT_EQ(nv::tools::PopupFirstItemText(118330 + k, cat.get()), bodies[k]);
    EXPECT_EQ(nv::tools::PopupFirstItemText(118500, cat.get()), "About Messier M1");
    EXPECT_EQ(nv::tools::PopupFirstItemText(118608, cat.get()), "About Messier M109");
    EXPECT_EQ(nv::tools::PopupFirstItemText(118325, cat.get()), "No star Selected");
}

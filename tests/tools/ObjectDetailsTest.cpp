// The "Object Details" text line by line, its times against `skycalc rts`, and the pop-up's first item.
#include "SkyReference.h"

#include "planetarium/SkyObjects.h"
#include "planetarium/tools/ObjectDetails.h"
#include "planetarium/tools/Picking.h"

#include <QCoreApplication>
#include <QProcess>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

constexpr double kLon = -0.1, kJulianDay = 2460390.375; // 2024-03-20 22:00 at zone +1, UT

// The lines from "Rise =" to the end as `skycalc rts` gives the times for (ra, dec) on that evening.
QStringList TimeLines(double ra, double dec, double latitude = 51.5) {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "details_test", *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }
    QStringList args = {"rts", "--date", "2024-03-20", "--time", "22:00", "--zone", "1"};
    for (auto [key, v] : {std::pair{"--ra", ra}, {"--dec", dec}, {"--lat", latitude}, {"--lon", kLon}})
        args << key << QString::number(v, 'g', 17);
    QProcess p;
    p.start(NV_SKYCALC_EXE, args);
    QStringList t;
    if (p.waitForFinished(20000))
        for (const QString& line :
             QString::fromLatin1(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            t << line.split(' ').value(1).replace('-', ' '); // "never-rises" in words
    if (t.size() != 3) return {"skycalc failed"};
    return {
        "Rise = " + t[0], "Transit = " + t[1], "Set = " + t[2], "", "Julian day = 2460390.375000", "", ""};
}

nv::StarRecord At(double raDeg, double decDeg, float spectralClass = 2, float magnitude = 1.5f) {
    const nv::Vec3f v = nv::SkyDirection(raDeg, decDeg);
    return {v.x, v.y, v.z, spectralClass, magnitude};
}

class DetailsTest : public ::testing::Test {
protected:
    QStringList Text(int name) {
        return QString::fromStdString(nv::tools::ObjectDetailsText(name, s, *cat, solar)).split("\r\n");
    }
    std::unique_ptr<nv::SkyCatalog> cat = std::make_unique<nv::SkyCatalog>();
    astro::CSolarSystem solar;
    nv::SkyState s = [] {
        nv::SkyState s;
        s.g_year = 2024, s.g_month = 3, s.g_day = 20, s.g_hour = 22, s.g_minute = 0, s.g_gmtOffset = 1.0f;
        s.g_latitude = 51.5, s.g_longitude = kLon;
        return s;
    }();
};

} // namespace

// Faults: a line out of place or misworded, a name not used, right ascension rounded instead of
// cut or reading 24h at 0h, a colour word for the wrong class, times not the core's corrected ones.
TEST_F(DetailsTest, StarTextLineByLine) {
    cat->m_stars[4242] = At(135.0, 30.0);
    EXPECT_EQ(Text(4242), QStringList({"4242", "", "Visable colour = White", "", "Magnitude = 1.500000", "",
                                       "RA = 9h 0m 0s", "DEC = 30.000000", ""})
                              << TimeLines(135.0, 30.0));
    cat->m_starNames[4242] = "Sirius";
    EXPECT_EQ(Text(4242).value(0), "Sirius");
    const char* words[] = {"Blue", "Light blue", "White", "Light Yellow", "Yellow", "Orange",
                           "Red",  "Dark Red",   ""};
    for (int k = 0; k <= 8; ++k) {
        cat->m_stars[7].spectralClass = static_cast<float>(k == 8 ? 2.5 : k);
        EXPECT_EQ(Text(7).value(2), QString("Visable colour = ") + words[k]);
    }
    for (float x : {0.0f, -0.0f, 1e-9f}) { // x = 0, z > 0; the last lies a hair west of 0h
        cat->m_stars[9] = {x, -0.5f, 0.8660254f, 2, 4};
        EXPECT_EQ(Text(9).value(6), "RA = 0h 0m 0s") << x;
    }
    cat->m_stars[9] = At(359.99, 10.0); // 23h 59m 57.6s
    EXPECT_EQ(Text(9).value(6), "RA = 23h 59m 57s");
}

// Faults: a body's position not carried from the ecliptic of date to the catalogue's equator, the
// Julian day not UT, a Messier object's lines wrong, text for nothing picked or an unknown name.
TEST_F(DetailsTest, BodyAndMessierTexts) {
    // The Sun at ecliptic longitude 90 of date (6h, +23.4393 of date), carried to the catalogue's equator.
    solar.m_bodies[astro::kSun] = {0.0, 1.0162, 0.0, 0.0093584};
    const QStringList sun = Text(nv::kBodyPickBase + astro::kSun);
    ASSERT_EQ(sun.size(), 12);
    EXPECT_EQ(sun.mid(0, 2), QStringList({"Sol/Sun", ""}));
    const nvtest::RaDecDeg j2000 =
        nvtest::J2000FromPrecessed(90.0, static_cast<double>(astro::kObliquity), kJulianDay);
    int h = 0, m = 0, sec = 0;
    ASSERT_EQ(std::sscanf(sun.value(2).toLatin1().constData(), "RA = %dh %dm %ds", &h, &m, &sec), 3);
    EXPECT_NEAR(h * 3600.0 + m * 60.0 + sec - j2000.ra * 240.0, -0.5, 0.6) << sun.value(2).toStdString();
    ASSERT_TRUE(sun.value(3).startsWith("DEC = "));
    EXPECT_NEAR(sun.value(3).mid(6).toDouble(), j2000.dec, 5e-5) << sun.value(3).toStdString();
    const QStringList want = TimeLines(j2000.ra, j2000.dec);
    for (int k = 0; k < 3; ++k) {
        const QString key = want.value(k).section(' ', 0, 1) + ' ';
        ASSERT_TRUE(sun.value(5 + k).startsWith(key)) << sun.value(5 + k).toStdString();
        EXPECT_NEAR(sun.value(5 + k).mid(key.size()).toDouble(), want.value(k).mid(key.size()).toDouble(),
                    3e-5);
    }
    EXPECT_EQ(sun.mid(8), QStringList({"", "Julian day = 2460390.375000", "", ""}));

    cat->m_messierCentre[41] = nv::SkyDirection(83.8221, -30.0); // 5h 35m 17.3s
    EXPECT_EQ(Text(nv::kMessierPickBase + 42),
              QStringList({"Messier M42", "", "RA = 5h 35m 17s", "DEC = -30.000000", ""})
                  << TimeLines(83.8221, -30.0));
    for (int name : {nv::kPickNone, 118325, 118400, 200000})
        EXPECT_EQ(nv::tools::ObjectDetailsText(name, s, *cat, solar), "") << name;
}

// Faults: the never-rises and never-sets wordings swapped or lost, the transit dropped with them.
TEST_F(DetailsTest, NeverRisesAndNeverSetsKeepTheTransit) {
    s.g_latitude = 60.0;
    cat->m_stars[10] = At(200.0, -80.0);
    EXPECT_EQ(Text(10).mid(9, 3), TimeLines(200.0, -80.0, 60.0).mid(0, 3));
    EXPECT_EQ(Text(10).value(11), "Set = never rises");
    // Polaris from 51.5; skycalc gets the stored single-precision direction (it matters near the pole).
    s.g_latitude = 51.5;
    const nv::StarRecord polaris = cat->m_stars[11767] = At(37.9529, 89.2641);
    const double ra = -std::atan2(double(polaris.x), double(polaris.z)) * 180.0 / M_PI,
                 dec = -std::asin(double(polaris.y)) * 180.0 / M_PI;
    EXPECT_EQ(Text(11767).mid(9, 3), TimeLines(ra, dec).mid(0, 3));
    EXPECT_EQ(Text(11767).value(9), "Rise = never sets");
}

// Faults: a pop-up item worded wrongly for a kind, a body or Messier number off by one, an unnamed
// star or a name between the ranges taken for something.
TEST(PopupItem, FirstItemNamesThePickByKind) {
    auto cat = std::make_unique<nv::SkyCatalog>();
    cat->m_starNames[11767] = "Polaris";
    const std::pair<int, const char*> items[] = {{11767, "About Polaris"},      {20000, "Hip number 20000"},
                                                 {118325, "No star Selected"},  {118330, "About Sol/Sun"},
                                                 {118339, "About Pluto"},       {118500, "About Messier M1"},
                                                 {118608, "About Messier M109"}};
    for (auto [name, text] : items) EXPECT_EQ(nv::tools::PopupFirstItemText(name, cat.get()), text) << name;
    EXPECT_EQ(nv::tools::PopupFirstItemText(11767, nullptr), "Hip number 11767");
}

// The logic of the Find, Messier marathon and Settings dialogs without a window.
#include "astro/AutomationDate.h"
#include "planetarium/tools/Find.h"
#include "planetarium/tools/Marathon.h"
#include "planetarium/tools/SettingsEdit.h"

#include <gtest/gtest.h>
#include <memory>

using namespace nv::tools;

// Faults: a case-sensitive sort, a shared name listed once, a number read other than as atoi reads
// it, a refusal with the wrong message, a group with no selection choosing something.
TEST(Find, ListsAndTheKindRule) {
    auto c = std::make_unique<nv::SkyCatalog>();
    for (auto [hip, name] :
         {std::pair{109268, "Alnair"}, {68002, "Alnair"}, {32349, "Sirius"}, {5, "achernar"}})
        c->m_starNames[hip] = name;
    std::vector<std::pair<std::string, int>> names;
    for (const StarNameEntry& e : StarNameEntries(*c)) names.emplace_back(e.name, e.hipNumber);
    EXPECT_EQ(names, (std::vector<std::pair<std::string, int>>{
                         {"achernar", 5}, {"Alnair", 68002}, {"Alnair", 109268}, {"Sirius", 32349}}));

    c->m_stars[32349] = {0.1f, 0.2f, 0.9f, 2, -1.4f};
    const FindChoice sirius =
        ChooseFind(FindKind::Star, " 32349 (Sirius)", "", "", *c); // read as atoi reads it
    EXPECT_TRUE(sirius.found && sirius.hipNumber == 32349);
    for (const char* bad : {"-1", "99999999999"})
        EXPECT_EQ(ChooseFind(FindKind::Star, bad, "", "", *c).message,
                  "Please enter a valid Hippocross number.");
    EXPECT_EQ(ChooseFind(FindKind::Messier, "", "M42", "", *c).messierNumber, 42);
    for (FindKind k : {FindKind::Messier, FindKind::Planet}) {
        const FindChoice none = ChooseFind(k, "", "", "", *c);
        EXPECT_TRUE(!none.found && none.message.empty());
    }
}

// Faults: a transit on the window's edge listed, the pickers' dates counted, the line format (the
// overnight window is the window test's).
TEST(Marathon, SameDayAndOvernightWindows) {
    MessierTransits times;
    times.fill(12.0f);
    times[0] = 20.0f; // on the same-day window's start
    times[6] = 21.0f;
    times[20] = 20.25f;
    times[100] = 23.49f;
    times[2] = 2.5f;
    double day = 0, late = 0, early = 0;
    ASSERT_TRUE(astro::AutomationDateFromFields({2024, 3, 9, 0, 0, 0}, day));
    EXPECT_EQ(MarathonLines(times, day + 20 / 24.0, day + 23.5 / 24),
              (std::vector<std::string>{
                  "Viewing time = 3 Hours 30 Min 0 Seconds ", "M7 Transits at 21.000000 O'clock",
                  "M21 Transits at 20.250000 O'clock", "M101 Transits at 23.490000 O'clock"}));
    ASSERT_TRUE(astro::AutomationDateFromFields({2030, 1, 1, 23, 59, 30}, late));
    ASSERT_TRUE(astro::AutomationDateFromFields({1999, 5, 5, 0, 0, 15}, early));
    EXPECT_EQ(MarathonLines(times, late, early)[0], "Viewing time = 0 Hours 0 Min 45 Seconds ");
    EXPECT_TRUE(MarathonChoice("M101 Transits at 2.9 O'clock") == 101 && MarathonChoice("M") == 0);
}

// Faults: an untouched value rounded through its text, a half-hour zone cut to whole hours, a
// range edge refused, an out-of-range or empty field accepted or not named.
TEST(Settings, UntouchedValuesStayExactAndOutOfRangeFieldsAreNamed) {
    nv::SettingsFile shown = nv::DefaultSettings();
    shown.m_latitude = 51.4769123456;
    shown.m_gmtOffset = 5.5f;
    const PlaceTexts texts = PlaceTextsOf(shown);
    EXPECT_TRUE(texts.latitude == "51.476912" && texts.gmtOffset == "5.500000");
    std::array<bool, nv::kSettingSwitchCount> switches{};
    switches[nv::kSetNightVision] = true;
    CollectedSettings c = CollectSettings(texts, switches, shown);
    ASSERT_TRUE(c.ok);
    EXPECT_TRUE(c.settings.m_latitude == 51.4769123456 && c.settings.m_gmtOffset == 5.5f);
    EXPECT_EQ(c.settings.m_switches, switches);
    c = CollectSettings({"-33.9S", "151.2", "-3.5"}, switches, shown);
    EXPECT_TRUE(c.ok && c.settings.m_latitude == -33.9 && c.settings.m_gmtOffset == -3.5f);
    EXPECT_TRUE(CollectSettings({"90", "-180", "-14"}, switches, shown).ok);
    const std::pair<PlaceTexts, const char*> refused[] = {{{"90.5", "0", "0"}, "Latitude"},
                                                          {{"", "0", "0"}, "Latitude"},
                                                          {{"0", "180.01", "0"}, "Longitude"},
                                                          {{"0", "east", "0"}, "Longitude"},
                                                          {{"0", "0", "14.5"}, "GMT"}};
    for (const auto& [typed, field] : refused) {
        c = CollectSettings(typed, switches, shown);
        EXPECT_TRUE(!c.ok && c.message.rfind(field, 0) == 0) << c.message;
    }
}

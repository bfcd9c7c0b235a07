#include "StartupData.h"

#include "astro/SkyClock.h"
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "planetarium/catalog/Textures.h"
#include "platform/DataDir.h"

namespace nv::app {

QString LoadStarTable(SkyCatalog& catalog) {
    const StarLoadReport report = LoadStarData(catalog, platform::DataFile("hip.txt"));
    return report.ok ? QString() : QString::fromStdString(report.message);
}

QStringList LoadTextures(SkyState& state) {
    const TextureLoadReport report = LoadAllTextures(state, platform::DataDir());
    QStringList failed;
    for (const std::string& line : report.failed) failed << QString::fromStdString(line);
    return failed;
}

QString ReadStarNamesFile(SkyCatalog& catalog) {
    const StarNamesReport report = ReadStarNames(platform::DataFile("starnames.txt"), catalog);
    return report.ok ? QString() : QString::fromStdString(report.message);
}

QString ReadSettingsIntoState(SkyState& state) {
    SettingsFile settings;
    const SettingsReport report = ReadSettingsFile(platform::DataFile("NightvaneGL.ini"), settings);
    ApplySettings(settings, state);
    return report.ok ? QString() : QString::fromStdString(report.message);
}

void ApplyStartDefaults(SkyState& s) {
    s.sw.m_showEyepiece = true;
    s.m_eyepieceSize = 1.0f;
    s.m_animUnit = 1;
    s.m_animCount = 1;
    s.g_gliding = false;
    s.g_lockIsBody = false;
}

void SetSkyClock(SkyState& s, const QDateTime& local) {
    astro::LocalClock clock;
    clock.year = local.date().year();
    clock.month = local.date().month();
    clock.day = local.date().day();
    clock.hour = local.time().hour();
    clock.minute = local.time().minute();
    astro::UpdateSiderealAngle(clock, s);
}

void UpdateDayNumber(SkyState& s) {
    s.m_dayNumber = static_cast<float>(astro::DayNumber(s.g_year, s.g_month, s.g_day, s.g_hour, s.g_minute));
}

void ApplyCatalogueCorrection(SkyCatalog& catalog) {
    ApplyStarCorrection(catalog);
}

} // namespace nv::app

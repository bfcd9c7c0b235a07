#include "StartupData.h"

#include "astro/SkyClock.h"
#include "planetarium/catalog/SettingsFile.h"
#include "planetarium/catalog/StarCatalog.h"
#include "planetarium/catalog/StarNames.h"
#include "planetarium/catalog/Textures.h"
#include "platform/DataDir.h"

#include <filesystem>
#include <system_error>

namespace nv::app {

namespace {

// Reads starnames.txt; a message when it could not be read.
QString ReadStarNamesFile(SkyCatalog& catalog) {
    const StarNamesReport report = ReadStarNames(platform::DataFile("starnames.txt"), catalog);
    return report.ok ? QString() : QString::fromStdString(report.message);
}

// Reads NightvaneGL.ini into the switches, place and zone (defaults when missing); a message when
// it could not be read whole.
QString ReadSettingsIntoState(SkyState& state) {
    SettingsFile settings;
    const SettingsReport report = ReadSettingsFile(platform::DataFile(kSettingsFileName), settings);
    ApplySettings(settings, state);
    return report.ok ? QString() : QString::fromStdString(report.message);
}

// The fixed values that follow the settings: eyepiece shown at size 1, animation by 1 minute, no
// glide, no body lock.
void ApplyStartDefaults(SkyState& s) {
    s.sw.m_showEyepiece = true;
    s.m_eyepieceSize = 1.0f;
    s.m_animUnit = 1;
    s.m_animCount = 1;
    s.g_gliding = false;
    s.g_lockIsBody = false;
}

} // namespace

void RunStartup(CSkyScene& scene, SkyState& state, SkyCatalog& catalog, const StartupSteps& steps) {
    const QString noData = steps.loadTablesAndPictures ? MissingDataFolderMessage() : QString();
    if (!noData.isEmpty() && steps.report) steps.report(noData);
    auto say = [&steps, quiet = !noData.isEmpty()](const QString& message) {
        if (!message.isEmpty() && !quiet && steps.report) steps.report(message);
    };
    if (steps.loadTablesAndPictures)
        for (const QString& message : steps.loadTablesAndPictures()) say(message);
    scene.CatalogueLoaded();
    state.m_eyeX = state.m_eyeY = state.m_eyeZ = 0.0f;
    state.m_viewYaw = kHomeYaw;
    state.m_viewPitch = kHomePitch;
    if (steps.readFiles) {
        say(ReadStarNamesFile(catalog));
        scene.NamesChanged();
        say(ReadSettingsIntoState(state));
    }
    ApplyStartDefaults(state);
    ApplyStarCorrection(catalog);
    if (steps.overrides) steps.overrides(state);
    SetSkyClock(state, steps.startTime ? steps.startTime() : QDateTime::currentDateTime());
    state.m_dayNumber = static_cast<float>(
        astro::DayNumber(state.g_year, state.g_month, state.g_day, state.g_hour, state.g_minute));
}

QString LoadStarTable(SkyCatalog& catalog) {
    const StarLoadReport report = LoadStarData(catalog, platform::DataFile("hip.txt"));
    return report.ok ? QString() : QString::fromStdString(report.message);
}

QString MissingDataFolderMessage() {
    const std::filesystem::path dir = platform::DataDir();
    std::error_code ec;
    if (std::filesystem::is_directory(dir, ec)) return {};
    return QStringLiteral("The data folder \"%1\" was not found, so there is no sky to draw. Set "
                          "NIGHTVANE_DATA to the folder that holds hip.txt and the pictures.")
        .arg(QString::fromStdString(std::filesystem::absolute(dir, ec).string()));
}

QString LoadTextures(SkyState& state) {
    return MissingPicturesMessage(LoadAllTextures(state, platform::DataDir()).failed);
}

QString MissingPicturesMessage(const std::vector<std::string>& failed) {
    if (failed.empty()) return {};
    constexpr std::size_t kListed = 5;
    QString message = failed.size() == 1
                          ? QStringLiteral("A picture could not be loaded; what it shows is left out:")
                          : QStringLiteral("%1 pictures could not be loaded; what they show is left out:")
                                .arg(failed.size());
    for (std::size_t k = 0; k < failed.size() && k < kListed; ++k)
        message += QStringLiteral("\n") + QString::fromStdString(failed[k]);
    if (failed.size() > kListed) message += QStringLiteral("\n(and %1 more)").arg(failed.size() - kListed);
    return message;
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

} // namespace nv::app

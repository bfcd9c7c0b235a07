// The sky chart's start-up, written once for every way the chart starts (the window and the
// off-screen snapshot): once the OpenGL context exists, the star catalogue, the Messier table and
// the pictures are loaded, the constellation figures take their copy of the star table, the camera
// goes home, the star names and the settings file are read, the fixed start values are set, the
// one catalogue correction is applied, and only then, with the settings' zone known, the sky clock
// is set.
#pragma once

#include "SkyScene.h"
#include "planetarium/SkyState.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

namespace nv::app {

struct StartupSteps {
    // Fills the star and Messier tables and loads the pictures into the current context (the
    // window shows its loading dialog meanwhile). Returns the messages for the user.
    std::function<QStringList()> loadTablesAndPictures;
    // Read the star names and the settings file (off: every switch stays as constructed).
    bool readFiles = true;
    // Runs after the settings and start values, before the sky clock is set (the snapshot's
    // options replace values here).
    std::function<void(SkyState&)> overrides;
    // The local date and time the sky clock starts at.
    std::function<QDateTime()> startTime;
    // Where a message for the user goes (a message box, or standard error).
    std::function<void(const QString&)> report;
};

// When there is no data folder at all, the one message that says so is reported and the
// messages of the single files are not.
void RunStartup(CSkyScene& scene, SkyState& state, SkyCatalog& catalog, const StartupSteps& steps);

// Empty when the data folder exists, else the one message that says where it was looked for.
QString MissingDataFolderMessage();

// The pieces the loading step is made of.
// Reads hip.txt into the star table and fills the Messier table (no dialog). Returns a message
// for the user when the catalogue could not be read or holds no star, else an empty string.
QString LoadStarTable(SkyCatalog& catalog);
// Uploads all textures into the current context. Returns one message naming the pictures that
// could not be loaded (their layers are left out), or an empty string.
QString LoadTextures(SkyState& state);
// That message for a list of failures (one line each); empty when there are none.
QString MissingPicturesMessage(const std::vector<std::string>& failed);

// The sky clock for a local date-time: g_year .. g_minute and g_siderealAngle (seconds dropped).
void SetSkyClock(SkyState& state, const QDateTime& local);

} // namespace nv::app

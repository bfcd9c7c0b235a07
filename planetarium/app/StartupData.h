// The files the sky chart reads at start, as steps shared by the window and the off-screen
// snapshot: the star catalogue with the Messier table, the textures, the star names and the
// settings file, then the fixed defaults of the initial update.
#pragma once

#include "planetarium/SkyState.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace nv::app {

// Reads hip.txt into the star table and fills the Messier table (no dialog). Returns a message
// for the user when the catalogue could not be read, else an empty string.
QString LoadStarTable(SkyCatalog& catalog);
// Uploads all textures into the current context. Returns one line per file that failed.
QStringList LoadTextures(SkyState& state);
// Reads starnames.txt; a message when it could not be read.
QString ReadStarNamesFile(SkyCatalog& catalog);
// Reads NightvaneGL.ini into the switches, place and zone (defaults when missing); a message when
// it could not be read whole.
QString ReadSettingsIntoState(SkyState& state);
// The fixed values of the initial update that follow the settings: eyepiece shown at size 1,
// animation by 1 minute, no glide, no body lock.
void ApplyStartDefaults(SkyState& state);
// The sky clock for a local date-time: g_year .. g_minute and g_siderealAngle (seconds dropped).
void SetSkyClock(SkyState& state, const QDateTime& local);
// m_dayNumber for the sky clock's instant.
void UpdateDayNumber(SkyState& state);
// The one fixed catalogue correction of the initial update.
void ApplyCatalogueCorrection(SkyCatalog& catalog);

} // namespace nv::app

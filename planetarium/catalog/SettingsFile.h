// The settings file "NightvaneGL.ini": 17 lines without keys. Lines 1 to 12 are switches
// (TRUE/FALSE), 13 longitude, 14 latitude (both "%f"), 15 the GMT offset ("%d" for whole hours,
// "%f" for a zone such as +5.5), 16 the Alt/Azi chart switch, 17 night vision. The writer ends every line in
// CR CR LF; the reader accepts a switch as true whatever its line end (CR CR LF, CR LF or LF).
#pragma once

#include "planetarium/SkyState.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace nv {

// The fourteen settings in file order (also the Settings dialog's m_switches order).
enum SettingSwitch : int {
    kSetStars = 0,
    kSetStarNames,
    kSetRaDec,
    kSetEcliptic,
    kSetPlanets,
    kSetGround,
    kSetMilkyWay,
    kSetConstLines,
    kSetConstNames,
    kSetMessiers,
    kSetMessierNames,
    kSetDayLight,
    kSetAltAzi,
    kSetNightVision,
    kSettingSwitchCount
};

inline constexpr int kSettingsLines = 17;
// The settings file's name in the data folder.
inline constexpr std::string_view kSettingsFileName = "NightvaneGL.ini";

struct SettingsFile {
    std::array<bool, kSettingSwitchCount> m_switches{};
    double m_longitude = astro::ObserverPlace{}.longitude; // degrees, east positive
    double m_latitude = astro::ObserverPlace{}.latitude;   // degrees, north positive
    float m_gmtOffset = astro::ObserverPlace{}.gmtOffset;  // local time minus GMT, hours
};

// Stars, names, planets, Milky Way, constellation lines and names, Messiers, day light and
// ground on; grids, ecliptic, Messier names and night vision off; latitude 53, longitude 0, zone 0.
SettingsFile DefaultSettings();

struct SettingsReport {
    bool ok = false;     // the file was read whole (or written)
    std::string message; // for the user when !ok
};

// Parses the file's text. Lines missing at the end, numbers that are not finite and numbers
// outside their range (astro/ValueRanges.h) keep the default value and make the report !ok
// with a message.
SettingsReport ParseSettings(std::string_view text, SettingsFile& out);

// Reads the file. A missing file gives DefaultSettings() and a message.
SettingsReport ReadSettingsFile(const std::filesystem::path& file, SettingsFile& out);

// The exact 17-line text: "TRUE"/"FALSE", "%f", "%f", then the offset as GmtOffsetText writes it,
// each line ending in CR CR LF.
std::string FormatSettings(const SettingsFile& settings);
// A zone as the file and the Settings dialog show it: "%d" for whole hours, "%f" otherwise.
std::string GmtOffsetText(float offset);

// Writes FormatSettings into a new temporary file beside `file` (created exclusively, so nothing
// already at its path, a link included, is written through), then renames it over `file`: a
// failed write never loses the old file. Creates the file when there was none. The report's
// message gives the reason of a failure.
SettingsReport WriteSettingsFile(const std::filesystem::path& file, const SettingsFile& settings);

// Copies the settings into the sky state: the twelve View switches from m_showStars to
// m_showDayLight, then longitude, latitude and GMT offset, then m_showAltAzi, then g_nightVision.
void ApplySettings(const SettingsFile& settings, SkyState& state);
// The settings as the sky state holds them now.
SettingsFile SettingsFromState(const SkyState& state);

} // namespace nv

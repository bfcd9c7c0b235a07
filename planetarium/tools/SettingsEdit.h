// The Settings dialog's logic: the world map pick, the texts the place edits show, and collecting
// the controls into the settings with the range checks. Plain functions; the dialog
// (SettingsDlg) and the view's handler (ToolDialogs) sit on top.
#pragma once

#include "planetarium/catalog/SettingsFile.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace nv::tools {

// The world map: a 300 x 150 equirectangular picture of the Earth (north up, longitude -180 at
// its left edge, 0 in the middle), shown with its top-left corner at this client pixel of the
// dialog.
inline constexpr std::string_view kWorldMapFile = "worldmap.bmp";
inline constexpr int kWorldMapWidth = 300, kWorldMapHeight = 150;
inline constexpr int kWorldMapX = 15, kWorldMapY = 24;

// A click on the map: latitude and longitude in single precision, and the zone in whole hours
// that goes with the longitude (12 x longitude / 180, truncated toward zero).
struct MapPick {
    float latitude;
    float longitude;
    int gmtOffset;
};
// The pick of a click at client pixel (x, y); nothing unless 14 < x < 315 and 24 < y < 174.
std::optional<MapPick> MapPickAt(int x, int y);

// The texts of the edits 1010 (latitude), 1011 (longitude) and 1012 (GMT offset).
struct PlaceTexts {
    std::string latitude, longitude, gmtOffset;
};
// "%f", "%f", and the zone as the settings file writes it ("%d" whole, "%f" otherwise).
PlaceTexts PlaceTextsOf(const SettingsFile& settings);
// "%f", "%f", "%d".
PlaceTexts PlaceTextsOf(const MapPick& pick);

// The outcome of collecting the controls: the settings, or a message naming the field refused.
struct CollectedSettings {
    bool ok = false;
    std::string message;
    SettingsFile settings;
};
// Reads the edits as atof reads them. An edit whose text is still what the dialog showed keeps
// the value it showed, to the last digit. Latitude must lie in -90 .. 90, longitude in
// -180 .. 180 and the zone in -14 .. 14 hours; an edit without any digit is refused too.
CollectedSettings CollectSettings(const PlaceTexts& typed,
                                  const std::array<bool, kSettingSwitchCount>& switches,
                                  const SettingsFile& shown);

} // namespace nv::tools

#include "planetarium/tools/SettingsEdit.h"

#include "astro/TextFields.h"

#include <algorithm>
#include <cstdio>

namespace nv::tools {

namespace {

// The click bounds, exclusive: they frame the map where the dialog places it.
constexpr int kPickLeft = kWorldMapX - 1, kPickRight = kWorldMapX + kWorldMapWidth;
constexpr int kPickTop = kWorldMapY, kPickBottom = kWorldMapY + kWorldMapHeight;

std::string Fixed6(double v) {
    char buffer[400]; // "%f" of the largest double is 316 characters
    std::snprintf(buffer, sizeof buffer, "%f", v);
    return buffer;
}

// One place edit: the message that names it and the range its value must lie in.
struct Field {
    const char* message;
    double low, high;
};
constexpr Field kLatitude{"Latitude must be a number from -90 to 90 (degrees, north positive).", -90, 90};
constexpr Field kLongitude{"Longitude must be a number from -180 to 180 (degrees, east positive).", -180,
                           180};
constexpr Field kGmtOffset{"GMT must be a number of hours from -14 to 14 (local time minus GMT).", -14, 14};

// The edit's value: the shown value while its text is unchanged, else the typed number.
// Nothing when the value lies outside the field's range or the text holds no digit.
std::optional<double> ReadField(const Field& field, const std::string& typed, const std::string& shownText,
                                double shownValue) {
    double v = shownValue;
    if (typed != shownText) {
        if (std::none_of(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        v = text::ToDouble(typed);
    }
    if (!(v >= field.low && v <= field.high)) return std::nullopt;
    return v;
}

} // namespace

std::optional<MapPick> MapPickAt(int x, int y) {
    if (!(x > kPickLeft && x < kPickRight && y > kPickTop && y < kPickBottom)) return std::nullopt;
    // Single precision throughout: a click on the middle row of the upper half gives 44.400002.
    const float latitude = static_cast<float>(-((y - kPickTop) - 75)) * (1.0f / 75.0f) * 90.0f;
    const float t = static_cast<float>((x - kPickLeft) - 150) * (1.0f / 150.0f);
    return MapPick{latitude, 180.0f * t, static_cast<int>(12.0f * t)};
}

PlaceTexts PlaceTextsOf(const SettingsFile& s) {
    return {Fixed6(s.m_latitude), Fixed6(s.m_longitude), GmtOffsetText(s.m_gmtOffset)};
}

PlaceTexts PlaceTextsOf(const MapPick& p) {
    return {Fixed6(p.latitude), Fixed6(p.longitude), std::to_string(p.gmtOffset)};
}

CollectedSettings CollectSettings(const PlaceTexts& typed,
                                  const std::array<bool, kSettingSwitchCount>& switches,
                                  const SettingsFile& shown) {
    CollectedSettings out;
    const PlaceTexts shownTexts = PlaceTextsOf(shown);
    const auto latitude = ReadField(kLatitude, typed.latitude, shownTexts.latitude, shown.m_latitude);
    const auto longitude = ReadField(kLongitude, typed.longitude, shownTexts.longitude, shown.m_longitude);
    const auto zone = ReadField(kGmtOffset, typed.gmtOffset, shownTexts.gmtOffset, shown.m_gmtOffset);
    if (!latitude || !longitude || !zone) {
        out.message = !latitude ? kLatitude.message : !longitude ? kLongitude.message : kGmtOffset.message;
        return out;
    }
    out.ok = true;
    out.settings.m_switches = switches;
    out.settings.m_latitude = *latitude;
    out.settings.m_longitude = *longitude;
    out.settings.m_gmtOffset = static_cast<float>(*zone);
    return out;
}

} // namespace nv::tools

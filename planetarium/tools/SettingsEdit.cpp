#include "planetarium/tools/SettingsEdit.h"

#include "astro/TextFields.h"
#include "astro/ValueRanges.h"

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

// One place edit: how its message names it, the range its value must lie in (the ranges of the
// settings file and the command lines, astro/ValueRanges.h) and what the number means.
struct Field {
    const char* name;
    const char* kind;
    const astro::ValueRange& range;
    const char* meaning;
    std::string message() const {
        return std::string(name) + " must be " + kind + " from " + astro::RangeText(range) + " (" + meaning +
               ").";
    }
};
const Field kLatitude{"Latitude", "a number", astro::kLatitudeRange, "degrees, north positive"};
const Field kLongitude{"Longitude", "a number", astro::kLongitudeRange, "degrees, east positive"};
const Field kGmtOffset{"GMT", "a number of hours", astro::kZoneRange, "local time minus GMT"};

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
    if (!field.range.Contains(v)) return std::nullopt;
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
        out.message = (!latitude ? kLatitude : !longitude ? kLongitude : kGmtOffset).message();
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

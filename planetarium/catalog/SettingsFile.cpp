#include "planetarium/catalog/SettingsFile.h"

#include "astro/TextFields.h"
#include "astro/ValueRanges.h"
#include "platform/AtomicFile.h"
#include "platform/FileText.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <span>
#include <system_error>
#include <vector>

namespace nv {
namespace {

// Line number (0-based) of each of the fourteen switches in the file.
constexpr int kSwitchLine[kSettingSwitchCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16};
constexpr int kLongitudeLine = 12;
constexpr int kLatitudeLine = 13;
constexpr int kGmtLine = 14;

bool ReadsTrue(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    return line == "TRUE";
}

std::string Fixed6(double v) {
    char buffer[400]; // "%f" of the largest double is 316 characters
    const int n = std::snprintf(buffer, sizeof buffer, "%f", v);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// The offset truncated toward zero, held within the int range.
int WholeHours(float offset) {
    const double t = std::trunc(static_cast<double>(offset));
    if (!(t > -2147483648.0)) return std::numeric_limits<int>::min();
    if (!(t < 2147483647.0)) return std::numeric_limits<int>::max();
    return static_cast<int>(t);
}

// A number line of the place: `value` (holding the default) takes the number when it is finite
// and inside `range`; otherwise it keeps the default and `problems` says why.
void ReadPlaceNumber(std::string_view line, const astro::ValueRange& range, double& value,
                     std::vector<std::string>& problems) {
    const std::optional<double> read = text::ToFiniteDouble(line);
    std::string why;
    if (!read) {
        while (!line.empty() && text::IsSpace(line.back())) line.remove_suffix(1);
        why = std::string(range.what) + " \"" + std::string(line.substr(0, 40)) + "\" is not a finite number";
    } else {
        why = astro::RangeProblem(range, *read);
    }
    if (why.empty()) {
        value = *read;
        return;
    }
    char fallback[32];
    std::snprintf(fallback, sizeof fallback, "%g", value);
    problems.push_back("The settings file's " + why + "; the default " + fallback + " is used.");
}

} // namespace

SettingsFile DefaultSettings() {
    SettingsFile s; // the start place and zone
    s.m_switches.fill(false);
    for (SettingSwitch on : {kSetStars, kSetStarNames, kSetPlanets, kSetGround, kSetMilkyWay, kSetConstLines,
                             kSetConstNames, kSetMessiers, kSetDayLight})
        s.m_switches[on] = true;
    return s;
}

SettingsReport ParseSettings(std::string_view text, SettingsFile& out) {
    out = DefaultSettings();
    text::LineReader reader(text);
    std::string_view lines[kSettingsLines];
    int present = 0;
    for (int i = 0; i < kSettingsLines; ++i) {
        if (reader.atEnd()) break;
        lines[i] = reader.next();
        present = i + 1;
    }
    for (int s = 0; s < kSettingSwitchCount; ++s)
        if (kSwitchLine[s] < present) out.m_switches[s] = ReadsTrue(lines[kSwitchLine[s]]);
    std::vector<std::string> problems;
    if (kLongitudeLine < present)
        ReadPlaceNumber(lines[kLongitudeLine], astro::kLongitudeRange, out.m_longitude, problems);
    if (kLatitudeLine < present)
        ReadPlaceNumber(lines[kLatitudeLine], astro::kLatitudeRange, out.m_latitude, problems);
    if (kGmtLine < present) {
        double zone = out.m_gmtOffset;
        ReadPlaceNumber(lines[kGmtLine], astro::kZoneRange, zone, problems);
        out.m_gmtOffset = static_cast<float>(zone);
    }

    SettingsReport report;
    report.ok = present == kSettingsLines && problems.empty();
    if (present != kSettingsLines)
        problems.insert(problems.begin(), "The settings file is incomplete (" + std::to_string(present) +
                                              " of " + std::to_string(kSettingsLines) +
                                              " lines); the missing settings take their defaults.");
    for (const std::string& p : problems) report.message += (report.message.empty() ? "" : "\n") + p;
    return report;
}

SettingsReport ReadSettingsFile(const std::filesystem::path& file, SettingsFile& out) {
    std::string why;
    const std::optional<std::string> bytes = ReadWholeFile(file, kSmallFileLimit, &why);
    if (!bytes) {
        out = DefaultSettings();
        SettingsReport report;
        report.message = "The settings file could not be read: " + why + ". Default settings are used.";
        return report;
    }
    SettingsReport report = ParseSettings(*bytes, out);
    if (!report.ok) report.message = "\"" + file.string() + "\": " + report.message;
    return report;
}

std::string FormatSettings(const SettingsFile& settings) {
    static constexpr const char* kEnd = "\r\r\n";
    auto flag = [&](int s) { return std::string(settings.m_switches[s] ? "TRUE" : "FALSE") + kEnd; };
    std::string text;
    for (int s = kSetStars; s <= kSetDayLight; ++s) text += flag(s);
    text += Fixed6(settings.m_longitude) + kEnd;
    text += Fixed6(settings.m_latitude) + kEnd;
    text += GmtOffsetText(settings.m_gmtOffset) + kEnd;
    text += flag(kSetAltAzi);
    text += flag(kSetNightVision);
    return text;
}

std::string GmtOffsetText(float offset) {
    const double v = offset;
    return std::trunc(v) == v ? std::to_string(WholeHours(offset)) : Fixed6(v);
}

SettingsReport WriteSettingsFile(const std::filesystem::path& file, const SettingsFile& settings) {
    // A new temporary file beside the old one, renamed over it: a failed write keeps the old file.
    SettingsReport report;
    const std::string text = FormatSettings(settings);
    std::string why;
    report.ok = platform::WriteFileAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), &why);
    if (!report.ok)
        report.message = "The settings could not be saved to \"" + file.string() + "\": " + why +
                         ". The settings file is unchanged.";
    return report;
}

void ApplySettings(const SettingsFile& s, SkyState& state) {
    LayerSwitches& sw = state.sw;
    sw.m_showStars = s.m_switches[kSetStars];
    sw.m_showStarNames = s.m_switches[kSetStarNames];
    sw.m_showRaDec = s.m_switches[kSetRaDec];
    sw.m_showEcliptic = s.m_switches[kSetEcliptic];
    sw.m_showPlanets = s.m_switches[kSetPlanets];
    sw.m_showGround = s.m_switches[kSetGround];
    sw.m_showMilkyWay = s.m_switches[kSetMilkyWay];
    sw.m_showConstLines = s.m_switches[kSetConstLines];
    sw.m_showConstNames = s.m_switches[kSetConstNames];
    sw.m_showMessiers = s.m_switches[kSetMessiers];
    sw.m_showMessierNames = s.m_switches[kSetMessierNames];
    sw.m_showDayLight = s.m_switches[kSetDayLight];
    state.g_longitude = s.m_longitude;
    state.g_latitude = s.m_latitude;
    state.g_gmtOffset = s.m_gmtOffset;
    sw.m_showAltAzi = s.m_switches[kSetAltAzi];
    state.g_nightVision = s.m_switches[kSetNightVision];
}

SettingsFile SettingsFromState(const SkyState& state) {
    const LayerSwitches& sw = state.sw;
    SettingsFile s;
    s.m_switches = {sw.m_showStars,      sw.m_showStarNames, sw.m_showRaDec,        sw.m_showEcliptic,
                    sw.m_showPlanets,    sw.m_showGround,    sw.m_showMilkyWay,     sw.m_showConstLines,
                    sw.m_showConstNames, sw.m_showMessiers,  sw.m_showMessierNames, sw.m_showDayLight,
                    sw.m_showAltAzi,     state.g_nightVision};
    s.m_longitude = state.g_longitude;
    s.m_latitude = state.g_latitude;
    s.m_gmtOffset = state.g_gmtOffset;
    return s;
}

} // namespace nv

// The daylight sky. The Sun's depression v (the y of its direction in the horizon frame, about
// minus the sine of its altitude) below kDayLightStart, the Sun about 11.5 degrees down, lights the
// sky: the level is kDayLightStart - v, so it reaches kDayLightStart with the Sun on the horizon.
// While it is up the stars and the Messier pictures fade: the frame is the night frame until the
// daylight starts, the faint stars go first, and no star is left once the Sun is up. The Sun, the
// Moon and the planets stay.
#pragma once

#include "planetarium/SkyState.h"

#include <algorithm>
#include <limits>

namespace nv {

inline constexpr float kDayLightStart = 0.2f;

// The daylight rule of a frame for the Sun's depression v.
struct DayLight {
    bool active;
    float level;
    float clear[4];
};
inline DayLight DayLightFor(float v, bool nightVision) {
    if (v < kDayLightStart && !nightVision) {
        const float level = kDayLightStart - v;
        return {true, level, {0.7f * level, 0.7f * level, 2.0f * level, 1.0f}};
    }
    return {false, v + kDayLightStart, {0.0f, 0.0f, 0.0f, 1.0f}};
}

// How far the daylight has come: 0 at night (or with the daylight sky off), 1 once the Sun is up.
inline float DayLightProgress(const SkyState& s) {
    if (!s.sw.m_showDayLight || !s.g_dayLightActive) return 0.0f;
    return std::clamp(s.g_dayLightLevel / kDayLightStart, 0.0f, 1.0f);
}

// The faintest magnitude the daylight leaves. It falls linearly from kNightStarLimit, fainter than
// any star the chart draws (stars fainter than 13.4 are black), to kDayStarLimit, brighter than
// the brightest star, as the Sun climbs from 11.5 degrees down to the horizon; a star fades out
// over the kStarFadeWidth magnitudes brighter than the limit. Infinite while no daylight is up.
inline constexpr float kNightStarLimit = 15.0f;
inline constexpr float kDayStarLimit = -3.0f;
inline constexpr float kStarFadeWidth = 1.5f;
inline float DayLightStarLimit(const SkyState& s) {
    const float t = DayLightProgress(s);
    if (t <= 0.0f) return std::numeric_limits<float>::infinity();
    return kNightStarLimit + (kDayStarLimit - kNightStarLimit) * t;
}
// The share of a star's light of magnitude m left under the limit: 1 well brighter, 0 at or fainter.
inline float DayLightStarFade(float m, float limit) {
    return std::clamp((limit - m) / kStarFadeWidth, 0.0f, 1.0f);
}
// True when the limit leaves no star at all.
inline bool DayLightHidesEveryStar(float limit) {
    return limit <= kDayStarLimit;
}
// The share of the Messier pictures' light left: they fade linearly with the daylight.
inline float DayLightPictureFade(const SkyState& s) {
    return 1.0f - DayLightProgress(s);
}

} // namespace nv

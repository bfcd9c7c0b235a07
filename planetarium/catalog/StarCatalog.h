// The star catalogue "hip.txt" and the star table it fills. One star per line, fields split at
// commas: 0 Hipparcos number, 1..3 the direction x, y, z, 4 and 5 unused, 6 the magnitude
// (may be empty), 7 the spectral type (only its first character counts).
//
// The parse is a pure function over the file's text; the loader thread and its progress
// notices live in the loading dialog, which calls LoadStarData.
#pragma once

#include "planetarium/SkyState.h"

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace nv {

// Loader progress: line index / 10 after each catalogue line, kLoadProgressEnd after the last.
inline constexpr int kLoadProgressEnd = kCatalogueLines / 10; // 11832
inline constexpr float kMagnitudeOffset = 0.608f;
inline constexpr int kHighestHipNumber = kCatalogueLines; // larger numbers are clamped to it

// No more of the catalogue file than this is read (a 5 GB file costs no more): its 118321 lines of
// well under 100 bytes each fit many times over.
inline constexpr std::size_t kCatalogueFileLimit = 64u << 20;

// The one fixed correction the view applies after start-up: HIP 1183 gets magnitude 10.193.
inline constexpr int kCorrectedStar = 1183;
inline constexpr float kCorrectedMagnitude = 10.193f;
void ApplyStarCorrection(SkyCatalog& catalog);

// The magnitudes (as shown, offset included) a catalogue star can plausibly have: from a little
// brighter than Sirius to fainter than any Hipparcos star. A line outside them is skipped like a
// broken one, so no file can make the star field's glows grow without bound.
inline constexpr float kBrightestStarMagnitude = -2.0f;
inline constexpr float kFaintestStarMagnitude = 16.0f;
inline bool IsPlausibleMagnitude(float m) {
    return m >= kBrightestStarMagnitude && m <= kFaintestStarMagnitude;
}

// Colour class of the first character of a spectral type: O 0, B 1, A 2, F 3, G 4, K 5, M 6,
// a space 7; -1 for any other character (the class of the line before is then kept).
int SpectralClassOf(char c);

// Called with the new progress value each time it changes (every tenth line); may be empty.
using LoadProgressFn = std::function<void(int progress)>;

struct StarLoadReport {
    bool ok = false;      // the catalogue was read and held at least one star
    std::string message;  // for the user when !ok
    int linesStored = 0;  // lines written into the table
    int linesSkipped = 0; // empty lines, lines under eight fields, negative numbers, implausible magnitudes
};

// Runs the catalogue's exactly 118321 read steps over `text` (steps past its end read empty
// lines) and writes the table. Lines with fewer than eight fields, lines with a negative number
// and lines whose magnitude is implausible are skipped (and leave the held values alone);
// numbers above 118321 go to slot 118321. The class of a line with an unknown spectral
// character is the previous stored line's (class 0 before the first line); an empty magnitude
// takes the held value plus 0.608 once more (held value 0 before the first line). Calls
// `progress` each time the progress value changes. !ok when no line was stored.
StarLoadReport ParseStarCatalogue(std::string_view text, std::array<StarRecord, kStarSlots>& stars,
                                  const LoadProgressFn& progress = {});

// The loader: reads `file` (a regular file only, at most kCatalogueFileLimit bytes of it),
// parses it into catalog.m_stars, then writes the Messier table. A file that cannot be read
// leaves the star table as it was, still writes the Messier table, reports the progress at its
// end and returns !ok with a message; so does a file that holds no star. Safe to run on a worker
// thread: it touches nothing but `catalog` and `progress`.
StarLoadReport LoadStarData(SkyCatalog& catalog, const std::filesystem::path& file,
                            const LoadProgressFn& progress = {});

} // namespace nv

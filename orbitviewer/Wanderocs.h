// The orbit viewer's asteroid table and its file. Up to 1500 asteroids ("wanderocs"), each with
// its orbital elements and its last computed position, read once from the tab-separated text
// file "wanderocs.txt". Pure C++.
#pragma once

#include <array>
#include <filesystem>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace tessmoor {

inline constexpr int kWanderocCount = 1500;
inline constexpr const char* kWanderocFileName = "wanderocs.txt";

struct WanderocRecord {
    double a = 0;               // semi-major axis, AU
    double e = 0;               // eccentricity
    double i = 0;               // inclination, degrees
    double node = 0;            // longitude of the ascending node (Omega), degrees
    double peri = 0;            // argument of perihelion (omega), degrees
    double M0 = 0;              // mean anomaly at Julian day 0.0, degrees
    std::string name;           // shown exactly as written
    double x = 0, y = 0, z = 0; // last computed position: heliocentric, equatorial J2000, AU

    // The orbit's orientation terms (amplitudes and phases of x, y, z), which depend on the node
    // and the inclination only: kept by the propagation with the values they were worked out for.
    struct Orientation {
        double node = std::numeric_limits<double>::quiet_NaN(), i = 0;
        double A[3] = {0, 0, 0}, k[3] = {0, 0, 0};
    } orientation;

    // Whether the record can be placed on an orbit: a semi-major axis from a millionth of an AU to
    // a million AU (beyond, the mean motion or the radius leaves the numbers a double holds) and an
    // elliptic eccentricity (0 <= e < 1). A record for which the file had no line has a = 0.
    bool HoldsData() const { return a >= 1e-6 && a <= 1e6 && e >= 0.0 && e < 1.0; }
};

using WanderocTable = std::array<WanderocRecord, kWanderocCount>;

// One line of the file. Fields are separated by single tabs: 1 name, 2 ignored, 3 a, 4 e, 5 i,
// 6 argument of perihelion, 7 node, 8 M0, then at least one more tab. Field n runs from just after
// the (n-1)th tab to the nth tab; a field whose closing tab is missing is empty. Numbers are read
// the way atof reads them, so an empty or non-numeric field gives 0.
WanderocRecord ParseWanderocLine(std::string_view line);

// Fills the table from the file's text: record k from line k + 1, exactly 1500 lines (a longer
// file is cut there; lines past the end are empty). Records without a line are cleared.
struct WanderocLoad {
    int linesWithText = 0;          // lines of the 1500 that held anything
    int orbits = 0;                 // records that hold an orbit
    std::vector<int> unusableLines; // 1-based numbers of lines with text but no orbit
};
WanderocLoad ParseWanderocText(std::string_view text, WanderocTable& table);

// Where the file is looked for, in order: the program's data folder, then the current directory.
std::vector<std::filesystem::path> WanderocFileCandidates();

// LoadWanderocs: reads the first candidate that can be read into the table. When none can, the
// table is cleared and `message` says which file was looked for where; the viewer then shows the
// Sun, the Earth and the planets alone. Lines with text but no usable orbit are named in
// `message` too (they are left out of the picture).
struct WanderocFileResult {
    bool read = false;
    std::filesystem::path file; // the file that was read
    WanderocLoad load;
    std::string message; // empty when there is nothing to tell
};
WanderocFileResult LoadWanderocs(WanderocTable& table);
WanderocFileResult LoadWanderocs(WanderocTable& table, const std::vector<std::filesystem::path>& candidates);

} // namespace tessmoor

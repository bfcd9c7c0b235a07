// Proper star names, "starnames.txt": a name, a TAB and a Hipparcos number per line; at most
// 96 lines are read (empty ones count). Each name goes into m_starNames at its number.
#pragma once

#include "planetarium/SkyState.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace nv {

inline constexpr int kStarNameLines = 96;

struct StarNamesReport {
    bool ok = false;      // the file was read
    std::string message;  // for the user when !ok
    int namesStored = 0;  // lines stored (an empty name clears its slot)
    int linesIgnored = 0; // numbers outside 0 .. 118321
};

// Reads the first 96 lines of `text`. A line without a TAB stores an empty name at atoi of
// the whole line; numbers outside 0 .. 118321 are ignored. A later line for the same number wins.
StarNamesReport ParseStarNames(std::string_view text, std::array<std::string, kStarSlots>& names);

// Reads the file into catalog.m_starNames. A missing file changes nothing and returns !ok
// with a message.
StarNamesReport ReadStarNames(const std::filesystem::path& file, SkyCatalog& catalog);

} // namespace nv

// How much of a data file the readers take in: never more than they can use, whatever the file's
// size (files are read through platform/FileAccess.h, regular files only).
#pragma once

#include <cstddef>

namespace nv {

// Small files read only a few lines; more than this is never needed from them.
inline constexpr std::size_t kSmallFileLimit = 4u << 20;
// The star catalogue: 118321 lines of well under 100 bytes each fit many times over.
inline constexpr std::size_t kCatalogueFileLimit = 64u << 20;

} // namespace nv

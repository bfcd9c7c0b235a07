// One fuzz target per reader of outside data: it runs the reader over the bytes given and aborts
// when a promise breaks (nothing outside its table, every number finite and in range, what it
// writes reads back the same). Shared by the libFuzzer programs and the replay test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace nvfuzz {

void FuzzStarCatalogue(const std::uint8_t* data, std::size_t size);
void FuzzStarNames(const std::uint8_t* data, std::size_t size);
void FuzzSettings(const std::uint8_t* data, std::size_t size);
void FuzzBmp(const std::uint8_t* data, std::size_t size);
void FuzzAsteroids(const std::uint8_t* data, std::size_t size);

struct Target {
    std::string_view name; // also the folder of its seeds and regression inputs
    void (*run)(const std::uint8_t*, std::size_t);
};
inline constexpr Target kTargets[] = {
    {"star_catalogue", FuzzStarCatalogue},
    {"star_names", FuzzStarNames},
    {"settings", FuzzSettings},
    {"bmp", FuzzBmp},
    {"asteroids", FuzzAsteroids},
};

} // namespace nvfuzz

// Texture upload: 24-bit BMP files from the data folder into fixed OpenGL texture names.
// Slots 1..12 are the named pictures, 100 + N the picture of Messier object N. Needs a current
// compatibility-profile context.
#pragma once

#include "planetarium/SkyObjects.h"
#include "planetarium/SkyState.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace nv {

struct TextureSlot {
    unsigned slot;
    std::string fileName; // inside the data folder, e.g. "milky.bmp", "m42.bmp"
};

// The 122 slots in loading order: milky, strip, grass, star, mercury, venus, mars, jupiter,
// saturn, uranus, neptune, moon (1..12), then m1..m110 (101..210).
const std::vector<TextureSlot>& TextureSlots();

// Binds `texture`, sets MAG_FILTER GL_LINEAR and MIN_FILTER GL_LINEAR_MIPMAP_NEAREST and builds
// the full mipmap chain from the file's BGR pixels. Returns gluBuild2DMipmaps' result (0 on
// success); a missing, broken or non-24-bit file leaves the slot untouched and returns -1 with a
// message in *error.
int LoadTexture(unsigned texture, const std::filesystem::path& fileName, std::string* error = nullptr);

// Loads the picture of one slot of the table from `dataDir` (LoadTexture). False with a message
// in *error when the slot is not in the table or its file cannot be loaded.
bool LoadPictureSlot(unsigned slot, const std::filesystem::path& dataDir, std::string* error = nullptr);

struct TextureLoadReport {
    int loaded = 0;
    std::vector<std::string> failed; // one line per file that left its slot empty
};

// Loads all 122 slots in order from `dataDir`, setting state.m_texture to each slot before
// its load (so the last slot, 210, stays bound). `messierStep` is called with N before M(N).
TextureLoadReport LoadAllTextures(SkyState& state, const std::filesystem::path& dataDir,
                                  const std::function<void(int n)>& messierStep = {});

} // namespace nv

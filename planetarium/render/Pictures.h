// The pictures the layers draw with (fixed texture slots, planetarium/SkyObjects.h). A slot that
// holds no picture (its file was missing or refused) is never drawn as a flat grey surface: the
// layer leaves out what it would have drawn with it.
//
// The window loads every picture at start-up. A single off-screen picture may instead load each
// one when a layer first draws with it (a picture source), so that it reads only the files that
// frame shows.
#pragma once

#include <functional>

namespace nv {

// Loads the picture of `slot` into the current context; false when it cannot be loaded.
using PictureSource = std::function<bool(unsigned slot)>;

// Installs the source asked for a slot that holds no picture yet (each slot is asked once);
// an empty function removes it.
void SetPictureSource(PictureSource source);

// Binds `slot` to GL_TEXTURE_2D, loading it from the picture source first if it is empty. True
// when the slot holds a picture to draw with, and always in a selection pass (which draws no
// pixels, so the shape is picked whether its picture is there or not).
bool BindPicture(unsigned slot);

} // namespace nv

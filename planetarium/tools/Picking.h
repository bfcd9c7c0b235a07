// What a right click points at. The pick looks at what the frame draws, from the same geometry and
// transforms, on the processor: the bodies, the stars and the Messier pictures, whatever the layer
// switches say, and names the first of them, in drawing order, whose drawn footprint meets a
// 5 x 5 pixel box centred on the pointer.
//
//   const astro::CSolarSystem bodies = nv::tools::BodiesForSkyClock(state);
//   state.g_pickedName = nv::tools::PickObject(state, catalog, bodies, x, y);
//   menu.first = nv::tools::PopupFirstItemText(state.g_pickedName, &catalog); // "About Vega"
#pragma once

#include "astro/SolarSystem.h"
#include "planetarium/SkyObjects.h"
#include "planetarium/SkyState.h"

#include <string>

namespace nv::tools {

// The side of the pick box, in pixels.
inline constexpr double kPickBoxPixels = 5.0;

// What a selection name stands for: a star by its Hipparcos number, a body by its record index
// (astro::BodyIndex), a Messier picture by its object number, or nothing.
enum class PickKind { None, Star, Body, Messier };
struct PickedObject {
    PickKind kind = PickKind::None;
    int number = 0;
};
PickedObject ClassifyPick(int name);

// The selection name of what is drawn under the client point (x, y) (pixels, y down) of a view
// of g_viewWidth x g_viewHeight pixels, or kPickNone. Looked at in drawing order: the bodies at the
// positions in `solar` (each also drawn as a star of its magnitude: the stars within their disc,
// the bodies with the Moon first, then the stars reaching past their disc), the stars in
// catalogue order, then the pictures M1 to M109; a star counts where its point or glow lies, a body
// where its star, its glow, its sphere or Saturn's ring does, a picture where its quad does. The
// first one inside the box wins, not the nearest. Stars faded by the daylight count where they
// would be drawn at night. `devicePixelRatio` is the frame's: its viewport's pixels decide which
// glows are drawn as points.
int PickObject(const SkyState& s, const SkyCatalog& catalog, const astro::CSolarSystem& solar, int x, int y,
               double devicePixelRatio = 1.0);

// The bodies for the sky clock: where the frame draws them.
astro::CSolarSystem BodiesForSkyClock(const SkyState& s);

// The text of the pop-up menu's first item for a pick: "About " and the star's name, or
// "Hip number " and its number where it has none; "About Sol/Sun" ... "About Pluto";
// "About Messier M" and the number; "No star Selected" for nothing. `catalog` may be null (no
// names).
std::string PopupFirstItemText(int name, const SkyCatalog* catalog);

} // namespace nv::tools

// The sky view's right click and its "About ..." item, as functions of the sky state and the
// view's host (nv::tools::ViewHost): the view's OnRButtonDown and its handler of command 32800
// are one-line forwards to these.
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/tools/ViewHandlers.h"

namespace nv::tools {

// Picks what lies under the client point (x, y) into g_pickedName, opens the pop-up menu there
// with its first item naming it ("No star Selected" for nothing), and redraws.
void OnRButtonDown(SkyState& s, ViewHost& host, int x, int y);

// Stops the animation and any glide (they stay stopped), then, unless nothing was picked, shows
// the picked object's details in the modal "Object Details" dialog.
void ShowObjectDetails(SkyState& s, ViewHost& host);

} // namespace nv::tools

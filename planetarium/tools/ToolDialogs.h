// The view's handlers that open the Find, Messier marathon and Settings dialogs and act on their
// outcome. Each first stops the animation (it is not restarted), and ends with the view-centre
// readout and the redraw sequence.
//
//   void CNightvaneGlView::OnFind() { nv::tools::OnFind(m_state, *m_catalog, m_host); }
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/tools/ViewHandlers.h"

namespace nv::tools {

// Find (command 32774 and the top bar's "Find" 1052): glide to the chosen star, Messier object or
// body, and lock on it with "Lock on".
void OnFind(SkyState& s, const SkyCatalog& catalog, ViewHost& host);
// The Messier marathon (top bar button 1058): glide to the object chosen from the list.
void OnMarathon(SkyState& s, const SkyCatalog& catalog, ViewHost& host);
// Settings (command 32781 and "Preferences" 32797): with Update or Save the switches, place and
// zone take effect at once (the sky clock is set again for the new zone); Save also writes the
// data folder's settings file.
void OnSettings(SkyState& s, ViewHost& host);

} // namespace nv::tools

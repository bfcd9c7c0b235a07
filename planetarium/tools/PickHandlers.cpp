#include "planetarium/tools/PickHandlers.h"

#include "planetarium/tools/ObjectDetails.h"
#include "planetarium/tools/ObjectDetailsDlg.h"
#include "planetarium/tools/Picking.h"

namespace nv::tools {

void OnRButtonDown(SkyState& s, ViewHost& host, int x, int y) {
    const SkyCatalog* catalog = host.Catalogue();
    s.g_pickedName = catalog != nullptr
                         ? PickObject(s, *catalog, BodiesForSkyClock(s), x, y, host.DevicePixelRatio())
                         : kPickNone;
    host.ShowContextMenu(x, y, PopupFirstItemText(s.g_pickedName, catalog));
    host.Redraw();
}

void ShowObjectDetails(SkyState& s, ViewHost& host) {
    StopAnimation(s, host);
    s.g_gliding = false;
    const SkyCatalog* catalog = host.Catalogue();
    if (catalog == nullptr) return;
    const std::string text = ObjectDetailsText(s.g_pickedName, s, *catalog, BodiesForSkyClock(s));
    if (text.empty()) return; // nothing picked
    CObjectDetailsDlg dlg(host.DialogParent());
    dlg.m_text = QString::fromStdString(text);
    dlg.exec();
}

} // namespace nv::tools

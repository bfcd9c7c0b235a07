#include "planetarium/tools/ToolDialogs.h"

#include "planetarium/tools/Find.h"
#include "planetarium/tools/FindDlg.h"
#include "planetarium/tools/Marathon.h"
#include "planetarium/tools/MarathonDlg.h"
#include "planetarium/tools/SettingsDlg.h"
#include "platform/DataDir.h"

namespace nv::tools {

namespace {

void GlideTo(SkyState& s, ViewHost& host, const GlideTarget& t) {
    StartGlide(s, host, t.pitch, t.yaw);
    UpdateReadout(s, host);
    host.Redraw();
}

} // namespace

void OnFind(SkyState& s, const SkyCatalog& catalog, ViewHost& host) {
    StopAnimation(s, host);
    CFindDlg dlg(catalog, host.DialogParent());
    dlg.exec();
    if (!dlg.m_found) return;
    if (const std::optional<GlideTarget> t = AimAtFound(s, catalog, dlg.Choice(), dlg.m_lockOn))
        GlideTo(s, host, *t);
}

void OnMarathon(SkyState& s, const SkyCatalog& catalog, ViewHost& host) {
    StopAnimation(s, host);
    QTime start(s.g_hour, s.g_minute); // both pickers start at the sky clock's time
    if (!start.isValid()) start = QTime(0, 0);
    CMarathonDlg dlg(MessierTransitTimes(s, catalog), start, host.DialogParent());
    dlg.exec();
    if (!dlg.m_chosen) return;
    if (const std::optional<GlideTarget> t = MessierGlideTarget(s, catalog, dlg.m_messierNumber))
        GlideTo(s, host, *t);
}

void OnSettings(SkyState& s, ViewHost& host) {
    StopAnimation(s, host);
    CSettingsDlg dlg(SettingsFromState(s), platform::DataFile(kSettingsFileName),
                     platform::DataFile(kWorldMapFile), host.DialogParent());
    dlg.exec();
    if (dlg.m_updated) {
        ApplySettings(dlg.m_settings, s);
        host.SwitchesChanged();
        UpdateSkyClock(s, host); // the zone turns the sky before the next frame
    }
    UpdateReadout(s, host);
    host.Redraw();
}

} // namespace nv::tools

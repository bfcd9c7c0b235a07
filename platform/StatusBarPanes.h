// The status bar's indicator panes at its right end: caps, num and scroll lock.
#pragma once

class QStatusBar;

namespace platform {

// Adds the "CAP", "NUM" and "SCRL" panes (shown greyed, as the keys' states are not tracked).
void AddLockIndicators(QStatusBar* status);

} // namespace platform

// The sky chart's toolbar, navigation-bar and top-bar pictures: plain line drawings painted at
// whatever size and pixel density the button asks for, so they stay crisp on any screen.
#pragma once

#include "planetarium/app/CommandTable.h"

#include <QIcon>

namespace nv::res {

// The icon for a command's picture (a null icon for IconId::None).
QIcon CommandIcon(nv::app::IconId id);

} // namespace nv::res

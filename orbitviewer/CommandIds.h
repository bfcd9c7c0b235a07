// Numeric command and control identifiers of the orbit viewer's menus, toolbar and dialog bar.
#pragma once

#include "platform/StandardCommandIds.h"

namespace tessmoor {

// The framework's standard commands (File, Edit, View, Help).
using namespace platform::ids;

// The viewer's own commands
inline constexpr int ID_ANIM_SETTINGS = 32771;
inline constexpr int ID_ANIM_PLAY = 32772;
inline constexpr int ID_ANIM_STOP = 32773;
inline constexpr int ID_WANDEROC_NAMES = 32774;

// Dialog bar controls
inline constexpr int IDC_TIME_PICKER = 1000;
inline constexpr int IDC_DATE_PICKER = 1001;
inline constexpr int IDC_PLAY = 1002;
inline constexpr int IDC_STOP = 1003;

} // namespace tessmoor

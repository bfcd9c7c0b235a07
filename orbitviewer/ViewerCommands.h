// The one table of the orbit viewer's commands: id, menu text, status-bar prompt, toolbar
// picture and tooltip, shortcut. The menus and the toolbar are built from it. Commands go to the
// view first, then to the main window; one that neither handles shows greyed out.
#pragma once

#include "resources/Icons.h"

#include <span>
#include <vector>

namespace tessmoor {

struct ViewerCommand {
    int id;
    const char* text;   // menu text (nullptr: not in a menu)
    const char* prompt; // status-bar prompt (nullptr: none)
    nv::res::IconId icon = nv::res::IconId::None;
    const char* tooltip = nullptr;  // toolbar tooltip
    const char* shortcut = nullptr; // key sequence in portable text form, e.g. "Ctrl+S"
    bool checkable = false;
};

inline constexpr int kSeparator = 0;

struct ViewerMenu {
    const char* title;
    std::vector<int> items; // command ids; kSeparator draws a line
};

std::span<const ViewerCommand> ViewerCommands();
const ViewerCommand* FindViewerCommand(int id);
// The menu bar, left to right.
const std::vector<ViewerMenu>& ViewerMenus();
// The toolbar's buttons, left to right.
const std::vector<int>& ViewerToolbar();

} // namespace tessmoor

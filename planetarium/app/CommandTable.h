// The one table of the sky chart's commands: numeric id, where the command lives (menu item,
// toolbar button, pop-up item, bar control), its text, its status-bar prompt and its handler.
// The menus, the toolbar and the bars are built from it, and every command is dispatched by it.
#pragma once

#include "planetarium/SkyState.h"
#include "resources/Icons.h"

#include <span>
#include <vector>

class CNightvaneGlView;
class CMainFrame;

namespace nv::app {

enum Place : unsigned {
    kMenu = 1,    // an item of the main menu
    kToolbar = 2, // a toolbar button
    kPopup = 4,   // an item of the view's right-click menu
    kTopBar = 8,  // a control of the top bar
    kNavBar = 16, // a control of the navigation bar
    kKeyOnly = 32 // reached by an accelerator only
};

using nv::res::IconId;

struct Command {
    int id;
    unsigned places;    // Place bits
    const char* text;   // menu or button text (nullptr: none)
    const char* prompt; // status-bar prompt (nullptr: none)
    // Exactly one of the three handlers is set: the view's handler, the switch the view toggles,
    // or the frame's handler (bar visibility, exit, print set-up, help keys).
    void (CNightvaneGlView::*viewHandler)() = nullptr;
    bool& (*layerSwitch)(nv::SkyState&) = nullptr;
    void (CMainFrame::*frameHandler)() = nullptr;
    IconId icon = IconId::None;
    const char* tooltip = nullptr;  // toolbar tooltip
    const char* shortcut = nullptr; // key sequence in portable text form, e.g. "Ctrl+P"
};

inline constexpr int kSeparator = 0;

struct MenuLayout {
    const char* title;
    std::vector<int> items; // command ids; kSeparator draws a line
};

// Every command, in the order of the menus, then the toolbar, the pop-up menu and the bars.
std::span<const Command> Commands();
const Command* FindCommand(int id);

// The main menu bar, left to right.
const std::vector<MenuLayout>& MainMenu();
// The view's right-click menu (one pop-up, "RIGHT").
const MenuLayout& PopupMenu();
// The toolbar buttons, left to right.
const std::vector<int>& ToolbarButtons();

// The fifteen switch commands in View menu order, then the Eye piece switch.
std::vector<int> SwitchCommandIds();

} // namespace nv::app

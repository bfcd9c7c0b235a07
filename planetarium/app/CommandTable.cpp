#include "CommandTable.h"

#include "planetarium/CommandIds.h"

#include <algorithm>

namespace nv::app {

namespace {

// clang-format off
#define SWITCH(field) [](nv::SkyState& s) -> bool& { return s.field; }, IconId::None, nullptr, nullptr, true

const Command kCommands[] = {
    // File menu
    {ID_FILE_SAVE_AS, kMenu, "Save &As...", "Save the active document with a new name"},
    {ID_FILE_PRINT, kMenu | kToolbar, "&Print...\tCtrl+P", "Print the active document", nullptr, IconId::Print,
     "Print", "Ctrl+P"},
    {ID_FILE_PRINT_PREVIEW, kMenu, "Print Pre&view", "Display full pages"},
    {ID_FILE_PRINT_SETUP, kMenu, "P&rint Setup...", "Change the printer and printing options"},
    {ID_PREFERENCES, kMenu, "Preferences", "Changes NightvaneGl settings."},
    {ID_APP_EXIT, kMenu, "E&xit", "Quit the application; prompts to save documents"},
    // View menu
    {ID_VIEW_TOOLBAR, kMenu, "&Toolbar", "Show or hide the toolbar", nullptr, IconId::None, nullptr, nullptr, true},
    {ID_VIEW_STATUS_BAR, kMenu, "&Status Bar", "Show or hide the status bar", nullptr, IconId::None, nullptr, nullptr,
     true},
    {ID_VIEW_STARS, kMenu, "Stars", "Turn stars on or off.", SWITCH(sw.m_showStars)},
    {ID_VIEW_STARNAMES, kMenu, "Star names", "Turn star names on or off.", SWITCH(sw.m_showStarNames)},
    {ID_VIEW_RADEC, kMenu, "RA and Dec charts", "Turn the RA/DEC chart on or off.", SWITCH(sw.m_showRaDec)},
    {ID_VIEW_ALTAZI, kMenu, "Alt Azi chart", nullptr, SWITCH(sw.m_showAltAzi)},
    {ID_VIEW_ECLIPTIC, kMenu, "Ecliptic", "Turn the ecliptic equator on or off.", SWITCH(sw.m_showEcliptic)},
    {ID_VIEW_PLANETS, kMenu, "Planets", "Turn the Planets on or off.", SWITCH(sw.m_showPlanets)},
    {ID_VIEW_GROUND, kMenu, "Ground", "Turn the ground and background on or off.", SWITCH(sw.m_showGround)},
    {ID_VIEW_MILKYWAY, kMenu, "Milky way", "Turns the Milky way on or off.", SWITCH(sw.m_showMilkyWay)},
    {ID_VIEW_CONSTLINES, kMenu, "Constellation lines", "Turns the constellations on or off.",
     SWITCH(sw.m_showConstLines)},
    {ID_VIEW_CONSTNAMES, kMenu, "Constellation names", "Turns the constellation names on or off.",
     SWITCH(sw.m_showConstNames)},
    {ID_VIEW_MESSIERS, kMenu, "Messiers", "Turns the Messiers on or off.", SWITCH(sw.m_showMessiers)},
    {ID_VIEW_MESSIERNAMES, kMenu, "Messier names", "Turns the Messier names on or off.",
     SWITCH(sw.m_showMessierNames)},
    {ID_VIEW_DAYLIGHT, kMenu, "Day light", "Turns the day light on or off.", SWITCH(sw.m_showDayLight)},
    {ID_VIEW_NIGHTVISION, kMenu, "Night vision", "Displays only red and black.", SWITCH(g_nightVision)},
    // Eye piece menu
    {ID_SHOW_EYEPIECE, kMenu, "Show Eyepiece", "Turn Eye piece on or off.", SWITCH(sw.m_showEyepiece)},
    {ID_EYEPIECE_SIZE, kMenu, "Eye Piece size.", "Change the eye piece size."},
    // Animation menu
    {ID_ANIM_PLAY, kMenu, "Play", "Animate time forward."},
    {ID_ANIM_PAUSE, kMenu, "Pause", "Pause animation."},
    {ID_ANIM_SETTINGS, kMenu, "Animation settings", "Change the way an animation is played."},
    // Help menu
    {ID_HELP_FINDER, kMenu, "&Help Topics", "List Help topics"},
    {ID_APP_ABOUT, kMenu | kToolbar, "&About NightvaneGl...",
     "Display program information, version number and copyright", nullptr, IconId::About, "About"},
    // Toolbar only
    {ID_FILE_SAVE, kToolbar, nullptr, "Save the active document", nullptr, IconId::Save, "Save", "Ctrl+S"},
    {ID_COPY_IMAGE, kToolbar, nullptr, nullptr, nullptr, IconId::Copy, "Copy"},
    {ID_FIND, kToolbar, nullptr, "Find stars,planets or messier objects.", nullptr, IconId::Find, "Find"},
    {ID_FLIP_HORIZONTAL, kToolbar, nullptr, "Flip the view horizontally", nullptr, IconId::FlipHorizontal,
     "Flip the view horizontally"},
    {ID_FLIP_VERTICAL, kToolbar, nullptr, "Flip the view vertically", nullptr, IconId::FlipVertical,
     "Flip the view vertically"},
    {ID_NORTH, kToolbar, nullptr, "Center the view on Polaris.", nullptr, IconId::North, "Center the view on Polaris"},
    {ID_RESET_TIME, kToolbar, nullptr, "Reset time to current time.", nullptr, IconId::ResetTime,
     "Reset time to current time"},
    {ID_SETTINGS, kToolbar, nullptr, "Change the settings.", nullptr, IconId::Settings, "Change the settings"},
    // Pop-up menu
    {ID_ABOUT_STAR, kPopup, "About star", "Shows details about bright stars."},
    {ID_LOCK_ON, kPopup, "Lock on here.", "Lock current view."},
    {ID_POPUP_PLAY, kPopup, "Play", "Play Animation"},
    {ID_POPUP_STOP, kPopup, "Stop animation", "Stops the animation."},
    // Keys only
    {ID_FILE_PRINT_DIRECT, kKeyOnly, nullptr, nullptr},
    {ID_HELP, kKeyOnly, nullptr, nullptr, nullptr, IconId::None, nullptr, "F1"},
    {ID_CONTEXT_HELP, kKeyOnly, nullptr, "Select an object on which to get Help", nullptr, IconId::None, nullptr,
     "Shift+F1"},
    // Top bar
    {IDC_QUICK_FIND, kTopBar, "Find", nullptr, nullptr, IconId::QuickFind},
    {IDC_MARATHON, kTopBar, nullptr, nullptr, nullptr, IconId::Marathon, "Messier marathon"},
    // Navigation bar
    {IDC_FACE_NORTH, kNavBar, nullptr, nullptr, nullptr, IconId::FaceNorth, "North"},
    {IDC_FACE_SOUTH, kNavBar, nullptr, nullptr, nullptr, IconId::FaceSouth, "South"},
    {IDC_FACE_EAST, kNavBar, nullptr, nullptr, nullptr, IconId::FaceEast, "East"},
    {IDC_FACE_WEST, kNavBar, nullptr, nullptr, nullptr, IconId::FaceWest, "West"},
    {IDC_TILT_UP, kNavBar, nullptr, nullptr, nullptr, IconId::TiltUp, "Up 10 degrees"},
    {IDC_TILT_DOWN, kNavBar, nullptr, nullptr, nullptr, IconId::TiltDown, "Down 10 degrees"},
    {IDC_TURN_LEFT, kNavBar, nullptr, nullptr, nullptr, IconId::TurnLeft, "Left 10 degrees"},
    {IDC_TURN_RIGHT, kNavBar, nullptr, nullptr, nullptr, IconId::TurnRight, "Right 10 degrees"},
    {IDC_READOUT_RADEC, kNavBar, "RA/Dec", nullptr},
    {IDC_READOUT_ALTAZI, kNavBar, "Alt / Azi", nullptr},
    {IDC_GOTO, kNavBar, "Goto", nullptr},
};
#undef SWITCH
// clang-format on

} // namespace

std::span<const Command> Commands() {
    return kCommands;
}

const Command* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const Command& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const std::vector<MenuLayout>& MainMenu() {
    static const std::vector<MenuLayout> menus = {
        {"&File",
         {ID_FILE_SAVE_AS, kSeparator, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator,
          ID_PREFERENCES, kSeparator, ID_APP_EXIT}},
        {"&View",
         {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, kSeparator, ID_VIEW_STARS, ID_VIEW_STARNAMES, ID_VIEW_RADEC,
          ID_VIEW_ALTAZI, ID_VIEW_ECLIPTIC, ID_VIEW_PLANETS, ID_VIEW_GROUND, ID_VIEW_MILKYWAY,
          ID_VIEW_CONSTLINES, ID_VIEW_CONSTNAMES, ID_VIEW_MESSIERS, ID_VIEW_MESSIERNAMES, ID_VIEW_DAYLIGHT,
          ID_VIEW_NIGHTVISION}},
        {"Eye piece", {ID_SHOW_EYEPIECE, ID_EYEPIECE_SIZE}},
        {"Animation", {ID_ANIM_PLAY, ID_ANIM_PAUSE, kSeparator, ID_ANIM_SETTINGS}},
        {"&Help", {ID_HELP_FINDER, kSeparator, ID_APP_ABOUT}},
    };
    return menus;
}

const MenuLayout& PopupMenu() {
    static const MenuLayout popup = {"RIGHT",
                                     {ID_ABOUT_STAR, ID_LOCK_ON, kSeparator, ID_POPUP_PLAY, ID_POPUP_STOP}};
    return popup;
}

const std::vector<int>& ToolbarButtons() {
    static const std::vector<int> buttons = {ID_FILE_SAVE,  ID_COPY_IMAGE,      ID_FILE_PRINT,    kSeparator,
                                             ID_FIND,       ID_FLIP_HORIZONTAL, ID_FLIP_VERTICAL, ID_NORTH,
                                             ID_RESET_TIME, ID_SETTINGS,        ID_APP_ABOUT};
    return buttons;
}

} // namespace nv::app

#include "orbitviewer/ViewerCommands.h"

#include "orbitviewer/CommandIds.h"

#include <algorithm>

namespace tessmoor {

namespace {

using nv::res::IconId;

// clang-format off
const ViewerCommand kCommands[] = {
    // File
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document", IconId::Save, "Save",
     "Ctrl+S"},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document", IconId::Print,
     "Print", "Ctrl+P"},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages"},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options"},
    {ID_FILE_MRU_FILE1, "Recent File", "Open this document"},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents"},
    // Edit
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action"},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard"},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard", IconId::Copy, "Copy", "Ctrl+C"},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents"},
    // View
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar", IconId::None, nullptr,
     nullptr, true},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar",
     IconId::None, nullptr, nullptr, true},
    {ID_WANDEROC_NAMES, "Wanderoc names", nullptr, IconId::None, nullptr, nullptr,
     true},
    // Animation
    {ID_ANIM_PLAY, "Play", nullptr},
    {ID_ANIM_STOP, "Stop", nullptr},
    {ID_ANIM_SETTINGS, "Settings", nullptr},
    // Help
    {ID_APP_ABOUT, "&About Wanderocs...", "Display program information, version number and copyright", IconId::About, "About"},
    // Dialog bar buttons
    {IDC_PLAY, nullptr, nullptr},
    {IDC_STOP, nullptr, nullptr},
};
// clang-format on

} // namespace

std::span<const ViewerCommand> ViewerCommands() {
    return kCommands;
}

const ViewerCommand* FindViewerCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const ViewerCommand& c) { return c.id == id; });
    return it == std::end(kCommands) ? nullptr : &*it;
}

const std::vector<ViewerMenu>& ViewerMenus() {
    static const std::vector<ViewerMenu> menus = {
        {"&File",
         {ID_FILE_SAVE, kSeparator, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, kSeparator,
          ID_FILE_MRU_FILE1, kSeparator, ID_APP_EXIT}},
        {"&Edit", {ID_EDIT_UNDO, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}},
        {"&View", {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, kSeparator, ID_WANDEROC_NAMES}},
        {"Animation", {ID_ANIM_PLAY, ID_ANIM_STOP, kSeparator, ID_ANIM_SETTINGS}},
        {"&Help", {ID_APP_ABOUT}},
    };
    return menus;
}

const std::vector<int>& ViewerToolbar() {
    static const std::vector<int> buttons = {ID_FILE_SAVE, kSeparator,    ID_EDIT_COPY,
                                             kSeparator,   ID_FILE_PRINT, ID_APP_ABOUT};
    return buttons;
}

} // namespace tessmoor

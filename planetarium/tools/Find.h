// "Find object": what its three lists hold, what "Find" does with the group last touched, and
// where the view turns for the chosen star, Messier object or body. Plain functions over the sky
// state and the catalogue; the dialog (FindDlg) and the view's handler (ToolDialogs) sit on top.
#pragma once

#include "planetarium/SkyState.h"
#include "planetarium/tools/Navigation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv::tools {

// --- the lists -------------------------------------------------------------------------------------
struct StarNameEntry {
    std::string name;
    int hipNumber;
};
// Every star name with its Hipparcos number, in the list's order: alphabetical regardless of case,
// a name that several stars share listed once per star (in number order).
std::vector<StarNameEntry> StarNameEntries(const SkyCatalog& catalog);
// "M1" .. "M110" in number order.
std::vector<std::string> MessierEntries();
// The Sun, the Moon, the planets and Pluto by their find names, alphabetical.
std::vector<std::string> BodyEntries();

// --- the kind rule ---------------------------------------------------------------------------------
// The group last touched: a star name chosen, a Messier number chosen, a body chosen, or none yet.
enum class FindKind { None, Star, Messier, Planet };

inline constexpr const char* kInvalidHipMessage = "Please enter a valid Hippocross number.";
inline constexpr const char* kNoStarMessage = "No star with that Hipparcos number.";

// What "Find" (or "Lock on") chose. `found` false with a message: the message is shown and the
// dialog stays open; false without one: nothing happens.
struct FindChoice {
    bool found = false;
    std::string message;
    FindKind kind = FindKind::None;
    int hipNumber = 0;
    int messierNumber = 0;
    std::string bodyName;
};
// The star group reads the number box as atoi does (0 .. 118321, and the slot must hold a star);
// the Messier group takes the selected line's number with every "M" removed; the body group the
// selected name.
FindChoice ChooseFind(FindKind kind, std::string_view hipText, std::string_view messierLine,
                      std::string_view bodyName, const SkyCatalog& catalog);

// --- turning the view ------------------------------------------------------------------------------
// Where the camera glides to show Messier object n (1 .. 110); nothing for another number.
std::optional<GlideTarget> MessierGlideTarget(const SkyState& s, const SkyCatalog& catalog, int n);

// The found object's direction (a body's for the sky clock), the lock-on as the choice asks
// (a body is followed by name even without "Lock on"; with it the view locks on the object), and
// the glide target that centres it. Nothing for a choice with no direction.
std::optional<GlideTarget> AimAtFound(SkyState& s, const SkyCatalog& catalog, const FindChoice& choice,
                                      bool lockOn);

} // namespace nv::tools

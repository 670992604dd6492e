#pragma once
// The airport list in the session: loading it and the look-up tables, saving, sorting, removing,
// choosing an airport and the editor's hand-over. The window renders the list and forwards
// presses here.

#include <optional>
#include <string>

#include "airports/airport_editor.hpp"
#include "airports/airport_list.hpp"
#include "app/live_refresh.hpp"
#include "common/file_io.hpp"
#include "platform/platform.hpp"

namespace app {

struct Session;

struct AirportsState {
    airports::AirportList list;
    // airlines_text (system/airlines, read at start-up) and iata_text (system/iata, read when an
    // airport is chosen), indexed for the feed parse.
    LiveTables tables;
    std::string az5_text;  // the unscrambled lookup file; first search
    bool az5_loaded = false;
    airports::EditorBoxes editor;  // the editor's boxes keep their texts between openings
    bool edit_mode = false;
    bool list_changed = false;
};

// load_airports: the airport file or the built-in nine, and the airlines table.
void load_airports(Session& s);

// save7 through the atomic writer.
common::FileStatus save7(const Session& s);

// "Sort Airport List": the file's airports in sorted order; nothing when there is no file.
void sort_airports(Session& s);

// The unscrambled lookup text, read whole on first use.
const std::string& lookup_text(Session& s);

// Choosing the selected airport: loads the IATA text on first use and sets the live view's
// flags. The coordinates to fetch around, or nothing (no selection, or the message shown).
std::optional<std::string> choose_airport(Session& s, platform::Platform& platform);

// "Remove": asks, removes and saves the list at once, so the removal survives a restart and a
// later sort. True when an airport was removed.
bool remove_airport(Session& s, platform::Platform& platform);

// "Edit" (edit_mode) or "Add": prepares the editor's boxes and flags; false (with the message
// shown) when "Edit" finds no airport selected.
bool open_editor(Session& s, platform::Platform& platform, bool edit_mode);

// The editor closed: a changed list is saved (a failure reported) and its selected airport
// chosen again. The coordinates to fetch around, as choose_airport.
std::optional<std::string> editor_closed(Session& s, platform::Platform& platform);

// The editor's "Search" with the platform's questions and messages.
void search_lookup(Session& s, platform::Platform& platform);

}  // namespace app

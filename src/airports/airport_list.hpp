#pragma once
// The user's airport list: names (List7(0)) and coordinates items (List7(1)) side by side, the
// nine built-in airports, the airport file's text form, sorting and finding.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace airports {

inline constexpr std::string_view kNotFoundSuffix = " Not found";
inline constexpr std::string_view kMissingDataMessage =
    "Missing Data for this airport. \r\n\r\n Remove  then  ADD";
inline constexpr std::string_view kPleaseSelectAirport = "Please select Airport.";
inline constexpr std::string_view kPleaseSelect = "Please select.";
inline constexpr std::string_view kNameWithHashMessage =
    "An airport name cannot contain \"#\": it separates the name from the coordinates in the "
    "airport list.";

struct Airport {
    std::string name;    // List7(0)
    std::string coords;  // List7(1): latitude "/" longitude, or "" for a line without "#"

    friend bool operator==(const Airport&, const Airport&) = default;
};

struct AirportList {
    std::vector<Airport> items;
    int selected = -1;  // the list's selection; -1 for none

    [[nodiscard]] const Airport* selected_airport() const;
    // True when some name contains the text, letter case respected (an empty text is in every
    // name).
    [[nodiscard]] bool any_name_contains(std::string_view text) const;
};

// The built-in list as load_airports cuts it: every "." a "," under a decimal-comma locale.
AirportList builtin_airports(bool comma_decimal);

// load7: the airport file's lines, empty ones skipped; a line without "#" keeps the lists aligned
// with an empty coordinates item; text after a second "#" is ignored. No decimal conversion.
AirportList parse_airport_file(std::string_view text);

// The list at start-up: the airport file when it exists, else the built-in nine.
AirportList load_airports(bool comma_decimal, const std::optional<std::string>& airport_file);

// save7's buffer (savetext adds the final CR LF): one "name#coords" line each. Under a
// decimal-comma locale the commas of the coordinates become points; names keep theirs.
std::string airport_file_text(const AirportList& list, bool comma_decimal);

// sort_airports: the file's non-empty lines in the order of a sorted list box (ignoring case),
// cut as load7 cuts them. The selection is cleared.
AirportList sorted_airports(std::string_view airport_file);

// Find: the first airport whose lower-cased name holds the trimmed, lower-cased text. No value
// when the text is blank (nothing happens) ...
struct FindResult {
    std::optional<int> index;
    std::optional<std::string> message;  // ... or the text followed by " Not found"
};
FindResult find_airport(const AirportList& list, std::string_view text5);

// Choosing the selected airport: the coordinates item to fetch around, or the missing-data
// message when it holds no "/".
struct Choice {
    std::optional<std::string> coords;
    std::optional<std::string> message;
};
Choice choose_airport(const AirportList& list);

// Removes the selected airport from both lists; false when none is selected.
bool remove_selected(AirportList& list);
std::string remove_question(const Airport& airport);

}  // namespace airports

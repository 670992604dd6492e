#pragma once
// The airport editor's rules: the search through the lookup text with its Yes/No/Cancel walk,
// "Add", "Apply  ", the rename on Enter and the key filter of the coordinate boxes. The window
// owns the boxes; these functions take and return their texts.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "airports/airport_list.hpp"

namespace airports {

inline constexpr std::string_view kEnterAirportMessage = "Please enter Airport / ICAO";
inline constexpr std::string_view kUseIcaoSuffix = "' not found. Use ICAO instead.";
inline constexpr std::string_view kAlreadyContains = "Already contains:";
inline constexpr std::string_view kNoTextMessage = "No Text";
inline constexpr std::string_view kCoordinatesMessage = "Coordinates?";
inline constexpr std::string_view kLineBreakMessage =
    "An airport's name and coordinates cannot hold a line break: each airport is one line of the "
    "airport list.";

// The editor's boxes.
struct EditorBoxes {
    std::string name;       // Text5 "Airport/ICAO"
    std::string latitude;   // Text6(0)
    std::string longitude;  // Text6(1)
};

// One record of the lookup text offered to the user.
struct Candidate {
    std::string name;  // field 3, a space, field 2: what the name box receives
    std::string latitude;
    std::string longitude;
};

enum class CandidateAnswer { Yes, No, Cancel };

// "Found:" ... "Use Airport?" for a candidate.
std::string found_question(std::string_view field3, std::string_view field2);

// The search of the name box's text in the unscrambled lookup text. Every candidate is offered
// through ask, in text order, until one is taken (Yes) or the walk is cancelled; messages go to
// tell. The boxes receive the candidate taken; the name box turns upper case when only the upper
// case form of the text was found.
void search_lookup(std::string_view az5_text, const AirportList& list, EditorBoxes& boxes,
                   const std::function<CandidateAnswer(const Candidate&, const std::string&)>& ask,
                   const std::function<void(const std::string&)>& tell);

// "Add": a message when refused (a blank or "#" name, missing coordinates, a line break, a name
// already listed); otherwise the airport is appended (its coordinates' commas
// turned to points under a decimal-comma locale, in the boxes too) and selected.
std::optional<std::string> add_airport(AirportList& list, EditorBoxes& boxes, bool comma_decimal);

// "Apply  ": renames the selected airport; a message when refused. With no airport selected the
// editor refuses too.
std::optional<std::string> apply_name(AirportList& list, std::string_view name_box);

// Enter in the name box while "Edit Name" is ticked: renames the selected airport at once.
std::optional<std::string> rename_on_enter(AirportList& list, std::string_view name_box);

// The key filter of the coordinate boxes: digits, "+-.,", CR, DEL and backspace.
bool coordinate_key_accepted(char32_t key) noexcept;

}  // namespace airports

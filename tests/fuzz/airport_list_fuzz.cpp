// libFuzzer target: any bytes as the airport file. Loading, saving and loading again gives the
// same list; the sorted list holds the same airports; a found airport holds the text.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "airports/airport_list.hpp"
#include "common/text.hpp"
#include "fuzz_input.hpp"

namespace {

std::vector<airports::Airport> in_order(std::vector<airports::Airport> items) {
    std::sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
        return a.name != b.name ? a.name < b.name : a.coords < b.coords;
    });
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::as_text(data, size);
    const std::string file(fuzz::next_part(rest));
    const std::string_view query = rest;

    airports::AirportList list = airports::load_airports(false, file);
    for (const airports::Airport& a : list.items) {
        fuzz::require(
            a.name.find('#') == std::string::npos && a.coords.find('#') == std::string::npos,
            "a loaded name or coordinates item holds #");
    }
    const airports::AirportList reloaded =
        airports::parse_airport_file(airports::airport_file_text(list, false));
    fuzz::require(reloaded.items == list.items, "save and load change the list");
    const airports::AirportList comma =
        airports::parse_airport_file(airports::airport_file_text(list, true));
    fuzz::require(comma.items.size() == list.items.size(), "saving with commas changes the count");

    fuzz::require(in_order(airports::sorted_airports(file).items) == in_order(list.items),
                  "sorting changes the airports");

    const airports::FindResult found = airports::find_airport(list, query);
    if (found.index) {
        list.selected = *found.index;
        fuzz::require(common::contains_ignore_case(list.selected_airport()->name,
                                                   common::to_lower(common::trim_spaces(query))),
                      "a found airport does not hold the text");
        const airports::Choice choice = airports::choose_airport(list);
        fuzz::require(choice.coords.has_value() != choice.message.has_value(),
                      "choosing gives both or neither");
        fuzz::require(airports::remove_selected(list) && list.selected == -1, "remove failed");
    } else {
        fuzz::require(found.message.has_value() == !common::trim_spaces(query).empty(),
                      "a blank text was reported, or a miss was not");
    }
    return 0;
}

// libFuzzer target: the airport editor's search through any lookup file, and adding what it
// found. The input is cut at its NUL bytes: the lookup text (scrambled and unscrambled as the
// program stores and reads it), the name box, the airport file, the answers (each byte picks
// Yes, No or Cancel; No once they run out). The walk ends, offers only records of the text, and
// an added airport survives saving and loading the airport file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "airports/airport_editor.hpp"
#include "airports/lookup_file.hpp"
#include "fuzz_input.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest = fuzz::as_text(data, size);
    const std::string_view plain = fuzz::next_part(rest);
    const std::string az5 = airports::scramble_lookup(airports::scramble_lookup(plain));
    fuzz::require(az5 == plain, "unscrambling does not give the text back");
    airports::EditorBoxes boxes;
    boxes.name = std::string(fuzz::next_part(rest));
    airports::AirportList list = airports::parse_airport_file(fuzz::next_part(rest));
    const std::string_view answers = rest;

    std::size_t asked = 0, told = 0;
    const auto ask = [&](const airports::Candidate& c, const std::string& question) {
        fuzz::require(question.find(c.name.substr(0, c.name.find(' '))) != std::string::npos,
                      "the question does not show the candidate");
        fuzz::require(
            az5.find(c.latitude) != std::string::npos && az5.find(c.longitude) != std::string::npos,
            "a candidate's coordinates are not in the text");
        const std::size_t i = asked++;
        if (i >= answers.size()) return airports::CandidateAnswer::No;
        return static_cast<airports::CandidateAnswer>(static_cast<unsigned char>(answers[i]) % 3);
    };
    const auto tell = [&](const std::string&) { ++told; };
    airports::search_lookup(az5, list, boxes, ask, tell);
    // Each offer moves the search on by at least ten bytes.
    fuzz::require(asked <= az5.size() / 10 + 1, "the walk offers more records than the text holds");
    fuzz::require(told <= 1, "more than one message");

    if (!airports::add_airport(list, boxes, size % 2 == 0)) {
        const airports::AirportList reloaded =
            airports::parse_airport_file(airports::airport_file_text(list, false));
        fuzz::require(reloaded.items == list.items, "an added airport does not survive a save");
    }
    return 0;
}

#include "airports/airport_editor.hpp"

#include "common/text.hpp"

namespace airports {
namespace {

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

// Finds "," + text, then with its first letter capitalised, then all upper case.
struct Hit {
    std::size_t pos = std::string_view::npos;
    bool upper_cased = false;
};
Hit find_query(std::string_view az5, std::string_view text, std::size_t from) {
    std::string q = "," + std::string(text);
    if (from > az5.size()) return {};
    if (auto p = az5.find(q, from); p != std::string_view::npos) return {p, false};
    if (q.size() > 1 && q[1] >= 'a' && q[1] <= 'z') q[1] = static_cast<char>(q[1] - 'a' + 'A');
    if (auto p = az5.find(q, from); p != std::string_view::npos) return {p, false};
    if (auto p = az5.find(upper(q), from); p != std::string_view::npos) return {p, true};
    return {};
}

std::string_view field(const std::vector<std::string_view>& fields, std::size_t i) {
    return i < fields.size() ? fields[i] : std::string_view();
}

bool breaks_line(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// "#" and line breaks cut the airport file's lines; a lookup record may carry either.
bool names_ok(std::string_view name, std::optional<std::string>& refusal) {
    if (common::trim_spaces(name).empty()) {
        refusal = std::string(kNoTextMessage);
    } else if (common::contains(name, "#")) {
        refusal = std::string(kNameWithHashMessage);
    } else if (breaks_line(name)) {
        refusal = std::string(kLineBreakMessage);
    }
    return !refusal;
}

}  // namespace

std::string found_question(std::string_view field3, std::string_view field2) {
    return "Found:\r\n\r\n" + std::string(field3) + " " + std::string(field2) +
           "\r\n\r\nUse Airport?";
}

void search_lookup(std::string_view az5, const AirportList& list, EditorBoxes& boxes,
                   const std::function<CandidateAnswer(const Candidate&, const std::string&)>& ask,
                   const std::function<void(const std::string&)>& tell) {
    std::size_t start = 0;
    for (;;) {
        if (common::trim_spaces(boxes.name).empty()) {
            tell(std::string(kEnterAirportMessage));
            return;
        }
        const Hit hit = find_query(az5, boxes.name, start);
        if (hit.pos == std::string_view::npos) {
            tell("'" + boxes.name + std::string(kUseIcaoSuffix));
            return;
        }
        if (hit.upper_cased) boxes.name = upper(boxes.name);
        start = hit.pos + 10;
        // The record holding the match; the first one, before any "#", ends the search.
        const std::size_t hash = az5.rfind('#', hit.pos);
        if (hash == std::string_view::npos) return;
        const std::size_t end = az5.find('#', hit.pos);
        const std::string_view record =
            az5.substr(hash + 1, (end == std::string_view::npos ? az5.size() : end) - hash - 1);
        const auto fields = common::split(record, ",");
        const std::string_view code = field(fields, 3);
        if (list.any_name_contains(code)) {
            tell(std::string(kAlreadyContains).append(code));
            return;
        }
        const Candidate c{std::string(code) + " " + std::string(field(fields, 2)),
                          std::string(field(fields, 0)), std::string(field(fields, 1))};
        switch (ask(c, found_question(code, field(fields, 2)))) {
            case CandidateAnswer::Cancel:
                return;
            case CandidateAnswer::No:
                continue;
            case CandidateAnswer::Yes:
                boxes.name = c.name;
                boxes.latitude = c.latitude;
                boxes.longitude = c.longitude;
                return;
        }
    }
}

std::optional<std::string> add_airport(AirportList& list, EditorBoxes& boxes, bool comma_decimal) {
    std::optional<std::string> refusal;
    if (!names_ok(boxes.name, refusal)) return refusal;
    if (common::trim_spaces(boxes.latitude).empty() ||
        common::trim_spaces(boxes.longitude).empty()) {
        return std::string(kCoordinatesMessage);
    }
    if (breaks_line(boxes.latitude) || breaks_line(boxes.longitude))
        return std::string(kLineBreakMessage);
    if (list.any_name_contains(boxes.name)) return std::string(kAlreadyContains) + boxes.name;
    if (comma_decimal) {
        boxes.latitude = common::replace_all(boxes.latitude, ",", ".");
        boxes.longitude = common::replace_all(boxes.longitude, ",", ".");
    }
    list.items.push_back({boxes.name, boxes.latitude + "/" + boxes.longitude});
    list.selected = static_cast<int>(list.items.size()) - 1;
    return std::nullopt;
}

std::optional<std::string> apply_name(AirportList& list, std::string_view name_box) {
    std::optional<std::string> refusal;
    if (!names_ok(name_box, refusal)) return refusal;
    if (list.selected_airport() == nullptr) return std::string(kPleaseSelectAirport);
    list.items[static_cast<std::size_t>(list.selected)].name = std::string(name_box);
    return std::nullopt;
}

std::optional<std::string> rename_on_enter(AirportList& list, std::string_view name_box) {
    if (list.selected_airport() == nullptr) return std::nullopt;
    if (common::contains(name_box, "#")) return std::string(kNameWithHashMessage);
    if (breaks_line(name_box)) return std::string(kLineBreakMessage);
    list.items[static_cast<std::size_t>(list.selected)].name = std::string(name_box);
    return std::nullopt;
}

bool coordinate_key_accepted(char32_t key) noexcept {
    if (key >= U'0' && key <= U'9') return true;
    switch (key) {
        case U'+':
        case U'-':
        case U'.':
        case U',':
        case 13:
        case 127:
        case 8:
            return true;
        default:
            return false;
    }
}

}  // namespace airports

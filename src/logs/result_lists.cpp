#include "logs/result_lists.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "common/substring_index.hpp"
#include "common/text.hpp"
#include "logs/line_order.hpp"

namespace logs {
namespace {

using common::contains;

// A record row cut at its first six commas: field k is [start[k], start[k + 1] - 1); the end
// of field 5 is end5. False for rows with fewer than six fields.
struct Fields {
    std::array<std::size_t, 6> start{};
    std::size_t end5 = 0;
    std::string_view row;

    bool cut(std::string_view r) {
        row = r;
        for (std::size_t k = 1; k < start.size(); ++k) {
            const auto comma = row.find(',', start[k - 1]);
            if (comma == std::string_view::npos) return false;
            start[k] = comma + 1;
        }
        end5 = std::min(row.find(',', start[5]), row.size());
        return true;
    }
    // Fields first to 5, joined by their commas.
    [[nodiscard]] std::string_view from(std::size_t first) const {
        return row.substr(start[first], end5 - start[first]);
    }
    [[nodiscard]] std::string_view field(std::size_t k) const {
        const std::size_t end = k == 5 ? end5 : start[k + 1] - 1;
        return row.substr(start[k], end - start[k]);
    }
};

// Kinds 0 and 1: a line joins the list unless "airline,name" occurs in it already; it goes
// directly under the first line that holds the airline, else at the end.
//
// No field holds a CR or LF, so neither needle can span two lines: "occurs in the text" is
// "occurs in a line listed so far", whatever their order, and the first occurrence in the text
// is in the first line, in document order, that holds the needle. Both are answered by
// automata over the needles fed with each new line: the pairs are marked as found, and each
// airline keeps the first line that holds it.
std::string grouped_list(bool defaults, const RowText& records) {
    std::vector<std::string_view> lines, pairs, airlines;  // airline,name,plane  airline,name
    Fields f;
    for (std::size_t i = 0; i < records.row_count(); ++i) {
        if (!f.cut(records.row(i)) || contains(f.field(5), "Default") != defaults) continue;
        lines.push_back(f.from(3));
        pairs.push_back(f.row.substr(f.start[3], f.start[5] - 1 - f.start[3]));
        airlines.push_back(f.field(3));
    }

    common::SubstringIndex listed_pairs(pairs);
    common::NeedleAutomaton airline_automaton(airlines);
    std::vector<std::uint32_t> first_holder(airline_automaton.node_count(), LineOrder::kNone);
    LineOrder order;
    std::vector<std::uint32_t> row_of_line;
    std::size_t bytes = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (listed_pairs.contains(k)) continue;
        const std::string_view line = lines[k];
        // The empty airline occurs at the very start: under the first line.
        const std::uint32_t anchor =
            airlines[k].empty() ? order.first() : first_holder[airline_automaton.node(k)];
        const std::uint32_t y = order.insert_after(anchor);
        row_of_line.push_back(static_cast<std::uint32_t>(k));
        bytes += line.size();

        listed_pairs.append_line(line);
        // The line is the first holder of every airline it holds whose first holder comes after
        // it. Along a suffix chain the first holders only come earlier, so the walk stops at the
        // first one that stays.
        airline_automaton.restart();
        airline_automaton.feed(line, [&](common::NeedleAutomaton::Node v) {
            std::uint32_t& holder = first_holder[v];
            if (holder != LineOrder::kNone && !order.before(y, holder)) return false;
            holder = y;
            return true;
        });
    }

    std::string text;
    text.reserve(bytes + 2 * row_of_line.size());
    for (std::uint32_t e = order.first(); e != LineOrder::kNone; e = order.next(e)) {
        text.append(lines[row_of_line[e]]).append("\r\n");
    }
    return text;
}

// Kind 2: every distinct model,airline,name,plane in record order, unless it occurs in a line
// listed before (no field holds a CR or LF, so it cannot span two).
std::string models_list(const RowText& records) {
    std::vector<std::string_view> lines;
    Fields f;
    for (std::size_t i = 0; i < records.row_count(); ++i) {
        if (f.cut(records.row(i))) lines.push_back(f.from(2));
    }
    common::SubstringIndex listed(lines);
    std::string text;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (listed.contains(k)) continue;
        listed.append_line(lines[k]);
        text.append(lines[k]).append("\r\n");
    }
    return text;
}

}  // namespace

std::string get_data(ResultKind kind, const RowText& records) {
    switch (kind) {
        case ResultKind::NoMatch:
            return grouped_list(true, records);
        case ResultKind::Matched:
            return grouped_list(false, records);
        case ResultKind::Models:
            break;
    }
    return models_list(records);
}

ResultTexts make_result_lists(const RowText& records) {
    return ResultTexts{get_data(ResultKind::NoMatch, records),
                       get_data(ResultKind::Matched, records),
                       get_data(ResultKind::Models, records)};
}

Report get_failures(std::string_view log_text) {
    if (log_text.empty()) return Report{common::Message{"Select a log."}, {}};
    constexpr std::string_view kMarker = "Failed to read";
    auto pos = log_text.find(kMarker);
    if (pos == std::string_view::npos) {
        return Report{common::Message{"None found.", common::Message::Icon::Information}, {}};
    }
    Report report;
    while (pos != std::string_view::npos) {
        const std::size_t start = pos + kMarker.size();
        const auto next = log_text.find(kMarker, start);
        std::string_view piece = log_text.substr(
            start, next == std::string_view::npos ? std::string_view::npos : next - start);
        // The rest of the line: up to its line end, CR LF, CR or LF.
        piece = piece.substr(0, piece.find_first_of("\r\n"));
        report.text.append(piece).append("\r\n");
        pos = next;
    }
    return report;
}

Report chk_types_listed(std::string_view log_text) {
    constexpr std::string_view kTitle = "title";
    constexpr std::size_t kAfterTitle = 6;  // "title" and one more character
    Report report;
    LineCursor lines(log_text);
    for (std::string_view line; lines.next(line);) {
        if (line.empty() || !common::contains_ignore_case(line, "add-on with title")) continue;
        const auto title = common::to_lower(line).find(kTitle) + kAfterTitle;
        report.text.append(title < line.size() ? line.substr(title) : std::string_view())
            .append("\r\n");
    }
    if (report.text.empty()) {
        report.message = common::Message{"No such information in current log.",
                                         common::Message::Icon::Information};
    }
    return report;
}

}  // namespace logs

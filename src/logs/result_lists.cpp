#include "logs/result_lists.hpp"

#include "common/substring_index.hpp"
#include "common/text.hpp"

namespace logs {
namespace {

using common::contains;

// Kinds 0 and 1: lines of one airline are kept together, each new line directly under the line
// that holds the airline's first occurrence. The membership tests use an index over the lines
// in the order they were added: no field holds a CR, so a CR-free needle can only occur inside
// one line, and every line but the first is preceded by a LF in both texts.
std::string grouped_list(bool defaults, const RowText& records) {
    std::string text;
    common::SubstringIndex lines_index;
    std::string pair, line;
    for (std::size_t i = 0; i < records.row_count(); ++i) {
        const std::string_view row = records.row(i);
        if (row.empty()) continue;
        const auto f = common::split(row, ",");
        if (f.size() < 6) continue;
        if (contains(f[5], "Default") != defaults) continue;

        pair.assign(f[3]).append(",").append(f[4]);
        const bool pair_seen = pair.find('\r') == std::string::npos
                                   ? lines_index.contains(pair)
                                   : common::find_bytes(text, pair) != std::string::npos;
        if (pair_seen) continue;

        line.assign(pair).append(",").append(f[5]);
        std::size_t airline_pos = std::string::npos;
        if (f[3].find('\r') != std::string_view::npos || lines_index.contains(f[3])) {
            airline_pos = common::find_bytes(text, f[3]);
        }
        const std::size_t crlf =
            airline_pos == std::string::npos ? std::string::npos : text.find("\r\n", airline_pos);
        if (crlf != std::string::npos) {
            text.insert(crlf, "\r\n" + line);
        } else {
            text.append(line).append("\r\n");
        }
        lines_index.append(line);
        lines_index.append("\r\n");
    }
    return text;
}

std::string models_list(const RowText& records) {
    std::string text;
    common::SubstringIndex index;
    std::string line;
    for (std::size_t i = 0; i < records.row_count(); ++i) {
        const std::string_view row = records.row(i);
        if (row.empty()) continue;
        const auto f = common::split(row, ",");
        if (f.size() < 6) continue;
        line.assign(f[2]).append(",").append(f[3]).append(",").append(f[4]).append(",").append(
            f[5]);
        if (index.contains(line)) continue;
        line.append("\r\n");
        text.append(line);
        index.append(line);
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

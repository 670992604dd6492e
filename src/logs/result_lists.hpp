#pragma once
// The three result lists of a parse (default-model aircraft, matched aircraft, every model
// combination) and the two on-demand reports (failed file reads, add-on titles).

#include <optional>
#include <string>
#include <string_view>

#include "common/message.hpp"
#include "logs/row_text.hpp"

namespace logs {

enum class ResultKind { NoMatch, Matched, Models };

// The list of one kind built from the records (newest first), lines ended by CR LF. The records
// are those the parser writes: no field holds a CR or LF.
std::string get_data(ResultKind kind, const RowText& records);

struct ResultTexts {
    std::string nomatch_text;
    std::string matched_text;
    std::string models_text;
};
ResultTexts make_result_lists(const RowText& records);

// What a report produced: a text to write and open, or a message to show instead.
struct Report {
    std::optional<common::Message> message;
    std::string text;  // empty when message is set
};

// The rest of each line after "Failed to read" ("Select a log." / "None found." otherwise).
Report get_failures(std::string_view log_text);
// The titles of the lines naming an "add-on with title".
Report chk_types_listed(std::string_view log_text);

}  // namespace logs

#pragma once
// The three result lists of a parse (default-model aircraft, matched aircraft, every model
// combination) and the two on-demand reports (failed file reads, add-on titles).

#include <optional>
#include <string>
#include <string_view>

#include "common/message.hpp"
#include "logs/row_text.hpp"

namespace logs {

enum ResultKind : int { kNoMatch = 0, kMatched = 1, kModels = 2 };

// The file name under the program's "models" folder for a kind: "no-match", "matched", "models".
std::string_view result_file_name(int kind);

// The list of one kind built from the records (newest first), lines ended by CR LF.
std::string get_data(int kind, const RowText& records);

struct ResultTexts {
    std::string nomatch_text;
    std::string matched_text;
    std::string models_text;
};
ResultTexts make_result_lists(const RowText& records);

// Writes the three lists under models_folder when there is at least one record. Returns false
// when a file could not be written (the texts are kept in memory all the same).
bool write_result_files(std::string_view models_folder, const RowText& records,
                        const ResultTexts& texts);

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

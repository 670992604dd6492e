#pragma once
// The road of a chosen log: read it, parse it, keep the results, write the result lists, and
// tell the caller which messages to show. Shared by the window and the headless companion.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/program_layout.hpp"
#include "common/file_io.hpp"
#include "common/message.hpp"
#include "logs/log_parser.hpp"
#include "logs/result_lists.hpp"

namespace app {

struct LogState {
    std::string log_text;
    logs::ParseResult parse;
    logs::ResultTexts results;  // nomatch_text, matched_text, models_text
    bool busy_flag = false;
    std::vector<common::FileError> write_errors;  // result files that could not be written
};

struct ChooseOutcome {
    bool started = false;                         // false: a parse was already running
    std::optional<common::FileError> read_error;  // the log could not be read
    std::vector<common::Message> messages;        // in the order the window shows them
};

// Default header height of the spawn table in twips, used for the scroll bar's LargeChange
// when no window measured a real one.
inline constexpr std::int64_t kDefaultHeaderHeightTwips = 195;

// The parser's options as the program uses them: suggestions classified by matching::get_text4.
logs::ParseOptions parse_options(std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// Parses the log text (already read) into the state and writes the result lists when records
// were found.
ChooseOutcome parse_log_text(LogState& state, std::string log_text, const ProgramLayout& layout,
                             std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// Deletes the stale "tmp" file, reads the log at path and parses it. A log that cannot be read
// is reported with its path and cause, and leaves an empty parse.
ChooseOutcome choose_log(LogState& state, const std::string& log_path, const ProgramLayout& layout,
                         std::int64_t header_height_twips = kDefaultHeaderHeightTwips);

// "Failed:N" and whether it shows in red.
std::string failed_caption(const LogState& state);
bool failed_caption_red(const LogState& state);

// The message for a parse that stopped at a group whose first line lacks "with airline:".
std::string stopped_early_message(const logs::ParseResult& parse);

}  // namespace app
